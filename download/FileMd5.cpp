#include "download/FileMd5.h"

#include <cstdio>

#include "download/Md5.h"

namespace Utils {

std::string FileMd5(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::string();
  std::setvbuf(file, nullptr, _IOFBF, 1 << 20);  // 1024-byte reads, few file reads
  Md5 md5;
  unsigned char block[1024];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0) md5.Update(block, n);
  std::fclose(file);
  uint8_t digest[16];
  md5.Final(digest);
  return Md5::Hex(digest);
}

}  // namespace Utils
