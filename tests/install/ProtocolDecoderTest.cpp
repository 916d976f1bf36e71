#include "install/ProtocolDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/ReportCodes.h"

using namespace InstallCodes;

namespace {

struct Rep {
  int32_t code;
  double value;
  std::wstring text;
  bool operator==(const Rep& o) const { return code == o.code && value == o.value && text == o.text; }
};

void PrintTo(const Rep& r, std::ostream* os) {
  *os << "{" << r.code << ", " << r.value << ", " << ::testing::PrintToString(r.text) << "}";
}

// Stand-in for the system conversion: code page 0 and 1252 map bytes to
// the first 256 code points, 65001 is UTF-8 (bad bytes give U+FFFD), every
// other code page fails (empty text).
std::wstring FakeDecode(const std::string& bytes, uint32_t cp) {
  std::wstring out;
  if (cp == 0 || cp == 1252) {
    for (unsigned char c : bytes) out += static_cast<wchar_t>(c);
    return out;
  }
  if (cp != 65001) return std::wstring();
  for (size_t i = 0; i < bytes.size();) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : -1;
    if (extra < 0 || i + extra >= bytes.size() + (extra ? 0 : 1)) {
      out += L'\xFFFD';
      ++i;
      continue;
    }
    uint32_t cpnt = extra == 0 ? c : extra == 1 ? (c & 0x1F) : (c & 0x0F);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char t = static_cast<unsigned char>(bytes[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      cpnt = (cpnt << 6) | (t & 0x3F);
    }
    if (!ok) {
      out += L'\xFFFD';
      ++i;
      continue;
    }
    out += static_cast<wchar_t>(cpnt);
    i += extra + 1;
  }
  return out;
}

struct Fixture {
  explicit Fixture(ProtocolDecoder::Run run)
      : decoder(run, [this](int32_t c, double v, const std::wstring& t) { reports.push_back({c, v, t}); },
                FakeDecode) {}
  int Feed(const std::string& bytes) { return decoder.Feed(bytes.data(), bytes.size()); }
  std::vector<Rep> reports;
  ProtocolDecoder decoder;
};

const std::string kZhongWenUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文

struct LineCase {
  const char* bytes;
  int status;
  std::vector<Rep> reports;
};

void CheckTable(ProtocolDecoder::Run run, const std::vector<LineCase>& cases) {
  for (const LineCase& c : cases) {
    Fixture f(run);
    int status = f.Feed(c.bytes);
    status = status ? status : f.decoder.Finish();
    EXPECT_EQ(status, c.status) << c.bytes;
    EXPECT_EQ(f.reports, c.reports) << c.bytes;
  }
}

}  // namespace

TEST(ProtocolDecoder, InstallRunKeysValuesAndStatus) {
  CheckTable(ProtocolDecoder::Run::Install,
             {
                 {"Progress=0.42\n", 0, {{IST_CODE_PROGRESS, 0.42, L""}}},
                 {"Progress=abc\n", 0, {{IST_CODE_PROGRESS, 0, L""}}},
                 {"Progress= 1\r\n", 0, {{IST_CODE_PROGRESS, 1, L""}}},
                 {"State=Success\r\n", 1, {{INSTALL_SUCCESS, 0, L""}}},
                 {"State=  Fail \t\r\n", 1000, {{IST_CODE_FAIL, 0, L"安装包安装失败"}}},
                 {"state=Success\n", 0, {}},
                 {" State=Success\n", 0, {}},
                 {"State=Done\n", 0, {}},
                 {"State=\n", 0, {}},
                 {"Error=\n", 1000, {{IST_CODE_FAIL, 1000.0, L""}}},
                 {"Error=disk full \r\n", 1000, {{IST_CODE_FAIL, 1000.0, L"disk full \r"}}},
                 {"InstPath=C:\\Program Files\\Sonavex\r\n", 0, {{IST_INFO_INST_PATH, 0, L"C:\\Program Files\\Sonavex\r"}}},
                 {"InstPath=\n", 0, {{IST_INFO_INST_PATH, 0, L""}}},
                 {"ExePath=a.exe\n", 0, {{IST_INFO_EXE_PATH, 0, L"a.exe"}}},
                 {"StartExe=b.exe\n", 0, {{IST_INFO_EXE_PATH, 0, L"b.exe"}}},
                 {"UninstExePath=u1\n", 0, {{IST_INFO_UNINST_EXE, 0, L"u1"}}},
                 {"UninstExe=u2\n", 0, {{IST_INFO_UNINST_EXE, 0, L"u2"}}},
                 {"UninstEp=C:\\x\\uninst.ep\n", 0, {{IST_INFO_UNINST_EP, 0, L"C:\\x\\uninst.ep"}}},
                 {"StartUrl= http://x/?a=b\n", 0, {{IST_INFO_START_URL, 0, L" http://x/?a=b"}}},
                 {"Message=hello=world\n", 0, {{IST_INFO_MESSAGE, 0, L"hello=world"}}},
                 {"StartupStyle= AutoStartup \r\n", 0, {{IST_INFO_STARTUP_STYLE, 1, L""}}},
                 {"StartupStyle=UserStartup\n", 0, {{IST_INFO_STARTUP_STYLE, 2, L""}}},
                 {"StartupStyle=NonStartup\n", 0, {{IST_INFO_STARTUP_STYLE, 0, L""}}},
                 {"StartupStyle=Auto\n", 0, {{IST_INFO_STARTUP_STYLE, 0, L""}}},
                 {"TopShowDetention=-1\n", 0, {{IST_INFO_TOP_SHOW_DETENTION, 4294967295.0, L""}}},
                 {"TopShowDetention=x\n", 0, {{IST_INFO_TOP_SHOW_DETENTION, 0, L""}}},
                 {"FinsihCloseDetention= 15s\n", 0, {{IST_INFO_FINISH_CLOSE_DETENTION, 15, L""}}},
                 {"FinishCloseDetention=15\n", 0, {}},
                 {"InstallVersion=1.2.3\n", 0, {}},
                 {"Encode=UTF8\n", 0, {}},
                 {"Unknown=1\n", 0, {}},
                 // The piece after the last line feed is a line too.
                 {"Progress=0.5\nState=Success", 1, {{IST_CODE_PROGRESS, 0.5, L""}, {INSTALL_SUCCESS, 0, L""}}},
             });
}

