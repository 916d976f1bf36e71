// The installer's temporary working folder.
#pragma once

#include <string>

namespace Utils {

// The user's temporary folder + "~OrvanTemp.92482B06FB471E17\", created when
// missing; empty when it cannot be made.
std::wstring GetTempWorkDir();

}  // namespace Utils
