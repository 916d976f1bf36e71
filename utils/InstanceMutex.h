// The named mutex that keeps a second copy of the installer from running.
#pragma once

#include <windows.h>

#include <string>

namespace Utils {

class InstanceMutex {
 public:
  explicit InstanceMutex(std::wstring baseName) : baseName_(std::move(baseName)) {}
  ~InstanceMutex() { Release(); }
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;

  // Creates "D1A547DB89C0BC61_" + base name, asking for ownership. When the
  // mutex already existed the handle stays null. True when this copy holds it.
  bool Create();
  // Releases and closes the mutex if held.
  void Release();

  HANDLE Handle() const { return handle_; }
  static std::wstring FullName(const std::wstring& baseName) { return L"D1A547DB89C0BC61_" + baseName; }

 private:
  std::wstring baseName_;
  HANDLE handle_ = nullptr;
};

}  // namespace Utils
