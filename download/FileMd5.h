// The digest of a file as the downloaders compare it with the address.
#pragma once

#include <string>

namespace Utils {

// MD5 of the file's raw bytes as 32 lower-case hexadecimal digits; empty
// text when the file cannot be opened. `path` is in the C runtime's narrow
// (ANSI) encoding.
std::string FileMd5(const std::string& path);

}  // namespace Utils
