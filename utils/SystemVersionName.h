// The version name the installer gives a Windows version (pure).
#pragma once

#include <string>

namespace Utils {

// "XP-", "2K", "XP", "Server 2003 R2"/"Server 2003", "XP+", "Vista", "7", "8",
// "8.1", "8.1+", "10", "10+", or "major.minor.build" for any other major.
std::wstring SystemVersionName(unsigned major, unsigned minor, unsigned build, bool serverR2);

}  // namespace Utils
