// The exception the pipe and process helpers throw; the runners catch it as
// a std::exception and turn it into a failure report.
#pragma once

#include <exception>
#include <string>

namespace Utils {

class Exception : public std::exception {
 public:
  Exception() = default;
  explicit Exception(std::string message) : message_(std::move(message)) {}
#ifdef _WIN32
  // The message is converted with the ANSI code page.
  explicit Exception(const std::wstring& message);
#endif
  // The message, or "Unknown exception" when there is none.
  const char* what() const noexcept override;

 private:
  std::string message_;
};

}  // namespace Utils
