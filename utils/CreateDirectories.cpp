#include "utils/CreateDirectories.h"

#include <windows.h>

#include "utils/DirectoryChain.h"

namespace Utils {

namespace {
bool FolderExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

bool CreateDirectories(const std::wstring& path) {
  const std::vector<std::wstring> chain = DirectoryChain(path);
  if (chain.empty()) return false;
  for (const std::wstring& folder : chain) {
    if (FolderExists(folder)) continue;
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && !FolderExists(folder)) return false;
  }
  return true;
}

}  // namespace Utils
