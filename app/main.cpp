// Entry point of the installer: hardening, crash reporting, HTTP library,
// single instance, settings, tracker, then the main window until it closes.
#include <windows.h>

#include <curl/curl.h>

#include "app/InstallerSettings.h"
#include "app/LibrarySearch.h"
#include "app/MainWnd.h"
#include "app/ReportHooks.h"
#include "telemetry/tracker/Tracker.h"
#include "ui/WndShadow.h"
#include "utils/InstanceMutex.h"
#include "utils/TextConvert.h"

namespace {

LONG WINAPI CrashFilter(EXCEPTION_POINTERS*) {
  App::ReportTask(L"崩溃退出", 0, L"", App::ReportProperties{{L"AB", L"IN"}});
  App::ReportCrash();
  return EXCEPTION_CONTINUE_SEARCH;
}

void StartTracking(const InstallerSettings& s) {
  orvan::telemetry::TrackerConfig config;
  config.appName = Utils::ToNarrow(s.ProductCode + s.DlAppNameSuffix, CP_UTF8);
  config.appVersion = Utils::ToNarrow(s.ProductVersion, CP_UTF8);
  config.appStore = Utils::ToNarrow(s.ExeFileName, CP_UTF8);
  config.dlAppId = Utils::ToNarrow(s.ProductCode, CP_UTF8);
  config.dlAppVersion = Utils::ToNarrow(s.m_DlAppVersion, CP_UTF8);
  config.edition = 0;
  orvan::telemetry::StartTracker(config);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  App::HardenLibrarySearch();
  SetUnhandledExceptionFilter(CrashFilter);
  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    InstallerSettings::Mutable().CurlReady = false;
    App::ReportTask(L"libcurl初始化失败", 0, L"", App::ReportProperties{{L"AB", L"IN"}});
  }
  Utils::InstanceMutex mutex(L"Installer_Quelvox");
  if (!mutex.Create()) return -1;
  InstallerSettings::Mutable().ApplyCommandLine();
  const InstallerSettings& s = InstallerSettings::Get();
  if (s.IsEnableAppTelemetry) StartTracking(s);

  // The toolkit takes the module handle of the program and reads skins as
  // 7z packages; only the shadow class needs registering.
  CWndShadow::Initialize(instance);

  auto* wnd = new CMainWnd();
  if (wnd->Create(nullptr, L"Sonavex", 0x10CF0000, 0)) {
    wnd->CenterOnOwner();
    wnd->RunModal();
  }

  if (s.IsEnableAppTelemetry) orvan::telemetry::StopTracker();
  curl_global_cleanup();
  delete wnd;
  mutex.Release();
  return 0;
}
