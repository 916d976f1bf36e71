#include "telemetry/tracker/FlushScheduler.h"

#include <chrono>
#include <thread>

#include "telemetry/core/DebugOutput.h"
#include "telemetry/core/LastSendOk.h"
#include "telemetry/core/Sdk.h"

namespace orvan {
namespace telemetry {

bool FlushScheduler::TryFlushAll() {
  telemetry_core::Sdk* sdk = telemetry_core::Sdk::Instance();
  return sdk && sdk->Queue().FlushAll();
}

void FlushScheduler::RequestFlush(bool now) {
  if (telemetry_core::GetLastSendOk()) {
    FlushJob(now);
    return;
  }
  {
    std::lock_guard<std::mutex> guard(stateLock_);
    if (closing_) return;
    ++running_;
  }
  telemetry_core::DebugOutput("[Telemetry] Sending messages asynchronously");
  auto self = shared_from_this();
  std::thread([self, now] {
    self->FlushJob(now);
    std::lock_guard<std::mutex> guard(self->stateLock_);
    --self->running_;
    self->idle_.notify_all();
  }).detach();
}

void FlushScheduler::FlushJob(bool now) {
  std::lock_guard<std::mutex> guard(flushLock_);
  if (!now) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ++pending_;
    return;
  }
  for (int attempt = 0; attempt < 3 && pending_ > 0; ++attempt) {
    {
      std::lock_guard<std::mutex> state(stateLock_);
      if (closing_) return;  // the shutdown flush takes over
    }
    if (TryFlushAll()) {
      pending_ = 0;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void FlushScheduler::Close() {
  {
    std::unique_lock<std::mutex> state(stateLock_);
    closing_ = true;
    idle_.wait(state, [this] { return running_ == 0; });
  }
  std::lock_guard<std::mutex> guard(flushLock_);
  for (int attempt = 0; attempt < 3 && pending_ > 0; ++attempt) {
    if (TryFlushAll()) {
      pending_ = 0;
      break;
    }
  }
}

}  // namespace telemetry
}  // namespace orvan
