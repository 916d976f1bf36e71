// Owns the tracker implementation and keeps its errors from the callers.
#pragma once

#include <memory>

#include "telemetry/tracker/TelemetryTrackerImpl.h"

namespace orvan {
namespace telemetry {

class TelemetryTrackerWrapper : public TelemetryTracker {
 public:
  explicit TelemetryTrackerWrapper(std::unique_ptr<TelemetryTrackerImpl> impl) : impl_(std::move(impl)) {}

  void trackActivity(const OvContextProperties& c) override;
  void trackLaunch(const OvContextProperties& c) override;
  void trackLogin(const OvUser& user, bool success, const std::string& reason, const OvContextProperties& c) override;
  void trackClick(const OvEventClick& e, const OvContextProperties& c) override;
  void trackView(const OvEventView& e, const OvContextProperties& c) override;
  void trackCashier(const OvEventCashier& e, const OvContextProperties& c) override;
  void trackShare(const OvEventShare& e, const OvContextProperties& c) override;
  void trackTask(const OvEventTask& e, const OvContextProperties& c) override;
  void trackFile(const OvEventFile& e, const OvContextProperties& c) override;
  void trackOrder(const OvEventOrder& e, const OvContextProperties& c) override;
  void trackPayment(const OvEventPayment& e, const OvContextProperties& c) override;
  void trackUninstall(const std::string& reason, const OvContextProperties& c) override;
  void trackCrash(const std::string& reason) override;
  void trackUpdate(const OvEventUpdate& e, const OvContextProperties& c) override;
  void trackAppOpenNotification(const OvAppOpenNotification* n, const OvContextProperties& c) override;
  void setLocale(const std::string& locale) override;
  std::string getPrimaryDistinctId() override;
  TrackLogger* getTrackLogger() override { return nullptr; }

  TelemetryTrackerImpl* Impl() const { return impl_.get(); }

 private:
  template <typename F>
  void Guarded(const char* operation, F call);

  std::unique_ptr<TelemetryTrackerImpl> impl_;
};

}  // namespace telemetry
}  // namespace orvan
