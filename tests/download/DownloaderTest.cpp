// The three downloaders against the local download server: complete
// downloads with their digest check, resume after dropped connections, the
// retry budgets with their log lines, digest notices and the single retry,
// and the faults that must end in a failure rather than a bad package.
#include <gtest/gtest.h>

#include <curl/curl.h>

#include <algorithm>
#include <memory>

#include "DownloadFixture.h"
#include "download/CCurlDownloader.h"
#include "download/CMTCurlDownloader.h"
#include "download/CWinDownloader.h"
#include "download/FileMd5.h"
#include "support/DebugChannel.h"
#include "utils/TextConvert.h"

using namespace DlTest;

namespace {

constexpr DWORD kWait = 60000;

class CurlEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { curl_global_init(CURL_GLOBAL_ALL); }
  void TearDown() override { curl_global_cleanup(); }
};
::testing::Environment* const g_curl = ::testing::AddGlobalTestEnvironment(new CurlEnvironment);

std::wstring Url(const std::string& name, const std::string& query) {
  return ServerBaseW() + L"/software/" + Utils::ToWide(name, 65001) + (query.empty() ? L"" : L"?" + Utils::ToWide(query, 65001));
}

std::string Md5Of(const std::wstring& path) { return Utils::FileMd5(Utils::ToNarrow(path, 0)); }

// Every run opens with 1001 and ends with exactly one closing report.
void ExpectWellFormedRun(const std::vector<int32_t>& codes) {
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), 1001);
  int closing = 0;
  for (int32_t c : codes) closing += (c == 1003 || c == 1004 || c == 1005);
  EXPECT_EQ(closing, 1);
}

// Holds a downloader of the given kind with its recorder.
template <class D>
struct DlRun {
  Recorder rec;
  std::wstring folder;
  std::wstring package;
  std::unique_ptr<D> dl;
  DlRun(const std::wstring& name, const std::wstring& url) {
    folder = ScratchFolder(name);
    package = folder + L"\\__Package_Quelvox.exe";
    dl = std::make_unique<D>(rec.Callback(), url, package);
  }
  bool Go(DWORD wait = kWait) {
    rec.Clear();
    dl->Start();
    return rec.WaitClosing(wait);
  }
  Report Last() const { return rec.All().back(); }
};

}  // namespace

// ---- single connection ------------------------------------------------------

TEST(CurlDownloader, DownloadsChecksAndRenamesThePartFile) {
  QvTest::DebugChannel log;
  DlRun<CCurlDownloader> run(L"curl_ok", Url("blob-2000000.bin", "t=curl_ok"));
  ASSERT_TRUE(run.Go());
  ExpectWellFormedRun(run.rec.Codes());
  EXPECT_EQ(run.Last().code, 1003);
  EXPECT_EQ(run.Last().text, L"LibCurl");
  EXPECT_EQ(Md5Of(run.package), ServedMd5("blob-2000000.bin"));
  EXPECT_FALSE(Exists(run.package + L".part"));
  // The header request learnt the final address; the body went straight there.
  auto gets = Journal("t=curl_ok");
  ASSERT_FALSE(gets.empty());
  EXPECT_EQ(gets.back().rfind("GET /files/" + ServedMd5("blob-2000000.bin") + "/blob-2000000.bin", 0), 0u)
      << gets.back();
  EXPECT_FALSE(log.Matching(L"(CurlClient::Start)").empty());
}