TEST(ProtocolDecoder, UninstallRunKnowsOnlyItsKeys) {
  CheckTable(ProtocolDecoder::Run::Uninstall,
             {
                 {"Progress=0.3\n", 0, {{UNIST_CODE_PROGRESS, 0.3, L""}}},
                 {"State= Success\r\n", 1, {{UNIST_CODE_SUCCESS, 0, L""}}},
                 {"State=Fail\n", 1000, {{UNIST_CODE_ERROR, 0, L"安装包卸载失败"}}},
                 {"Error=in use\r\n", 1000, {{UNIST_CODE_ERROR, 0, L"in use\r"}}},
                 {"State=Other\n", 0, {}},
                 {"InstPath=C:\\x\n", 0, {}},
                 {"Message=hi\n", 0, {}},
                 {"StartupStyle=AutoStartup\n", 0, {}},
             });
}

TEST(ProtocolDecoder, LastDecisiveLineOfAChunkGivesItsStatusAndAllLinesAreParsed) {
  Fixture f(ProtocolDecoder::Run::Install);
  EXPECT_EQ(f.Feed("State=Fail\nState=Success\nProgress=0.9\n"), 1);
  EXPECT_EQ(f.reports, (std::vector<Rep>{{IST_CODE_FAIL, 0, L"安装包安装失败"},
                                         {INSTALL_SUCCESS, 0, L""},
                                         {IST_CODE_PROGRESS, 0.9, L""}}));
  Fixture u(ProtocolDecoder::Run::Uninstall);
  EXPECT_EQ(u.Feed("State=Success\nError=late\n"), 1000);
  EXPECT_EQ(u.reports, (std::vector<Rep>{{UNIST_CODE_SUCCESS, 0, L""}, {UNIST_CODE_ERROR, 0, L"late"}}));
}

TEST(ProtocolDecoder, LinesSplitAcrossReadsAreParsedWhole) {
  // A decisive line cut in two must still decide the run.
  Fixture f(ProtocolDecoder::Run::Install);
  EXPECT_EQ(f.Feed("Progress=0.2\nSta"), 0);
  EXPECT_EQ(f.Feed("te=Fa"), 0);
  EXPECT_EQ(f.Feed("il\r\nProgress=0."), 1000);
  EXPECT_EQ(f.Feed("75\n"), 0);
  EXPECT_EQ(f.reports, (std::vector<Rep>{{IST_CODE_PROGRESS, 0.2, L""},
                                         {IST_CODE_FAIL, 0, L"安装包安装失败"},
                                         {IST_CODE_PROGRESS, 0.75, L""}}));

  // The unfinished last line is parsed when the child has ended.
  Fixture g(ProtocolDecoder::Run::Uninstall);
  EXPECT_EQ(g.Feed("Error=can"), 0);
  EXPECT_EQ(g.Feed("not remove"), 0);
  EXPECT_TRUE(g.reports.empty());
  EXPECT_EQ(g.decoder.Finish(), 1000);
  EXPECT_EQ(g.reports, (std::vector<Rep>{{UNIST_CODE_ERROR, 0, L"cannot remove"}}));
  EXPECT_EQ(g.decoder.Finish(), 0);

  // Reset drops a piece left over from an earlier run.
  Fixture h(ProtocolDecoder::Run::Install);
  h.Feed("State=Succ");
  h.decoder.Reset();
  EXPECT_EQ(h.Feed("Progress=1\n"), 0);
  EXPECT_EQ(h.reports, (std::vector<Rep>{{IST_CODE_PROGRESS, 1, L""}}));
}

