// Elapsed seconds since a start, from the system's millisecond tick count.
#pragma once

#include <cstdint>

namespace Utils {

class Stopwatch {
 public:
  void Start();
  // 0 before Start.
  float Elapsed() const;

  // (now - start) as an unsigned 32-bit difference, so a wrap of the tick
  // counter is harmless, in seconds. Pure.
  static float ElapsedSeconds(uint32_t start, uint32_t now) {
    return static_cast<float>(static_cast<uint32_t>(now - start) / 1000.0);
  }

 private:
  uint32_t startTick_ = 0;
  bool started_ = false;
};

}  // namespace Utils