TEST(CurlDownloader, ResumesThePartFileAfterDroppedConnections) {
  QvTest::DebugChannel log;
  // Every body request is cut after 700000 bytes: three attempts, each
  // resuming where the previous one stopped.
  DlRun<CCurlDownloader> run(L"curl_resume", Url("blob-2000001.bin", "drop=700000&t=curl_resume"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.Last().code, 1003);
  EXPECT_EQ(Md5Of(run.package), ServedMd5("blob-2000001.bin"));
  std::vector<std::string> ranges;
  for (const std::string& line : Journal("t=curl_resume"))
    if (line.rfind("GET /files/", 0) == 0) ranges.push_back(line.substr(line.rfind(' ') + 1));
  EXPECT_EQ(ranges, (std::vector<std::string>{"-", "bytes=700000-", "bytes=1400000-"}));
  EXPECT_EQ(log.Matching(L"CurlDownLoader Code=18").size(), 2u);
}

TEST(CurlDownloader, ResumesAPartFileLeftByAnEarlierAttempt) {
  // A part file written by the client itself (not a stale one from an
  // earlier installer run, which construction removes) is resumed.
  DlRun<CCurlDownloader> run(L"curl_part", Url("blob-2000002.bin", "drop=300000&drops=1&t=curl_part"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.Last().code, 1003);
  auto lines = Journal("t=curl_part");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_NE(lines.back().find("bytes=300000-"), std::string::npos) << lines.back();
  // The first progress report after the resume already counts the earlier bytes.
  for (const Report& r : run.rec.All())
    if (r.code == 1002) EXPECT_GT(r.value, 0.0);
}

TEST(CurlDownloader, StalePartFileFromAnEarlierRunIsDiscarded) {
  std::wstring folder = ScratchFolder(L"curl_stale");
  WriteBytes(folder + L"\\__Package_Quelvox.exe.part", std::string(5000, 'x'));
  Recorder rec;
  CCurlDownloader dl(rec.Callback(), Url("blob-2000003.bin", "t=curl_stale"), folder + L"\\__Package_Quelvox.exe");
  EXPECT_FALSE(Exists(folder + L"\\__Package_Quelvox.exe.part"));
  dl.Start();
  ASSERT_TRUE(rec.WaitClosing(kWait));
  EXPECT_EQ(Md5Of(folder + L"\\__Package_Quelvox.exe"), ServedMd5("blob-2000003.bin"));
}

TEST(CurlDownloader, SixAttemptsForServerErrorsThenFail) {
  QvTest::DebugChannel log;
  DlRun<CCurlDownloader> run(L"curl_500", Url("blob-2000004.bin", "get500=1&t=curl_500"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.rec.Codes(), (std::vector<int32_t>{1001, 1004}));
  EXPECT_EQ(run.Last().value, 22);
  EXPECT_EQ(run.Last().text, L"LibCurl");
  int gets = 0;
  for (const std::string& line : Journal("t=curl_500")) gets += line.rfind("GET /files/", 0) == 0;
  EXPECT_EQ(gets, 6);
  EXPECT_EQ(log.Matching(L"(CCurlDownloader::dlThreadFun)").size(), 5u);
  EXPECT_EQ(log.Matching(L"CurlDownLoader Code=22").size(), 5u);
}

TEST(CurlDownloader, TwelveAttemptsWhenEveryTransferEndsEarly) {
  QvTest::DebugChannel log;
  // 50000 bytes per attempt never completes a 2 MB file within the budget.
  DlRun<CCurlDownloader> run(L"curl_18", Url("blob-2000005.bin", "drop=50000&t=curl_18"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.Last().code, 1004);
  EXPECT_EQ(run.Last().value, 18);
  int gets = 0;
  for (const std::string& line : Journal("t=curl_18")) gets += line.rfind("GET /files/", 0) == 0;
  EXPECT_EQ(gets, 12);
  EXPECT_EQ(log.Matching(L"CurlDownLoader Code=18").size(), 11u);
}

TEST(CurlDownloader, LengthCheckAtOneMebibyte) {
  DlRun<CCurlDownloader> exact(L"curl_1m", Url("blob-1048576.bin", "t=curl_1m"));
  ASSERT_TRUE(exact.Go());
  EXPECT_EQ(exact.Last().code, 1003);

  DlRun<CCurlDownloader> small(L"curl_small", Url("blob-1048575.bin", "t=curl_small"));
  ASSERT_TRUE(small.Go());
  EXPECT_EQ(small.Last().code, 1004);
  EXPECT_EQ(small.Last().value, -998);
  int gets = 0;
  for (const std::string& line : Journal("t=curl_small")) gets += line.rfind("GET ", 0) == 0;
  EXPECT_EQ(gets, 0);  // no body request
}

TEST(CurlDownloader, HeadNotFoundGivesNoLength) {
  DlRun<CCurlDownloader> run(L"curl_404", Url("blob-2000006.bin", "head404=1&t=curl_404"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.Last().code, 1004);
  EXPECT_EQ(run.Last().value, -998);
}

TEST(CurlDownloader, DigestNoticesAndTheSingleRetry) {
  struct Case {
    const char* query;
    std::vector<int32_t> first, second;
    const wchar_t* notice;
  } cases[] = {
      {"digest=upper&t=curl_upper", {1001, 1006, 1005}, {1001, 1006, 1004}, L"curl文件md5校验失败"},
      {"digest=wrong&t=curl_wrong", {1001, 1006, 1005}, {1001, 1006, 1004}, L"curl文件md5校验失败"},
      {"digest=short&t=curl_short", {1001, 1006, 1003}, {1001, 1006, 1003}, L"curl获取url-md5失败"},
  };
  for (const Case& c : cases) {
    DlRun<CCurlDownloader> run(L"curl_digest", Url("blob-2000007.bin", c.query));
    ASSERT_TRUE(run.Go()) << c.query;
    EXPECT_EQ(run.rec.Codes(), c.first) << c.query;
    EXPECT_EQ(run.rec.All()[run.rec.All().size() - 2].text, c.notice) << c.query;
    ASSERT_TRUE(run.Go()) << c.query;
    EXPECT_EQ(run.rec.Codes(), c.second) << c.query;
  }
}

TEST(CurlDownloader, RetryAskedFromInsideTheReportRunsOnceMore) {
  // The owner answers 1005 by calling Start() from the report itself, on
  // the downloader's own worker thread.
  Recorder rec;
  std::wstring folder = ScratchFolder(L"curl_reentry");
  std::unique_ptr<CCurlDownloader> dl;
  ReportCallback inner = rec.Callback();
  dl = std::make_unique<CCurlDownloader>(
      [&](int32_t code, double value, const std::wstring& text) {
        inner(code, value, text);
        if (code == 1005) dl->Start();
      },
      Url("blob-2000007.bin", "digest=upper&t=curl_reentry"), folder + L"\\__Package_Quelvox.exe");
  dl->Start();
  ASSERT_TRUE(rec.WaitClosing(kWait, {1004}));
  EXPECT_EQ(rec.Codes(), (std::vector<int32_t>{1001, 1006, 1005, 1001, 1006, 1004}));
}

// ---- multi connection -------------------------------------------------------

namespace {

std::vector<std::string> RangesOf(const std::string& tag) {
  std::vector<std::string> out;
  for (const std::string& line : Journal(tag))
    if (line.rfind("GET /files/", 0) == 0) out.push_back(line.substr(line.rfind(' ') + 1));
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

TEST(MTCurlDownloader, FifteenMebibytesInOnePartTwentyFiveInTwo) {
  QvTest::DebugChannel log;
  DlRun<CMTCurlDownloader> one(L"mt_15", Url("blob-15728640.bin", "t=mt_15"));
  ASSERT_TRUE(one.Go());
  EXPECT_EQ(one.Last().code, 1003);
  EXPECT_EQ(RangesOf("t=mt_15"), (std::vector<std::string>{"bytes=0-15728639"}));
  EXPECT_EQ(Md5Of(one.package), ServedMd5("blob-15728640.bin"));

  // An odd length: the second part takes the odd byte.
  DlRun<CMTCurlDownloader> two(L"mt_25", Url("blob-26214401.bin", "t=mt_25"));
  ASSERT_TRUE(two.Go());
  ExpectWellFormedRun(two.rec.Codes());
  EXPECT_EQ(two.Last().code, 1003);
  EXPECT_EQ(RangesOf("t=mt_25"), (std::vector<std::string>{"bytes=0-13107199", "bytes=13107200-26214400"}));
  EXPECT_EQ(Md5Of(two.package), ServedMd5("blob-26214401.bin"));
  EXPECT_FALSE(Exists(two.package + L"_0"));
  EXPECT_FALSE(Exists(two.package + L"_1"));
  EXPECT_FALSE(log.Matching(L"(CMTCurlDownloader::waitForFinishThreadFun)").empty());
  EXPECT_FALSE(log.Matching(L"finish recv").empty());
}

TEST(MTCurlDownloader, PartsResumeAfterDroppedConnections) {
  QvTest::DebugChannel log;
  // The first two body requests (one per part) are cut after 3000000 bytes;
  // each part's next request starts after the bytes already in its file.
  DlRun<CMTCurlDownloader> run(L"mt_drop", Url("blob-20971522.bin", "drop=3000000&drops=2&t=mt_drop"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.Last().code, 1003);
  EXPECT_EQ(RangesOf("t=mt_drop"), (std::vector<std::string>{"bytes=0-10485760", "bytes=10485761-20971521",
                                                             "bytes=13485761-20971521", "bytes=3000000-10485760"}));
  EXPECT_EQ(Md5Of(run.package), ServedMd5("blob-20971522.bin"));
  EXPECT_EQ(log.Matching(L"CurlDownLoader Code=18").size(), 2u);
}

TEST(MTCurlDownloader, RetryAfterProgressResumesThePartFiles) {
  // Every body request is cut after 300000 bytes: a part's thirteen
  // attempts (twelve retries of code 18) cannot finish its 10 MiB, so the
  // run fails after progress (1005, 18).
  // The part files stay and the retry run resumes each of them.
  DlRun<CMTCurlDownloader> run(L"mt_retry", Url("blob-20971524.bin", "drop=300000&t=mt_retry"));
  ASSERT_TRUE(run.Go(120000));
  EXPECT_EQ(run.Last().code, 1005);
  EXPECT_EQ(run.Last().value, 18);
  EXPECT_EQ(SizeOf(run.package + L"_0"), 3900000);
  EXPECT_EQ(SizeOf(run.package + L"_1"), 3900000);
  size_t firstRun = Journal("t=mt_retry").size();
  ASSERT_TRUE(run.Go(120000));
  EXPECT_EQ(run.Last().code, 1004);
  EXPECT_EQ(run.Last().value, 18);
  auto lines = Journal("t=mt_retry");
  std::vector<std::string> retryRanges;
  for (size_t i = firstRun; i < lines.size(); ++i)
    if (lines[i].rfind("GET /files/", 0) == 0) retryRanges.push_back(lines[i].substr(lines[i].rfind(' ') + 1));
  ASSERT_GE(retryRanges.size(), 2u);
  std::sort(retryRanges.begin(), retryRanges.begin() + 2);
  EXPECT_EQ(retryRanges[0], "bytes=14385762-20971523");
  EXPECT_EQ(retryRanges[1], "bytes=3900000-10485761");
  // A final failure after progress leaves the parts to the owner's clean-up
  // of the package path; the package itself was never made.
  EXPECT_FALSE(Exists(run.package));
}

TEST(MTCurlDownloader, RangeIgnoringServerFailsInsteadOfCorrupting) {
  QvTest::DebugChannel log;
  DlRun<CMTCurlDownloader> run(L"mt_norange", Url("blob-20971526.bin", "norange=1&t=mt_norange"));
  ASSERT_TRUE(run.Go(120000));
  EXPECT_EQ(run.Last().code, 1005);
  EXPECT_EQ(run.Last().value, 23);  // write error: the writer refused the bytes
  ASSERT_TRUE(run.Go(120000));
  EXPECT_EQ(run.Last().code, 1004);
  EXPECT_EQ(run.Last().value, 23);
  EXPECT_FALSE(Exists(run.package));
}

TEST(MTCurlDownloader, BytesBeyondTheRangeNeverReachThePackage) {
  // The first part is sent 100 bytes past its last byte (the start of the
  // second part). Neither the library nor the part writer takes more than
  // the range asked for, so the package is still exact.
  DlRun<CMTCurlDownloader> two(L"mt_over", Url("blob-20971528.bin", "overrange=100&t=mt_over"));
  ASSERT_TRUE(two.Go(120000));
  EXPECT_EQ(two.Last().code, 1003);
  EXPECT_EQ(Md5Of(two.package), ServedMd5("blob-20971528.bin"));
}

TEST(MTCurlDownloader, NoLengthOrUnknownPackageFailsAtOnce) {
  DlRun<CMTCurlDownloader> run(L"mt_nolen", Url("blob-2000011.bin", "nolength=1&t=mt_nolen"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.rec.Codes(), (std::vector<int32_t>{1001, 1004}));
  EXPECT_EQ(run.Last().value, 0);
}

TEST(MTCurlDownloader, DigestMismatchRetriesOnceAndDeletesThePackage) {
  QvTest::DebugChannel log;
  DlRun<CMTCurlDownloader> run(L"mt_upper", Url("blob-2000012.bin", "digest=upper&t=mt_upper"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.rec.Codes(), (std::vector<int32_t>{1001, 1006, 1005}));
  EXPECT_EQ(run.rec.All()[1].text, L"mtcurl文件md5校验失败");
  EXPECT_FALSE(Exists(run.package));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.rec.Codes(), (std::vector<int32_t>{1001, 1006, 1004}));
  EXPECT_FALSE(Exists(run.package));
  EXPECT_EQ(log.Matching(L"finish recv, md5 chaek failed retry once.").size(), 1u);
  EXPECT_EQ(log.Matching(L"finish recv, md5 chaek failed and retry failed.").size(), 1u);
}

// ---- system service ---------------------------------------------------------

TEST(WinDownloader, DownloadsThroughTheSystemServiceOnce) {
  DlRun<CWinDownloader> run(L"win_ok", Url("blob-2000013.bin", "t=win_ok"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.rec.Codes(), (std::vector<int32_t>{1001, 1003}));
  EXPECT_EQ(run.Last().text, L"URLDownloadToFile");
  EXPECT_EQ(Md5Of(run.package), ServedMd5("blob-2000013.bin"));
  // It runs once per object: a second Start() does nothing.
  run.rec.Clear();
  run.dl->Start();
  Sleep(500);
  EXPECT_TRUE(run.rec.All().empty());
}

TEST(WinDownloader, BlankInTheAddressIsSentAsPlus) {
  DlRun<CWinDownloader> run(L"win_blank", Url("blob-2000013.bin", "t=win blank"));
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.Last().code, 1003);
  auto lines = Journal("t=win%2Bblank");  // the journal query is form-decoded
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().rfind("GET /software/blob-2000013.bin?t=win+blank", 0), 0u) << lines.front();
}

TEST(WinDownloader, ThreeAttemptsThenTheServiceFailureCode) {
  // Nothing listens on this port.
  DlRun<CWinDownloader> run(L"win_fail", L"http://127.0.0.1:18319/software/none.bin");
  ASSERT_TRUE(run.Go());
  EXPECT_EQ(run.rec.Codes(), (std::vector<int32_t>{1001, 1004}));
  EXPECT_LT(run.Last().value, 0);  // a failing HRESULT, signed
  EXPECT_EQ(run.Last().text, L"URLDownloadToFile");
}

TEST(Downloaders, DestroyedWhileRunning) {
  // Destruction stops the transfers and waits for the workers; nothing is
  // reported afterwards and nothing crashes.
  Recorder rec;
  std::wstring folder = ScratchFolder(L"destroy");
  {
    CMTCurlDownloader mt(rec.Callback(), Url("blob-20971530.bin", "rate=2000000&t=destroy_mt"),
                         folder + L"\\a.exe");
    mt.Start();
    Sleep(1500);
  }
  {
    CCurlDownloader curl(rec.Callback(), Url("blob-2000014.bin", "rate=500000&t=destroy_curl"), folder + L"\\b.exe");
    curl.Start();
    Sleep(1500);
  }
  size_t seen = rec.All().size();
  Sleep(1000);
  EXPECT_EQ(rec.All().size(), seen);
  for (const Report& r : rec.All()) EXPECT_TRUE(r.code == 1001 || r.code == 1002) << r.code;
}
