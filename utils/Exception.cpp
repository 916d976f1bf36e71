#include "utils/Exception.h"

#ifdef _WIN32
#include "utils/TextConvert.h"
#endif

namespace Utils {

#ifdef _WIN32
Exception::Exception(const std::wstring& message) : message_(ToNarrow(message, 0)) {}
#endif

const char* Exception::what() const noexcept {
  return message_.empty() ? "Unknown exception" : message_.c_str();
}

}  // namespace Utils
