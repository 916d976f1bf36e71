#include "app/InstallerSettings.h"

#include "app/SettingsParse.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "utils/SystemVersion.h"
#include "utils/Wow64.h"
#endif

#ifndef QV_DEFAULT_DOWNLOAD_HOST
#define QV_DEFAULT_DOWNLOAD_HOST "127.0.0.1:18273"
#endif

namespace {

const wchar_t kProductCode[] = L"Quelvox";
const wchar_t kProductVersion[] = L"1.7.9";

}  // namespace

InstallerSettings::InstallerSettings()
    : ProductCode(kProductCode),
      ProductVersion(kProductVersion),
      ExeFileName(L"NULL"),
      DlAppNameSuffix(L".downloader"),
      DownloadUrl(DefaultDownloadUrl()),
      DownloadType(1),
      IsCheckNet(false),
      IsEnableAppTelemetry(true),
      DownloadScale(0.7),
      AbGroup(L"IN"),
      CurlReady(true) {}

std::wstring InstallerSettings::DefaultDownloadUrl() {
  return std::wstring(L"http://") + L"" QV_DEFAULT_DOWNLOAD_HOST + L"/software/273";
}

void InstallerSettings::FixIdentity() {
  ProductCode = kProductCode;
  ProductVersion = kProductVersion;
}

void InstallerSettings::ApplySwitches(const std::vector<std::wstring>& tokens, const std::wstring& versionName,
                                      bool is64BitSystem) {
  const auto map = SettingsParse::BuildSwitchMap(tokens);
  auto value = [&](const wchar_t* key) -> const std::wstring* {
    auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
  };
  if (auto v = value(L"-downloadurl")) DownloadUrl = SettingsParse::ApplyRouteTemplate(*v, versionName, is64BitSystem);
  if (auto v = value(L"-downloadtype")) DownloadType = SettingsParse::ParseIntPrefix(*v);
  // No leading number gives 0.0, as in the settings file; a number outside
  // the range of a double leaves the earlier value in force.
  if (auto v = value(L"-downloadscale")) SettingsParse::ParseDoublePrefix(*v, &DownloadScale);
  if (auto v = value(L"-ischecknet")) IsCheckNet = SettingsParse::IsTrueText(*v);
  if (auto v = value(L"-isenableapptelemetry")) IsEnableAppTelemetry = SettingsParse::IsTrueText(*v);
  if (auto v = value(L"-dlappnamesuffix")) DlAppNameSuffix = *v;
  if (auto v = value(L"-dlappversion")) m_DlAppVersion = *v;
  if (auto v = value(L"-instcmd")) InstCmd = *v;
}

#ifdef _WIN32

namespace {

struct RouteInputs {
  std::wstring versionName;
  bool is64 = false;
};

RouteInputs CurrentRouteInputs() {
  RouteInputs r;
  std::wstring family;
  Utils::GetSystemVersion(family, r.versionName);
  r.is64 = Utils::IsWow64();
  return r;
}

std::wstring ReadProfileString(const std::wstring& file, const wchar_t* key, const wchar_t* fallback) {
  wchar_t buffer[260] = {};
  ::GetPrivateProfileStringW(L"Install", key, fallback, buffer, 260, file.c_str());
  return buffer;
}

std::wstring RunningExePath() {
  std::vector<wchar_t> path(32768);
  DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  return std::wstring(path.data(), n);
}

}  // namespace

void InstallerSettings::LoadDefaultsAndFile(const std::wstring& exePath) {
  *this = InstallerSettings();
  const RouteInputs route = CurrentRouteInputs();
  DownloadUrl = SettingsParse::ApplyRouteTemplate(DownloadUrl, route.versionName, route.is64);

  size_t slash = exePath.find_last_of(L"\\/");
  ExeFileName = slash == std::wstring::npos ? exePath : exePath.substr(slash + 1);
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : exePath.substr(0, slash);
  const std::wstring file = folder + L"\\OrvanInstallerConfig.ini";

  DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    const std::wstring defaultUrl = DefaultDownloadUrl();
    DownloadUrl = SettingsParse::ApplyRouteTemplate(ReadProfileString(file, L"DownloadUrl", defaultUrl.c_str()),
                                                    route.versionName, route.is64);
    DownloadType = static_cast<int32_t>(::GetPrivateProfileIntW(L"Install", L"DownloadType", 1, file.c_str()));
    IsCheckNet = SettingsParse::IsTrueText(ReadProfileString(file, L"IsCheckNet", L"true"));
    IsEnableAppTelemetry = SettingsParse::IsTrueText(ReadProfileString(file, L"IsEnableAppTelemetry", L"true"));
    DlAppNameSuffix = ReadProfileString(file, L"DlAppNameSuffix", L".downloader");
    m_DlAppVersion = ReadProfileString(file, L"m_DlAppVersion", L"");
    SettingsParse::ParseDoublePrefix(ReadProfileString(file, L"DownloadScale", L"0.7"), &DownloadScale);
    InstCmd = ReadProfileString(file, L"InstCmd", L"");
  }
  FixIdentity();
}

void InstallerSettings::ApplyCommandLine() { ApplyCommandLine(::GetCommandLineW()); }

void InstallerSettings::ApplyCommandLine(const std::wstring& commandLine) {
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(commandLine.c_str(), &count);
  if (!argv) return;
  std::vector<std::wstring> tokens(argv, argv + count);
  ::LocalFree(argv);
  const RouteInputs route = CurrentRouteInputs();
  ApplySwitches(tokens, route.versionName, route.is64);
}

InstallerSettings& InstallerSettings::Instance() {
  static InstallerSettings* settings = [] {
    static InstallerSettings record;
    record.LoadDefaultsAndFile(RunningExePath());
    return &record;
  }();
  return *settings;
}

namespace {
// Fills the record while static objects are constructed, before the entry point.
[[maybe_unused]] const bool g_settingsLoaded = (InstallerSettings::Instance(), true);
}  // namespace

#endif
