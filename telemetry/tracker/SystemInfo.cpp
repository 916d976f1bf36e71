#include "telemetry/tracker/SystemInfo.h"

#include <windows.h>

namespace orvan {
namespace telemetry {

OsVersion QueryOsVersion() {
  OsVersion v;
  typedef void(WINAPI * RtlGetNtVersionNumbersFn)(DWORD*, DWORD*, DWORD*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return v;
  auto fn = reinterpret_cast<RtlGetNtVersionNumbersFn>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
  if (!fn) return v;
  DWORD major = 0, minor = 0, build = 0;
  fn(&major, &minor, &build);
  v.known = true;
  v.major = major;
  v.minor = minor;
  v.build = build & 0xFFFF;
  return v;
}

std::string OsVersionText(const OsVersion& v, bool is64, bool serverR2) {
  if (!v.known || v.major <= 4) return "XP-";
  if (v.major == 5) {
    if (v.minor == 0) return "2K";
    if (v.minor == 1) return "XP";
    if (v.minor == 2) return is64 ? "XP64" : (serverR2 ? "Server 2003 R2" : "Server 2003");
    return "XP+";
  }
  if (v.major == 6) {
    switch (v.minor) {
      case 0: return is64 ? "Vista64" : "Vista";
      case 1: return is64 ? "7" : "7-32";
      case 2: return is64 ? "8" : "8-32";
      case 3: return "8.1";
      default: return "8.1+";
    }
  }
  if (v.major == 10) {
    if (v.minor == 0) return v.build < 22000 ? "10" : "11";
    return "11+";
  }
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build);
}

void GetOsNameAndVersion(std::string& name, std::string& version) {
  name = "Windows";
  version = OsVersionText(QueryOsVersion(), Is64BitSystem(), GetSystemMetrics(SM_SERVERR2) != 0);
}

bool Is64BitSystem() {
  typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleW(L"kernel32");
  if (kernel) {
    auto fn = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow = FALSE;
    if (fn && fn(GetCurrentProcess(), &wow)) return wow != FALSE;
  }
  SYSTEM_INFO info;
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

bool GetSystemLocale(std::string& language, std::string& country, std::string& locale) {
  char lang[16] = {0}, ctry[16] = {0};
  if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, lang, sizeof lang) ||
      !GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, ctry, sizeof ctry))
    return false;
  language = lang;
  country = ctry;
  locale = language + "_" + country;
  return true;
}

std::string BuildUserAgent() {
  std::string name, version;
  GetOsNameAndVersion(name, version);
  return "Mozilla/5.0(" + name + " " + version + "; Win" + (Is64BitSystem() ? "64;)" : "32;)");
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace telemetry
}  // namespace orvan
