// The POST body of one batch: "data_list=" + percent(base64(gzip(text))) + "&gzip=1".
#pragma once

#include <string>

namespace telemetry_core {

// gzip (deflate, level 9, window bits 31, memory level 8). False, with the
// message on standard error, when the compressor fails.
bool GzipCompress(const std::string& text, std::string& compressed);
std::string Base64Encode(const std::string& bytes);
// Letters, digits, '-', '.', '_', '~' stay; every other byte becomes %XX.
std::string PercentEncode(const std::string& text);
bool BuildBatchBody(const std::string& batchText, std::string& body);

}  // namespace telemetry_core
