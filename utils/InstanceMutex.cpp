#include "utils/InstanceMutex.h"

namespace Utils {

bool InstanceMutex::Create() {
  if (!handle_) {
    handle_ = ::CreateMutexW(nullptr, TRUE, FullName(baseName_).c_str());
    if (handle_ && ::GetLastError() == ERROR_ALREADY_EXISTS) {
      ::CloseHandle(handle_);
      handle_ = nullptr;
    }
  }
  return handle_ != nullptr;
}

void InstanceMutex::Release() {
  if (handle_) {
    ::ReleaseMutex(handle_);
    ::CloseHandle(handle_);
    handle_ = nullptr;
  }
}

}  // namespace Utils
