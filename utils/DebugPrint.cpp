#include "utils/DebugPrint.h"

#include <cstdarg>
#include <cstdlib>
#include <cwchar>

namespace Utils {

std::wstring QualifiedFunctionName(const char* pretty) {
  std::string s = pretty ? pretty : "";
  // The parameter list starts at the first '(' outside template brackets.
  int angle = 0;
  size_t open = std::string::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '<') ++angle;
    else if (c == '>') { if (angle > 0) --angle; }
    else if (c == '(' && angle == 0) {
      // "operator()" keeps its own brackets.
      if (i >= 8 && s.compare(i - 8, 8, "operator") == 0 && i + 1 < s.size() && s[i + 1] == ')') { ++i; continue; }
      open = i;
      break;
    }
  }
  std::string head = open == std::string::npos ? s : s.substr(0, open);
  // The return type ends at the last blank outside template brackets.
  angle = 0;
  size_t start = 0;
  for (size_t i = 0; i < head.size(); ++i) {
    char c = head[i];
    if (c == '<') ++angle;
    else if (c == '>') { if (angle > 0) --angle; }
    else if (c == ' ' && angle == 0) start = i + 1;
  }
  std::string name = head.substr(start);
  // Lambdas: "Outer::Method()::<lambda(...)>" keeps the outer method's name.
  if (open != std::string::npos && open + 1 < s.size()) {
    size_t lam = s.find(")::<lambda", open);
    if (lam != std::string::npos) name += s.substr(lam + 1);
  }
  return std::wstring(name.begin(), name.end());
}

#ifdef _WIN32
void DebugPrint(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  va_list counting;
  va_copy(counting, args);
  int needed = _vscwprintf(format, counting);
  va_end(counting);
  if (needed < 0) { va_end(args); return; }
  size_t size = static_cast<size_t>(needed) + 2;
  wchar_t* buffer = static_cast<wchar_t*>(std::calloc(size, sizeof(wchar_t)));
  if (!buffer) { va_end(args); return; }
  _vsnwprintf(buffer, size - 1, format, args);
  va_end(args);
  ::OutputDebugStringW(buffer);
  std::free(buffer);
}
#endif

}  // namespace Utils
