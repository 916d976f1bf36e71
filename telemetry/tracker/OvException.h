// The tracker library's error: raised by its checks, caught by the wrapper.
#pragma once

#include <exception>
#include <string>

namespace orvan {
namespace telemetry {

class OvException : public std::exception {
 public:
  OvException(std::string message, const char* file, std::string function, int line)
      : message_(std::move(message)), file_(file ? file : ""), function_(std::move(function)), line_(line) {}

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& message() const { return message_; }
  const std::string& file() const { return file_; }
  const std::string& function() const { return function_; }
  int line() const { return line_; }

 private:
  std::string message_;
  std::string file_;
  std::string function_;
  int line_;
};

}  // namespace telemetry
}  // namespace orvan

// OV_THROW("trackTask", "ovEventTask.name is empty")
#define OV_THROW(function, message) throw ::orvan::telemetry::OvException((message), __FILE__, (function), __LINE__)
