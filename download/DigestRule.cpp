#include "download/DigestRule.h"

namespace DigestRule {

std::string ExpectedDigest(const std::string& finalUrl) {
  size_t last = finalUrl.rfind('/');
  if (last == std::string::npos || last == 0) return std::string();
  size_t before = finalUrl.rfind('/', last - 1);
  if (before == std::string::npos) return std::string();
  return finalUrl.substr(before + 1, last - before - 1);
}

bool IsUsable(const std::string& digest) { return digest.size() == 32; }

}  // namespace DigestRule
