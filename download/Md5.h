// MD5 message digest (RFC 1321), incremental. Pure C++, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Utils {

class Md5 {
 public:
  Md5();
  void Update(const void* data, size_t size);
  // Finishes the digest; the object must not be updated afterwards.
  void Final(uint8_t digest[16]);
  // 32 lower-case hexadecimal digits of a finished digest.
  static std::string Hex(const uint8_t digest[16]);

 private:
  void Block(const uint8_t* block);
  uint32_t state_[4];
  uint64_t bytes_ = 0;
  uint8_t buffer_[64];
  size_t used_ = 0;
};

}  // namespace Utils
