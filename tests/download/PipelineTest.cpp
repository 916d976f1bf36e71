// The whole download-install pipeline: QuelvoxPipeline.exe as a child
// process against the local server and the stand-in setup package, and the
// controller in-process for the package clean-up rules.
#include <gtest/gtest.h>

#include <curl/curl.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "DownloadFixture.h"
#include "app/InstallerSettings.h"
#include "install/CDownloadInstaller.h"
#include "utils/TextConvert.h"

using namespace DlTest;

namespace {

struct Outcome {
  DWORD exitCode = 9999;
  std::vector<std::string> lines;
  bool Has(const std::string& prefix) const {
    for (const std::string& l : lines)
      if (l.rfind(prefix, 0) == 0) return true;
    return false;
  }
  size_t IndexOf(const std::string& prefix) const {
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind(prefix, 0) == 0) return i;
    return size_t(-1);
  }
};

// Runs the pipeline with the given switches and collects its stdout lines.
Outcome RunPipeline(const std::wstring& switches, bool analytics = false) {
  Outcome out;
  std::wstring exe = Utils::ToWide(BuildPath("bin/QuelvoxPipeline.exe"), 0);
  std::wstring cmd = L"\"" + exe + L"\" -isenableapptelemetry=" + (analytics ? L"true " : L"false ") + switches;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return out;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::vector<wchar_t> buffer(cmd.begin(), cmd.end());
  buffer.push_back(0);
  BOOL ok = CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(writeEnd);
  if (!ok) {
    CloseHandle(readEnd);
    return out;
  }
  std::string text;
  char chunk[4096];
  DWORD got;
  while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  WaitForSingleObject(pi.hProcess, 120000);
  GetExitCodeProcess(pi.hProcess, &out.exitCode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(readEnd);
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.lines.push_back(line);
  }
  return out;
}

std::wstring PackageUrl(const std::string& query) {
  return ServerBaseW() + L"/software/pkg.exe" + (query.empty() ? L"" : L"?" + Utils::ToWide(query, 65001));
}

}  // namespace

TEST(Pipeline, EachDownloadTypeInstallsAndDeletesThePackage) {
  struct Case {
    int type;
    const char* success;
  } cases[] = {{1, "1003 0 LibCurl"}, {2, "1003 0 URLDownloadToFile"}, {3, "1003 0 LibCurl"}, {0, "1003 0 LibCurl"}};
  for (const Case& c : cases) {
    std::wstring folder = ScratchFolder(L"pipe_type" + std::to_wstring(c.type));
    Outcome o = RunPipeline(L"-downloadurl=" + PackageUrl("t=pipe" + std::to_string(c.type)) +
                            L" -downloadtype=" + std::to_wstring(c.type) + L" \"-instdir=" + folder + L"\"");
    EXPECT_EQ(o.exitCode, 0u) << c.type;
    ASSERT_FALSE(o.lines.empty()) << c.type;
    EXPECT_EQ(o.lines.front(), "1001 1 ") << c.type;
    EXPECT_TRUE(o.Has(c.success)) << c.type;
    EXPECT_LT(o.IndexOf(c.success), o.IndexOf("2001 ")) << c.type;
    EXPECT_EQ(o.lines.back(), "2003 0 ") << c.type;
    EXPECT_FALSE(Exists(folder + L"\\__Package_Quelvox.exe")) << c.type;
    EXPECT_TRUE(Exists(folder + L"\\Quelvox.exe")) << c.type;
  }
}

TEST(Pipeline, FailedDownloadStopsWithNoPackageLeft) {
  std::wstring folder = ScratchFolder(L"pipe_404");
  Outcome o = RunPipeline(L"-downloadurl=" + PackageUrl("head404=1&t=pipe404") + L" -downloadtype=1 \"-instdir=" +
                          folder + L"\"");
  EXPECT_EQ(o.exitCode, 1u);
  ASSERT_FALSE(o.lines.empty());
  EXPECT_EQ(o.lines.back(), "1004 -998 LibCurl");
  EXPECT_FALSE(Exists(folder + L"\\__Package_Quelvox.exe"));
}

TEST(Pipeline, OldVersionIsUninstalledBeforeTheDownload) {
  // An installation made by the package, then a new one over it that first
  // runs the old uninstaller.
  std::wstring folder = ScratchFolder(L"pipe_old");
  Outcome first = RunPipeline(L"-downloadurl=" + PackageUrl("t=pipeold1") + L" -downloadtype=1 \"-instdir=" + folder +
                              L"\"");
  ASSERT_EQ(first.exitCode, 0u);
  ASSERT_TRUE(Exists(folder + L"\\uninst.ep"));
  Outcome o = RunPipeline(L"-downloadurl=" + PackageUrl("t=pipeold2") + L" -downloadtype=1 \"-instdir=" + folder +
                          L"\" \"-olduninstaller=" + folder + L"\\uninst.ep\"");
  EXPECT_EQ(o.exitCode, 0u);
  size_t uninstalled = o.IndexOf("5003 ");
  ASSERT_NE(uninstalled, size_t(-1));
  EXPECT_LT(uninstalled, o.IndexOf("1001 "));
  EXPECT_EQ(o.lines.back(), "2003 0 ");
}

