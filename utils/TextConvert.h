// Conversions between wide strings (paths, UI text, Windows calls) and
// narrow strings (UTF-8 for HTTP and analytics, ANSI for the C runtime).
#pragma once

#include <string>

namespace Utils {

// The byte step of UrlEncode: printable ASCII but space unchanged, space as
// '+', every other byte as %XX (upper-case hex). Pure, no Win32.
std::string PercentEncodeBytes(const std::string& bytes);

#ifdef _WIN32
// codePage: 65001 for UTF-8, 0 for the system ANSI code page.
std::string ToNarrow(const std::wstring& text, unsigned codePage);
std::wstring ToWide(const std::string& text, unsigned codePage);
std::wstring UrlEncode(const std::wstring& text);
#endif

}  // namespace Utils
