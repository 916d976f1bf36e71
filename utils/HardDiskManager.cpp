#include "utils/HardDiskManager.h"

#include <windows.h>

#include "utils/DebugPrint.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(const std::wstring& path) {
  ULARGE_INTEGER forUser{}, total{}, totalFree{};
  if (!::GetDiskFreeSpaceExW(path.c_str(), &forUser, &total, &totalFree)) {
    UTILS_LOG(L"HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n", static_cast<long>(::GetLastError()));
    return false;
  }
  freeBytesForUser = forUser.QuadPart;
  totalBytes = total.QuadPart;
  totalFreeBytes = totalFree.QuadPart;
  return true;
}

}  // namespace Utils
