#include "utils/ProductRegistry.h"

#include <vector>

namespace Utils {

const wchar_t kProductRegistryKey[] = L"Software\\OrvanSoft\\Quelvox";

namespace {

class KeyHandle {
 public:
  ~KeyHandle() {
    if (key) ::RegCloseKey(key);
  }
  HKEY key = nullptr;
};

}  // namespace

bool ReadRegistryString(const std::wstring& name, DWORD* type, std::wstring* value) {
  KeyHandle handle;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kProductRegistryKey, 0, KEY_READ, &handle.key) != ERROR_SUCCESS) {
    handle.key = nullptr;
    return false;
  }
  DWORD kind = 0, size = 0;
  if (::RegQueryValueExW(handle.key, name.c_str(), nullptr, &kind, nullptr, &size) != ERROR_SUCCESS) return false;
  // Room for one more character, zero-filled: the data may lack its terminator.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
  DWORD bytes = size;
  if (::RegQueryValueExW(handle.key, name.c_str(), nullptr, &kind, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
      ERROR_SUCCESS)
    return false;
  if (type) *type = kind;
  if (value) *value = buffer.data();
  return true;
}

bool WriteRegistryString(const std::wstring& name, const std::wstring& value) {
  KeyHandle handle;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kProductRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &handle.key, nullptr) != ERROR_SUCCESS) {
    handle.key = nullptr;
    return false;
  }
  return ::RegSetValueExW(handle.key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace Utils
