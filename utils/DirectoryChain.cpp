#include "utils/DirectoryChain.h"

namespace Utils {

std::vector<std::wstring> DirectoryChain(const std::wstring& path) {
  std::vector<std::wstring> chain;
  if (path.size() > kMaxDirectoryPath) return chain;
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == L'\\') chain.push_back(path.substr(0, i + 1));
  if (!path.empty() && path.back() != L'\\') chain.push_back(path);
  return chain;
}

}  // namespace Utils
