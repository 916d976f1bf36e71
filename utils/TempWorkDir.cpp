#include "utils/TempWorkDir.h"

#include <windows.h>

#include "utils/CreateDirectories.h"

namespace Utils {

std::wstring GetTempWorkDir() {
  wchar_t temp[MAX_PATH + 1] = {};
  DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) return L"";
  std::wstring folder = std::wstring(temp, n);
  if (folder.back() != L'\\') folder.push_back(L'\\');
  folder += L"~OrvanTemp.92482B06FB471E17\\";
  return CreateDirectories(folder) ? folder : std::wstring();
}

}  // namespace Utils