TEST(Pipeline, FailedDownloadIsDiagnosedInTheUsageEvents) {
  // The collector the fixture started keeps every record it receives.
  const std::string records = BuildPath("tests/download/collected.jsonl");
  const char* port = std::getenv("QV_DL_COLLECTOR_PORT");
  ASSERT_TRUE(port);
  Fetch(std::string("http://127.0.0.1:") + port + "/_reset");
  std::wstring folder = ScratchFolder(L"pipe_diag");
  const std::wstring collect = L" -collecturl=http://127.0.0.1:" + Utils::ToWide(port, 0) + L"/collect?project=pc";

  // With analytics off the same failure reports nothing at all.
  Outcome off = RunPipeline(L"-downloadurl=" + PackageUrl("head404=1&t=pipediagoff") + L" -downloadtype=1 \"-instdir=" +
                            folder + L"\"" + collect);
  EXPECT_EQ(off.exitCode, 1u);
  EXPECT_EQ(ReadBytes(Utils::ToWide(records, 0), 1 << 20), "");
  Outcome o = RunPipeline(
      L"-downloadurl=" + PackageUrl("head404=1&t=pipediag") + L" -downloadtype=1 \"-instdir=" + folder + L"\"" + collect,
      true);
  EXPECT_EQ(o.exitCode, 1u);
  std::string text = ReadBytes(Utils::ToWide(records, 0), 1 << 20);
  std::vector<std::string> reasons;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find("\"ov_task_name\":\"下载失败原因\"") == std::string::npos) continue;
    EXPECT_NE(line.find("\"ovc_ab\":\"IN\""), std::string::npos) << line;
    size_t at = line.find("\"ov_reason\":\"");
    if (at != std::string::npos) reasons.push_back(line.substr(at + 13, line.find('"', at + 13) - at - 13));
  }
  // Each header stage that saw the 404 reports it, six attempts of two
  // stages each, then the diagnosis of the failed download.
  int statusReports = 0, diagnoses = 0;
  for (const std::string& r : reasons) {
    if (r == "1.获取文件大小的状态码为=404；") ++statusReports;
    if (r.rfind("1.code=-998；2.msg=LibCurl；3.缓存磁盘容量=", 0) == 0) {
      ++diagnoses;
      EXPECT_NE(r.find("G；4.缓存读写权限=可读；5.服务器连接状态code="), std::string::npos) << r;
    }
  }
  EXPECT_EQ(statusReports, 12);
  EXPECT_EQ(diagnoses, 1);
}

TEST(Pipeline, UsageError) {
  EXPECT_EQ(RunPipeline(L"-downloadtype=1").exitCode, 2u);
}

TEST(Controller, PackagePathAndTheRememberedPackage) {
  curl_global_init(CURL_GLOBAL_ALL);
  InstallerSettings::Mutable().DownloadType = 1;
  InstallerSettings::Mutable().IsEnableAppTelemetry = false;
  EXPECT_EQ(CDownloadInstaller::PackagePathFor(L"D:\\Apps\\X"), L"D:\\Apps\\X\\__Package_Quelvox.exe");

  std::wstring a = ScratchFolder(L"ctl_a"), b = ScratchFolder(L"ctl_b");
  Recorder rec;
  CDownloadInstaller controller(rec.Callback(), L"", L"", L"", true, true, true);
  // A failed download in A: its package path is deleted and remembered.
  controller.Set(PackageUrl("head404=1&t=ctl_a"), L"", L"", a, true, false, true, true);
  controller.Start();
  ASSERT_TRUE(rec.WaitClosing(60000, {1004}));
  // The window hears of the failure before the controller has cleaned up.
  for (int i = 0; i < 100 && CDownloadInstaller::RememberedPackagePath().empty(); ++i) Sleep(50);
  EXPECT_EQ(CDownloadInstaller::RememberedPackagePath(), a + L"\\__Package_Quelvox.exe");
  // Something lands at A's package path again; the clean-up after the
  // installation in B removes it too.
  WriteBytes(a + L"\\__Package_Quelvox.exe", "left over");
  rec.Clear();
  // A new controller (the downloader keeps its address, so the second
  // attempt of the window goes through a fresh one here).
  {
    CDownloadInstaller second(rec.Callback(), L"", L"", L"", true, true, true);
    second.Set(PackageUrl("t=ctl_b"), L"", L"", b, false, true, true, true);
    second.Start();
    ASSERT_TRUE(rec.WaitClosing(120000, {2003, 2004, 1004}));
    // The report reaches the window before the clean-up; destroying the
    // controller waits for the install runner and so for the clean-up.
  }
  EXPECT_EQ(rec.Codes().back(), 2003);
  EXPECT_FALSE(Exists(b + L"\\__Package_Quelvox.exe"));
  EXPECT_FALSE(Exists(a + L"\\__Package_Quelvox.exe"));
  EXPECT_EQ(CDownloadInstaller::RememberedPackagePath(), b + L"\\__Package_Quelvox.exe");
  // The flags reached the package in their own places (-dsc false, -ssc true).
  EXPECT_FALSE(Exists(b + L"\\desktop_shortcut.txt"));
  EXPECT_TRUE(Exists(b + L"\\quicklaunch_shortcut.txt"));
  curl_global_cleanup();
}
