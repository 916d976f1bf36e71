// String values under the product's key HKEY_CURRENT_USER\Software\OrvanSoft\Quelvox.
#pragma once

#include <windows.h>

#include <string>

namespace Utils {

extern const wchar_t kProductRegistryKey[];  // L"Software\\OrvanSoft\\Quelvox"

// Reads the value; the stored data need not end with a terminator.
bool ReadRegistryString(const std::wstring& name, DWORD* type, std::wstring* value);
// Writes REG_SZ data of exactly twice the character count (no terminator).
bool WriteRegistryString(const std::wstring& name, const std::wstring& value);

}  // namespace Utils
