// The diagnostic trace: one line per call on the debugger channel.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Utils {

// Formats a wide printf format (runtime library rules: %s is a wide string)
// and hands the text to the debugger channel in one call. Never fails loudly.
void DebugPrint(const wchar_t* format, ...);

// "bool Utils::Foo::Bar(int)" -> "Utils::Foo::Bar": the qualified name of a
// function from the compiler's pretty function text.
std::wstring QualifiedFunctionName(const char* prettyFunction);

}  // namespace Utils

#define UTILS_LOG_PREFIX L"<P%05d><T%05d><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%s)<%04d>: "

#ifdef _WIN32
// UTILS_LOG(L"message %d\r\n", value): the call site supplies the prefix
// arguments (process, thread, local time, function, line).
#define UTILS_LOG(fmt, ...)                                                                   \
  do {                                                                                        \
    SYSTEMTIME utilsLogTime_;                                                                 \
    ::GetLocalTime(&utilsLogTime_);                                                           \
    ::Utils::DebugPrint(UTILS_LOG_PREFIX fmt, (int)::GetCurrentProcessId(),                   \
                        (int)::GetCurrentThreadId(), (int)utilsLogTime_.wYear,                \
                        (int)utilsLogTime_.wMonth, (int)utilsLogTime_.wDay,                   \
                        (int)utilsLogTime_.wHour, (int)utilsLogTime_.wMinute,                 \
                        (int)utilsLogTime_.wSecond, (int)utilsLogTime_.wMilliseconds,         \
                        ::Utils::QualifiedFunctionName(__PRETTY_FUNCTION__).c_str(),          \
                        (int)__LINE__, ##__VA_ARGS__);                                        \
  } while (0)
#endif