TEST(ProtocolDecoder, MultibyteCharacterSplitAcrossReadsIsDecodedWhole) {
  Fixture f(ProtocolDecoder::Run::Install);
  f.decoder.SetCodePage(65001);
  std::string line = "Message=" + kZhongWenUtf8 + "\n";
  for (size_t cut = 9; cut < line.size() - 1; ++cut) {  // every cut inside the text
    f.reports.clear();
    f.Feed(line.substr(0, cut));
    f.Feed(line.substr(cut));
    EXPECT_EQ(f.reports, (std::vector<Rep>{{IST_INFO_MESSAGE, 0, L"中文"}})) << cut;
  }
}

TEST(ProtocolDecoder, EncodeSwitchesTheCodePageFromTheNextLine) {
  Fixture f(ProtocolDecoder::Run::Install);
  EXPECT_EQ(f.decoder.CodePage(), 0);
  // Before the switch UTF-8 bytes are read in the ANSI code page; the line
  // after "Encode=" is decoded with UTF-8, even in the same chunk.
  f.Feed("Message=" + kZhongWenUtf8 + "\nEncode= UTF8 \r\nMessage=" + kZhongWenUtf8 + "\r\n");
  ASSERT_EQ(f.reports.size(), 2u);
  EXPECT_EQ(f.reports[0].text, L"\xE4\xB8\xAD\xE6\x96\x87");
  EXPECT_EQ(f.reports[1].text, L"中文\r");
  EXPECT_EQ(f.decoder.CodePage(), 65001);

  struct {
    const char* line;
    int32_t codePage;
  } install[] = {{"Encode=ACP\n", 0},   {"Encode=UTF8\n", 65001}, {"Encode= 936\n", 936},
                 {"Encode=+1252x\n", 1252}, {"Encode=utf8\n", 0},   {"Encode=99999999999\n", 0},
                 {"Encode=\n", 0}};
  for (const auto& c : install) {
    Fixture g(ProtocolDecoder::Run::Install);
    g.decoder.SetCodePage(65001);
    g.Feed(c.line);
    EXPECT_EQ(g.decoder.CodePage(), c.codePage) << c.line;
    EXPECT_TRUE(g.reports.empty());
  }
  struct {
    const char* line;
    int32_t codePage;
  } uninstall[] = {{"Encode=UTF8\n", 65001}, {"Encode=936\n", 0}, {"Encode=ACP\n", 0}};
  for (const auto& c : uninstall) {
    Fixture g(ProtocolDecoder::Run::Uninstall);
    g.decoder.SetCodePage(1252);
    g.Feed(c.line);
    EXPECT_EQ(g.decoder.CodePage(), c.codePage) << c.line;
  }
}

TEST(ProtocolDecoder, UndecodableLinesAreSkippedWithoutReport) {
  Fixture f(ProtocolDecoder::Run::Install);
  f.decoder.SetCodePage(12345);  // the fake conversion has no such code page
  EXPECT_EQ(f.Feed("State=Fail\n"), 0);
  EXPECT_TRUE(f.reports.empty());
}

TEST(ProtocolDecoder, InstallVersionIsStoredWithoutReport) {
  Fixture f(ProtocolDecoder::Run::Install);
  f.Feed("InstallVersion=1.7.9\n");
  EXPECT_EQ(f.decoder.InstalledVersion().major, 1);
  EXPECT_EQ(f.decoder.InstalledVersion().minor, 7);
  EXPECT_EQ(f.decoder.InstalledVersion().build, 9);
  f.Feed("InstallVersion=2.x\n");  // numbers that cannot be read are 0
  EXPECT_EQ(f.decoder.InstalledVersion().major, 2);
  EXPECT_EQ(f.decoder.InstalledVersion().minor, 0);
  EXPECT_EQ(f.decoder.InstalledVersion().build, 0);
  EXPECT_TRUE(f.reports.empty());
}

TEST(ProtocolDecoder, ChunkEndsAtZeroByteAndLongTextIsBounded) {
  Fixture f(ProtocolDecoder::Run::Install);
  EXPECT_EQ(f.Feed(std::string("Progress=0.5\n\0State=Fail\n", 25)), 0);
  EXPECT_EQ(f.reports, (std::vector<Rep>{{IST_CODE_PROGRESS, 0.5, L""}}));

  f.reports.clear();
  f.Feed("Message=" + std::string(2000, 'a') + "\n");
  ASSERT_EQ(f.reports.size(), 1u);
  EXPECT_EQ(f.reports[0].text, std::wstring(ProtocolDecoder::kMaxTextValue, L'a'));

  // A line that never ends is parsed once it outgrows the carry buffer.
  f.reports.clear();
  std::string endless = "Message=" + std::string(1000, 'b');
  size_t fed = 0;
  while (fed <= ProtocolDecoder::kMaxPendingLine && f.reports.empty()) {
    f.Feed(fed == 0 ? endless : std::string(1024, 'b'));
    fed += fed == 0 ? endless.size() : 1024;
  }
  ASSERT_EQ(f.reports.size(), 1u);
  EXPECT_EQ(f.reports[0].code, IST_INFO_MESSAGE);
}
