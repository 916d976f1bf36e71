// Which Windows this is, as the download route choice and the analytics see it.
#pragma once

#include <string>

namespace Utils {

// family is always "Windows"; version is the name from SystemVersionName for
// the numbers RtlGetNtVersionNumbers reports ("XP-" when they cannot be read).
void GetSystemVersion(std::wstring& family, std::wstring& version);

}  // namespace Utils
