// The pure steps of reading the installer's settings: the switch map of the
// command line, the numeric prefixes, the boolean rule and the download
// route template. No Win32 calls.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace SettingsParse {

// Key -> value over all command-line tokens (the program path included). A
// token that begins with '-' and holds '=' splits at its first '=' (the key
// keeps its '-'); any other token is a key with an empty value. The first
// occurrence of a key wins.
std::map<std::wstring, std::wstring> BuildSwitchMap(const std::vector<std::wstring>& tokens);

// Leading white space, an optional sign and the longest run of digits; 0
// without a leading number. Values beyond 32 bits saturate.
int32_t ParseIntPrefix(const std::wstring& text);

// The longest decimal floating-point prefix (white space, sign, digits,
// point, digits, exponent) into *value; 0.0 without a leading number. A
// number outside the range of a double returns false and leaves *value.
bool ParseDoublePrefix(const std::wstring& text, double* value);

// Booleans are true only for the exact text "true".
inline bool IsTrueText(const std::wstring& text) { return text == L"true"; }

// The route for "${ROUTE}": "download_silent_xp" when the version name holds
// "XP", "download_silent_64" for a product with a 64-bit package on a 64-bit
// system, else "download_silent".
std::wstring ChooseRoute(const std::wstring& versionName, bool is64BitSystem);

// Replaces every "${ROUTE}" in the address with the chosen route; an address
// without the placeholder is returned unchanged.
std::wstring ApplyRouteTemplate(const std::wstring& address, const std::wstring& versionName,
                                bool is64BitSystem);

}  // namespace SettingsParse
