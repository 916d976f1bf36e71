// The environment values the tracker reports: system name and version,
// bitness, screen size, locale, and the activity event's user agent.
#pragma once

#include <string>

namespace orvan {
namespace telemetry {

struct OsVersion {
  bool known = false;
  unsigned major = 0, minor = 0, build = 0;
};

OsVersion QueryOsVersion();  // RtlGetNtVersionNumbers, looked up at run time
// The version text for the given numbers (serverR2: SM_SERVERR2 non-zero).
std::string OsVersionText(const OsVersion& version, bool is64Bit, bool serverR2);
void GetOsNameAndVersion(std::string& name, std::string& version);
bool Is64BitSystem();
// False (and all three left empty) when the system cannot tell.
bool GetSystemLocale(std::string& language, std::string& country, std::string& locale);
std::string BuildUserAgent();
int ScreenWidth();
int ScreenHeight();

}  // namespace telemetry
}  // namespace orvan
