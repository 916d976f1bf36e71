#include "telemetry/core/LastSendOk.h"

#include <mutex>

namespace telemetry_core {

namespace {
std::mutex& Lock() {
  static std::mutex* lock = new std::mutex;  // never destroyed: detached flush threads may read it at exit
  return *lock;
}
bool g_lastSendOk = false;
}  // namespace

bool GetLastSendOk() {
  std::lock_guard<std::mutex> guard(Lock());
  return g_lastSendOk;
}

void SetLastSendOk(bool ok) {
  std::lock_guard<std::mutex> guard(Lock());
  g_lastSendOk = ok;
}

}  // namespace telemetry_core
