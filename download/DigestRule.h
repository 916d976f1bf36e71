// Where the curl-based downloaders find the package's expected MD5: the
// folder of the final address, ".../<md5>/<file>".
#pragma once

#include <string>

namespace DigestRule {

// The path segment between the last two '/' of the address; empty when the
// address holds fewer than two '/'.
std::string ExpectedDigest(const std::string& finalUrl);

// Only a 32-character folder name is taken as a digest.
bool IsUsable(const std::string& digest);

}  // namespace DigestRule
