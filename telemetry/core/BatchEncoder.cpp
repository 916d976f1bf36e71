#include "telemetry/core/BatchEncoder.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>

namespace telemetry_core {

bool GzipCompress(const std::string& text, std::string& compressed) {
  compressed.clear();
  z_stream stream;
  std::memset(&stream, 0, sizeof stream);
  if (deflateInit2(&stream, 9, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    std::fprintf(stderr, "deflateInit2 failed while compressing.\n");
    return false;
  }
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  char chunk[32768];
  int result;
  do {
    stream.next_out = reinterpret_cast<Bytef*>(chunk);
    stream.avail_out = sizeof chunk;
    result = deflate(&stream, Z_FINISH);
    compressed.append(chunk, sizeof chunk - stream.avail_out);
  } while (result == Z_OK);
  if (result != Z_STREAM_END) {
    std::fprintf(stderr, "Exception during zlib compression: (%d) %s\n", result, stream.msg ? stream.msg : "");
    deflateEnd(&stream);
    return false;
  }
  deflateEnd(&stream);
  return true;
}

std::string Base64Encode(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    unsigned v = (s[i] << 16) | (s[i + 1] << 8) | s[i + 2];
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  size_t rest = bytes.size() - i;
  if (rest) {
    unsigned v = s[i] << 16;
    if (rest == 2) v |= s[i + 1] << 8;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string PercentEncode(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

bool BuildBatchBody(const std::string& batchText, std::string& body) {
  std::string compressed;
  if (!GzipCompress(batchText, compressed)) return false;
  body = "data_list=" + PercentEncode(Base64Encode(compressed)) + "&gzip=1";
  return true;
}

}  // namespace telemetry_core
