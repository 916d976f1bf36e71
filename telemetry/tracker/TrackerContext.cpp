#include "telemetry/tracker/TrackerContext.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <random>

#include "telemetry/tracker/SystemInfo.h"
#include "utils/TextConvert.h"

namespace orvan {
namespace telemetry {

namespace {

std::wstring W(const std::string& utf8) { return Utils::ToWide(utf8, 65001); }
std::string N(const std::wstring& wide) { return Utils::ToNarrow(wide, 65001); }

std::wstring ReadIni(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buffer[128] = {0};
  GetPrivateProfileStringW(section, key, L"", buffer, 128, file.c_str());
  return buffer;
}

void WriteIni(const std::wstring& file, const wchar_t* section, const wchar_t* key, const std::wstring& value) {
  WritePrivateProfileStringW(section, key, value.c_str(), file.c_str());
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ExeDirectory() {
  wchar_t path[MAX_PATH] = {0};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  size_t slash = p.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash + 1);
}

std::wstring DefaultDataDirectory(const std::string& appName) {
  OsVersion v = QueryOsVersion();
  bool modern = v.known && (v.major > 6 || (v.major == 6 && v.minor > 0));
  int csidl = modern ? CSIDL_LOCAL_APPDATA : CSIDL_COMMON_DOCUMENTS;
  wchar_t folder[MAX_PATH] = {0};
  if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) return L"";
  wchar_t shortPath[MAX_PATH] = {0};
  DWORD n = GetShortPathNameW(folder, shortPath, MAX_PATH);
  std::wstring base = (n > 0 && n < MAX_PATH) ? std::wstring(shortPath, n) : std::wstring(folder);
  return base + L"\\OVLocal\\" + W(appName) + L"\\";
}

}  // namespace

bool CreateDirectoryLevels(const std::wstring& path) {
  if (path.empty()) return false;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == L'\\' || path[i] == L'/') {
      std::wstring part = path.substr(0, i);
      if (part.empty() || part.back() == L':') continue;
      if (!FileExists(part)) CreateDirectoryW(part.c_str(), nullptr);
    }
  }
  return FileExists(path);
}

std::string NewDistinctId() {
  GUID guid;
  HRESULT hr = CoCreateGuid(&guid);
  for (int repeat = 0; FAILED(hr) && repeat < 10; ++repeat) hr = CoCreateGuid(&guid);
  char text[64];
  if (SUCCEEDED(hr)) {
    std::snprintf(text, sizeof text, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
  }
  static std::mutex lock;
  static std::mt19937 generator;  // default seed 5489
  std::lock_guard<std::mutex> guard(lock);
  unsigned r[8];
  for (auto& x : r) x = generator() & 0x7FFFFFFF;
  r[3] = (r[3] & 0xFFF) + 0x4000;
  r[4] = r[4] % 0x3FFF + 0x8000;
  std::snprintf(text, sizeof text, "%x%x-%x-%x-%x-%x%x%x", r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]);
  return text;
}

void TrackerContext::ResolveFiles(const std::string& appName, const std::string& configuredLogPath) {
  std::wstring setIni = ExeDirectory() + L"Set.ini";
  std::wstring configured;
  if (FileExists(setIni)) configured = ReadIni(setIni, L"Install", L"OVTelemetryIni");
  for (auto& c : configured)
    if (c == L'/') c = L'\\';
  size_t slash = configured.find_last_of(L'\\');
  if (!configured.empty() && slash != std::wstring::npos) {
    identityFile = configured;
    dataDirectory = configured.substr(0, slash) + L"\\";
    CreateDirectoryLevels(dataDirectory.substr(0, dataDirectory.size() - 1));
  } else {
    dataDirectory = DefaultDataDirectory(appName);
    CreateDirectoryLevels(dataDirectory.substr(0, dataDirectory.size() ? dataDirectory.size() - 1 : 0));
    identityFile = dataDirectory + W(appName) + L"_OVSConfigure.ini";
  }
  logPath = configuredLogPath.empty() ? N(dataDirectory + W(appName) + L"_OVSLog.txt") : configuredLogPath;
}

std::wstring TrackerContext::StagingFile(const std::string& appName) const {
  return dataDirectory + W(appName) + L"_OVSRecords.txt";
}

void TrackerContext::LoadIdentity() {
  userId.clear();
  distinctId.clear();
  primaryDistinctId.clear();
  storedUrl.clear();
  isLoggedIn = false;
  userVipLevel = 0;
  if (FileExists(identityFile)) {
    distinctId = N(ReadIni(identityFile, L"Base", L"DistinctId"));
    primaryDistinctId = N(ReadIni(identityFile, L"Base", L"PrimaryDistinctId"));
    if (primaryDistinctId.empty()) primaryDistinctId = distinctId;
    userId = N(ReadIni(identityFile, L"Base", L"UserId"));
    userVipLevel = static_cast<int>(GetPrivateProfileIntW(L"Base", L"UserVipLevel", 0, identityFile.c_str()));
    isLoggedIn = ReadIni(identityFile, L"Base", L"isLogined") == L"OK";
    storedUrl = N(ReadIni(identityFile, L"Base", L"URL"));
  }
  if (distinctId.empty()) {
    distinctId = NewDistinctId();
    SaveIdentity();
  }
}

void TrackerContext::SettleIdentity(const std::string& url) {
  if (storedUrl != url || distinctId.empty()) {
    userId.clear();
    isLoggedIn = false;
    if (primaryDistinctId.empty()) {
      distinctId = NewDistinctId();
      primaryDistinctId = distinctId;
    } else {
      distinctId = primaryDistinctId;
    }
    storedUrl = url;
    SaveIdentity();
  }
  if (userId.empty()) isLoggedIn = false;
}

void TrackerContext::SaveIdentity() {
  WriteIni(identityFile, L"Base", L"DistinctId", W(distinctId));
  WriteIni(identityFile, L"Base", L"PrimaryDistinctId", W(primaryDistinctId));
  WriteIni(identityFile, L"Base", L"UserId", W(userId));
  WriteIni(identityFile, L"Base", L"UserVipLevel", std::to_wstring(userVipLevel));
  WriteIni(identityFile, L"Base", L"URL", W(storedUrl));
  WriteIni(identityFile, L"Base", L"isLogined", isLoggedIn ? L"OK" : L"NG");
}

void TrackerContext::SaveAppInfo(const std::string& appName, const std::string& appVersion,
                                 const std::string& appStore) {
  WriteIni(identityFile, L"UninstallInfo", L"AppStore", W(appStore));
  WriteIni(identityFile, L"UninstallInfo", L"AppName", W(appName));
  WriteIni(identityFile, L"UninstallInfo", L"AppVersion", W(appVersion));
}

}  // namespace telemetry
}  // namespace orvan
