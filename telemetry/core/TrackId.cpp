#include "telemetry/core/TrackId.h"

#include <chrono>
#include <mutex>
#include <random>
#include <string>

namespace telemetry_core {

namespace {
std::mutex g_lock;
std::mt19937 g_random;
}  // namespace

void SeedTrackId(unsigned seed) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_random.seed(seed);
}

int64_t ComposeTrackId(unsigned draw1, unsigned draw2, int64_t nowMs) {
  std::string a = std::to_string(draw1 % 99 + 100).substr(1);    // last two digits
  std::string b = std::to_string(draw2 % 999 + 1000).substr(1);  // last three digits
  std::string c = std::to_string(10000 + nowMs % 10000).substr(1);
  return std::stoll(a + b + c);
}

int64_t NewTrackId() {
  unsigned d1, d2;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    d1 = g_random() & 0x7FFFFFFF;
    d2 = g_random() & 0x7FFFFFFF;
  }
  auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                 std::chrono::system_clock::now().time_since_epoch()).count();
  return ComposeTrackId(d1, d2, now);
}

}  // namespace telemetry_core
