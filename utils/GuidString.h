// A new GUID as 32 hexadecimal characters, without braces or dashes.
#pragma once

#include <cstdint>
#include <string>

namespace Utils {

// "%08X%04X%04x" and eight "%02X": the third group prints in lower case. Pure.
std::wstring FormatGuidString(uint32_t data1, uint16_t data2, uint16_t data3, const uint8_t data4[8]);

#ifdef _WIN32
std::wstring CreateGuidString();
#endif

}  // namespace Utils
