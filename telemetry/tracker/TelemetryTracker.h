// The analytics front the installer talks to.
#pragma once

#include <string>

#include "telemetry/tracker/OvContextProperties.h"
#include "telemetry/tracker/OvEvents.h"
#include "telemetry/tracker/TrackLogger.h"

namespace orvan {
namespace telemetry {

class TelemetryTracker {
 public:
  virtual ~TelemetryTracker() = default;
  virtual void trackActivity(const OvContextProperties& context) = 0;
  virtual void trackLaunch(const OvContextProperties& context) = 0;
  virtual void trackLogin(const OvUser& user, bool success, const std::string& reason,
                          const OvContextProperties& context) = 0;
  virtual void trackClick(const OvEventClick& event, const OvContextProperties& context) = 0;
  virtual void trackView(const OvEventView& event, const OvContextProperties& context) = 0;
  virtual void trackCashier(const OvEventCashier& event, const OvContextProperties& context) = 0;
  virtual void trackShare(const OvEventShare& event, const OvContextProperties& context) = 0;
  virtual void trackTask(const OvEventTask& event, const OvContextProperties& context) = 0;
  virtual void trackFile(const OvEventFile& event, const OvContextProperties& context) = 0;
  virtual void trackOrder(const OvEventOrder& event, const OvContextProperties& context) = 0;
  virtual void trackPayment(const OvEventPayment& event, const OvContextProperties& context) = 0;
  virtual void trackUninstall(const std::string& reason, const OvContextProperties& context) = 0;
  virtual void trackCrash(const std::string& reason) = 0;
  virtual void trackUpdate(const OvEventUpdate& event, const OvContextProperties& context) = 0;
  virtual void trackAppOpenNotification(const OvAppOpenNotification* notification,
                                        const OvContextProperties& context) = 0;
  virtual void setLocale(const std::string& locale) = 0;
  virtual std::string getPrimaryDistinctId() = 0;
  virtual TrackLogger* getTrackLogger() = 0;
};

}  // namespace telemetry
}  // namespace orvan
