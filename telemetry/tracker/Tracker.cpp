#include "telemetry/tracker/Tracker.h"

#include <mutex>

#include "telemetry/tracker/TelemetryTrackerWrapper.h"

namespace orvan {
namespace telemetry {

namespace {
std::mutex g_holderLock;
std::shared_ptr<TelemetryTracker> g_tracker;
}  // namespace

void StartTracker(const TrackerConfig& config) {
  // The earlier tracker is shut down before the new one starts, so its
  // shutdown cannot destroy the core the new one runs on.
  StopTracker();
  std::unique_ptr<TelemetryTrackerImpl> impl(new TelemetryTrackerImpl(config));
  try {
    impl->init();
  } catch (...) {
  }
  auto wrapper = std::make_shared<TelemetryTrackerWrapper>(std::move(impl));
  std::lock_guard<std::mutex> guard(g_holderLock);
  g_tracker = wrapper;
}

void StopTracker() {
  std::shared_ptr<TelemetryTracker> old;
  {
    std::lock_guard<std::mutex> guard(g_holderLock);
    old.swap(g_tracker);
  }
  old.reset();  // the implementation's destructor runs the shutdown sequence
}

std::shared_ptr<TelemetryTracker> GetTracker() {
  std::lock_guard<std::mutex> guard(g_holderLock);
  return g_tracker;
}

}  // namespace telemetry
}  // namespace orvan
