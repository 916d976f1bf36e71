#include "utils/GuidString.h"

#include <cwchar>

#ifdef _WIN32
#include <objbase.h>
#endif

namespace Utils {

std::wstring FormatGuidString(uint32_t d1, uint16_t d2, uint16_t d3, const uint8_t d4[8]) {
  wchar_t buffer[50] = {};
  swprintf(buffer, 50, L"%08X%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X", (unsigned)d1, (unsigned)d2, (unsigned)d3,
           d4[0], d4[1], d4[2], d4[3], d4[4], d4[5], d4[6], d4[7]);
  return buffer;
}

#ifdef _WIN32
std::wstring CreateGuidString() {
  GUID guid{};
  if (FAILED(::CoCreateGuid(&guid))) return L"";
  return FormatGuidString(guid.Data1, guid.Data2, guid.Data3, guid.Data4);
}
#endif

}  // namespace Utils
