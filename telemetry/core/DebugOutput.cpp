#include "telemetry/core/DebugOutput.h"

#ifdef _WIN32
#include <windows.h>

#include <string>

#include "utils/DebugPrint.h"
#endif

namespace telemetry_core {

void DebugOutput(const char* text) {
#ifdef _WIN32
  std::wstring wide(text, text + std::char_traits<char>::length(text));  // ASCII messages only
  UTILS_LOG(L"%s\r\n", wide.c_str());
#else
  (void)text;
#endif
}

}  // namespace telemetry_core
