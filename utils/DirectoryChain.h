// The folders CreateDirectories makes, in order (pure).
#pragma once

#include <string>
#include <vector>

namespace Utils {

const size_t kMaxDirectoryPath = 260;

// Every prefix of path that ends in a backslash (the drive root first), then
// the whole path when it does not end in one. Empty for a path longer than
// kMaxDirectoryPath characters.
std::vector<std::wstring> DirectoryChain(const std::wstring& path);

}  // namespace Utils
