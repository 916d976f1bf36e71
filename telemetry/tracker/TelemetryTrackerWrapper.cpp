#include "telemetry/tracker/TelemetryTrackerWrapper.h"

#include <cstdio>

namespace orvan {
namespace telemetry {

template <typename F>
void TelemetryTrackerWrapper::Guarded(const char* operation, F call) {
  if (!impl_) return;
  try {
    call(*impl_);
  } catch (...) {
    if (impl_->getTrackLogger()) {
      std::fprintf(stdout, "Failed to %s\n", operation);
      std::fflush(stdout);
    }
  }
}

void TelemetryTrackerWrapper::trackActivity(const OvContextProperties& c) {
  Guarded("trackActivity", [&](TelemetryTrackerImpl& t) { t.trackActivity(c); });
}
void TelemetryTrackerWrapper::trackLaunch(const OvContextProperties& c) {
  Guarded("trackLaunch", [&](TelemetryTrackerImpl& t) { t.trackLaunch(c); });
}
void TelemetryTrackerWrapper::trackLogin(const OvUser& u, bool s, const std::string& r, const OvContextProperties& c) {
  Guarded("trackLogin", [&](TelemetryTrackerImpl& t) { t.trackLogin(u, s, r, c); });
}
void TelemetryTrackerWrapper::trackClick(const OvEventClick& e, const OvContextProperties& c) {
  Guarded("trackClick", [&](TelemetryTrackerImpl& t) { t.trackClick(e, c); });
}
void TelemetryTrackerWrapper::trackView(const OvEventView& e, const OvContextProperties& c) {
  Guarded("trackView", [&](TelemetryTrackerImpl& t) { t.trackView(e, c); });
}
void TelemetryTrackerWrapper::trackCashier(const OvEventCashier& e, const OvContextProperties& c) {
  Guarded("trackCashier", [&](TelemetryTrackerImpl& t) { t.trackCashier(e, c); });
}
void TelemetryTrackerWrapper::trackShare(const OvEventShare& e, const OvContextProperties& c) {
  Guarded("trackShare", [&](TelemetryTrackerImpl& t) { t.trackShare(e, c); });
}
void TelemetryTrackerWrapper::trackTask(const OvEventTask& e, const OvContextProperties& c) {
  Guarded("trackTask", [&](TelemetryTrackerImpl& t) { t.trackTask(e, c); });
}
void TelemetryTrackerWrapper::trackFile(const OvEventFile& e, const OvContextProperties& c) {
  Guarded("trackFile", [&](TelemetryTrackerImpl& t) { t.trackFile(e, c); });
}
void TelemetryTrackerWrapper::trackOrder(const OvEventOrder& e, const OvContextProperties& c) {
  Guarded("trackOrder", [&](TelemetryTrackerImpl& t) { t.trackOrder(e, c); });
}
void TelemetryTrackerWrapper::trackPayment(const OvEventPayment& e, const OvContextProperties& c) {
  Guarded("trackPayment", [&](TelemetryTrackerImpl& t) { t.trackPayment(e, c); });
}
void TelemetryTrackerWrapper::trackUninstall(const std::string& r, const OvContextProperties& c) {
  Guarded("trackUninstall", [&](TelemetryTrackerImpl& t) { t.trackUninstall(r, c); });
}
void TelemetryTrackerWrapper::trackCrash(const std::string& r) {
  Guarded("trackCrash", [&](TelemetryTrackerImpl& t) { t.trackCrash(r); });
}
void TelemetryTrackerWrapper::trackUpdate(const OvEventUpdate& e, const OvContextProperties& c) {
  Guarded("trackUpdate", [&](TelemetryTrackerImpl& t) { t.trackUpdate(e, c); });
}
void TelemetryTrackerWrapper::trackAppOpenNotification(const OvAppOpenNotification* n, const OvContextProperties& c) {
  Guarded("trackAppOpenNotification", [&](TelemetryTrackerImpl& t) { t.trackAppOpenNotification(n, c); });
}

void TelemetryTrackerWrapper::setLocale(const std::string& locale) {
  if (impl_) impl_->setLocale(locale);
}

std::string TelemetryTrackerWrapper::getPrimaryDistinctId() {
  return impl_ ? impl_->getPrimaryDistinctId() : std::string();
}

}  // namespace telemetry
}  // namespace orvan
