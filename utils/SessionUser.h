// The user logged on at the active console session.
#pragma once

#include <string>

namespace Utils {

// True when the name could be read; userName is left as it was otherwise.
bool GetSessionUserName(std::wstring& userName);
// The same, empty when it cannot be read.
std::wstring GetSessionUserName();

}  // namespace Utils
