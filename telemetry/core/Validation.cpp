#include "telemetry/core/Validation.h"

#include <cstdio>

namespace telemetry_core {

namespace {
bool Continuation(unsigned char c, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return c >= low && c <= high;
}
}  // namespace

bool IsValidUtf8(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size(), i = 0;
  while (i < n) {
    unsigned char c = s[i];
    size_t need;
    unsigned char low = 0x80, high = 0xBF;
    if (c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0x7E)) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      need = 1;
    } else if (c == 0xE0) {
      need = 2, low = 0xA0;
    } else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) {
      need = 2;
    } else if (c == 0xED) {
      need = 2, high = 0x9F;
    } else if (c == 0xF0) {
      need = 3, low = 0x90;
    } else if (c >= 0xF1 && c <= 0xF3) {
      need = 3;
    } else if (c == 0xF4) {
      need = 3, high = 0x8F;
    } else {
      return false;
    }
    if (i + need >= n) return false;  // the sequence runs past the end
    if (!Continuation(s[i + 1], low, high)) return false;
    for (size_t k = 2; k <= need; ++k)
      if (!Continuation(s[i + k])) return false;
    i += need + 1;
  }
  return true;
}

bool CheckId(const std::string& name, const std::string& value) {
  if (value.empty()) {
    std::fprintf(stderr, "The %s is empty.\n", name.c_str());
    return false;
  }
  if (value.size() >= 256) {
    std::fprintf(stderr, "The %s is too long, max length is 255.\n", name.c_str());
    return false;
  }
  return true;
}

namespace {
bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$' || c == '_'; }
}  // namespace

bool CheckName(const std::string& name, const std::string& value) {
  if (value.empty() || value.size() > 100) {
    std::fprintf(stderr, "The %s is empty or too long, max length is 100", name.c_str());
    return false;
  }
  bool ok = Letter(value[0]);
  for (size_t i = 1; ok && i < value.size(); ++i) ok = Letter(value[i]) || (value[i] >= '0' && value[i] <= '9');
  if (!ok) {
    std::fprintf(stderr, "The %s need to be a valid variable name.", name.c_str());
    return false;
  }
  return true;
}

}  // namespace telemetry_core
