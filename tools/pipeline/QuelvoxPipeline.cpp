// The installer's download-install pipeline without its window:
//
//   QuelvoxPipeline.exe -downloadurl=URL -downloadtype=N -instdir=DIR
//       [-olduninstaller=PATH] [-dsc=true|false] [-ssc=true|false] [-instcmd=TEXT]
//       [-collecturl=URL]   (analytics endpoint; default: the built-in one)
//
// Loads the settings like the installer (the file beside the program, then
// the switches), runs the controller and prints every report on standard
// output as one line "code value text" (text in UTF-8). Exit code 0 after a
// successful installation (2003), 1 when the pipeline stops (1004, 2004,
// 5004, 5005), 2 on a usage error. Usage events are reported as the
// installer reports them when analytics are enabled.
#include <windows.h>
#include <shellapi.h>

#include <curl/curl.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "app/InstallProgress.h"
#include "app/InstallerSettings.h"
#include "app/ReportHooks.h"
#include "install/CDownloadInstaller.h"
#include "telemetry/tracker/Tracker.h"
#include "utils/TextConvert.h"

namespace {

const wchar_t kUsage[] =
    L"usage: QuelvoxPipeline.exe -downloadurl=URL -downloadtype=N -instdir=DIR [-olduninstaller=PATH]"
    L" [-dsc=true|false] [-ssc=true|false] [-instcmd=TEXT]\n";

std::map<std::wstring, std::wstring> Switches() {
  std::map<std::wstring, std::wstring> out;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    std::wstring token = argv[i];
    size_t eq = token.find(L'=');
    std::wstring key = token.substr(0, eq), value = eq == std::wstring::npos ? L"" : token.substr(eq + 1);
    if (!key.empty() && key[0] == L'-' && !out.count(key.substr(1))) out[key.substr(1)] = value;
  }
  LocalFree(argv);
  return out;
}

// The installer's usage events around the pipeline's reports.
class Hooks {
 public:
  explicit Hooks(std::wstring installFolder) : folder_(std::move(installFolder)) {}
  void OnReport(int32_t code, double value, const std::wstring& text) {
    const App::ReportProperties ab{{L"AB", InstallerSettings::Get().AbGroup}};
    switch (code) {
      case 1001:
        if (!started_) App::ReportTask(L"下载器启动", 0, L"", ab);
        started_ = true;
        App::ReportTask(L"开始下载大包", 0, L"", ab);
        since_ = std::chrono::steady_clock::now();
        break;
      case 1003: {
        float elapsed = std::chrono::duration<float>(std::chrono::steady_clock::now() - since_).count();
        App::ReportTask(L"大包下载完毕", elapsed, L"", ab);
        break;
      }
      case 1004:
        App::ReportTask(L"下载失败原因", 0, App::DiagnoseDownloadFailure(folder_, value, text), ab);
        break;
      case 1006:
        App::ReportTask(L"下载失败原因", 0, App::ShortReason(value, text), ab);
        break;
      case 2003:
        App::ReportTask(L"安装成功", 0, L"", ab);
        break;
      case 2004:
        App::ReportTask(L"安装失败原因", 0, App::ShortReason(value, text), ab);
        break;
      default:
        break;
    }
  }

 private:
  std::wstring folder_;
  bool started_ = false;
  std::chrono::steady_clock::time_point since_;
};

}  // namespace

int wmain() {
  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) InstallerSettings::Mutable().CurlReady = false;
  InstallerSettings::Mutable().ApplyCommandLine();
  const InstallerSettings& s = InstallerSettings::Get();
  auto sw = Switches();
  if (!sw.count(L"downloadurl") || !sw.count(L"downloadtype") || !sw.count(L"instdir") || sw[L"instdir"].empty()) {
    std::fputws(kUsage, stderr);
    return 2;
  }
  const std::wstring folder = sw[L"instdir"];
  const bool desktop = !sw.count(L"dsc") || sw[L"dsc"] == L"true";
  const bool quickLaunch = !sw.count(L"ssc") || sw[L"ssc"] == L"true";

  if (s.IsEnableAppTelemetry) {
    orvan::telemetry::TrackerConfig config;
    config.appName = Utils::ToNarrow(s.ProductCode + s.DlAppNameSuffix, CP_UTF8);
    config.appVersion = Utils::ToNarrow(s.ProductVersion, CP_UTF8);
    config.appStore = Utils::ToNarrow(s.ExeFileName, CP_UTF8);
    config.dlAppId = Utils::ToNarrow(s.ProductCode, CP_UTF8);
    config.dlAppVersion = Utils::ToNarrow(s.m_DlAppVersion, CP_UTF8);
    config.edition = 0;
    if (sw.count(L"collecturl")) config.serverUrl = Utils::ToNarrow(sw[L"collecturl"], CP_UTF8);
    orvan::telemetry::StartTracker(config);
  }

  std::mutex lock;
  std::condition_variable done;
  int exitCode = -1;
  Hooks hooks(folder);
  {
    CDownloadInstaller controller(
        [&](int32_t code, double value, const std::wstring& text) {
          std::lock_guard<std::mutex> hold(lock);
          std::printf("%d %g %s\n", (int)code, value, Utils::ToNarrow(text, CP_UTF8).c_str());
          std::fflush(stdout);
          hooks.OnReport(code, value, text);
          if (code == 2003) exitCode = 0;
          if (code == 1004 || code == 2004 || code == 5004 || code == 5005) exitCode = 1;
          if (exitCode >= 0) done.notify_all();
        },
        L"", L"", L"", true, true, true);
    controller.Set(s.DownloadUrl, L"", sw[L"olduninstaller"], folder, desktop, quickLaunch, true, true);
    controller.Start();
    std::unique_lock<std::mutex> hold(lock);
    done.wait(hold, [&] { return exitCode >= 0; });
    hold.unlock();
  }
  if (s.IsEnableAppTelemetry) orvan::telemetry::StopTracker();
  curl_global_cleanup();
  return exitCode;
}
