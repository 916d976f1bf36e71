#include "app/SettingsParse.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace SettingsParse {

namespace {

const int kSoftwareNumber = 523;
const int kSoftwareWith64BitPackage[] = {267, 385, 257, 335, 318};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::map<std::wstring, std::wstring> BuildSwitchMap(const std::vector<std::wstring>& tokens) {
  std::map<std::wstring, std::wstring> map;
  for (const std::wstring& token : tokens) {
    std::wstring key = token, value;
    size_t eq = token.find(L'=');
    if (!token.empty() && token[0] == L'-' && eq != std::wstring::npos) {
      key = token.substr(0, eq);
      value = token.substr(eq + 1);
    }
    map.emplace(key, value);  // keeps an earlier occurrence
  }
  return map;
}

int32_t ParseIntPrefix(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) value = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  return static_cast<int32_t>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, value)));
}

bool ParseDoublePrefix(const std::wstring& text, double* out) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::string number;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number.push_back(static_cast<char>(text[i++]));
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) number.push_back(static_cast<char>(text[i]));
  if (i < text.size() && text[i] == L'.') {
    number.push_back('.');
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) number.push_back(static_cast<char>(text[i]));
  }
  if (digits == 0) {
    *out = 0.0;
    return true;
  }
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponent.push_back(static_cast<char>(text[j++]));
    size_t expDigits = 0;
    for (; j < text.size() && IsDigit(text[j]); ++j, ++expDigits) exponent.push_back(static_cast<char>(text[j]));
    if (expDigits > 0) number += exponent;
  }
  errno = 0;
  double value = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(value) || (errno == ERANGE && std::fabs(value) > 1.0)) return false;
  *out = value;
  return true;
}

std::wstring ChooseRoute(const std::wstring& versionName, bool is64BitSystem) {
  if (versionName.find(L"XP") != std::wstring::npos) return L"download_silent_xp";
  bool has64 = std::find(std::begin(kSoftwareWith64BitPackage), std::end(kSoftwareWith64BitPackage),
                         kSoftwareNumber) != std::end(kSoftwareWith64BitPackage);
  if (has64 && is64BitSystem) return L"download_silent_64";
  return L"download_silent";
}

std::wstring ApplyRouteTemplate(const std::wstring& address, const std::wstring& versionName,
                                bool is64BitSystem) {
  static const std::wstring kPlaceholder = L"${ROUTE}";
  if (address.find(kPlaceholder) == std::wstring::npos) return address;
  const std::wstring route = ChooseRoute(versionName, is64BitSystem);
  std::wstring out = address;
  for (size_t at = out.find(kPlaceholder); at != std::wstring::npos; at = out.find(kPlaceholder))
    out.replace(at, kPlaceholder.size(), route);
  return out;
}

}  // namespace SettingsParse
