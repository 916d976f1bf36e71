#include "utils/TextConvert.h"

#ifdef _WIN32
#include <windows.h>
#include <vector>
#endif

namespace Utils {

std::string PercentEncodeBytes(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3 + 1);
  for (unsigned char b : bytes) {
    if (b >= 33 && b <= 126) {
      out.push_back(static_cast<char>(b));
    } else if (b == 32) {
      out.push_back('+');
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 15]);
    }
  }
  return out;
}

#ifdef _WIN32
std::string ToNarrow(const std::wstring& text, unsigned codePage) {
  const wchar_t* src = text.c_str();
  int size = ::WideCharToMultiByte(codePage, 0, src, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(size));
  if (::WideCharToMultiByte(codePage, 0, src, -1, buffer.data(), size, nullptr, nullptr) <= 0)
    return std::string();
  return std::string(buffer.data());
}

std::wstring ToWide(const std::string& text, unsigned codePage) {
  const char* src = text.c_str();
  int size = ::MultiByteToWideChar(codePage, 0, src, -1, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(size));
  if (::MultiByteToWideChar(codePage, 0, src, -1, buffer.data(), size) <= 0) return std::wstring();
  return std::wstring(buffer.data());
}

std::wstring UrlEncode(const std::wstring& text) {
  return ToWide(PercentEncodeBytes(ToNarrow(text, CP_UTF8)), CP_UTF8);
}
#endif

}  // namespace Utils
