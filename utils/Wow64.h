// Whether the system is 64-bit (the installer itself is a 32-bit program).
#pragma once

namespace Utils {

bool IsWow64();

}  // namespace Utils
