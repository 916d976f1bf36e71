// The tracker itself: checks records, builds their properties, stages them
// through the analytics core and schedules flushes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "telemetry/core/PropertiesNode.h"
#include "telemetry/tracker/FlushScheduler.h"
#include "telemetry/tracker/NativeTrackLogger.h"
#include "telemetry/tracker/TelemetryTracker.h"
#include "telemetry/tracker/TrackerConfig.h"
#include "telemetry/tracker/TrackerContext.h"

namespace orvan {
namespace telemetry {

class TelemetryTrackerImpl : public TelemetryTracker {
 public:
  explicit TelemetryTrackerImpl(const TrackerConfig& config);
  ~TelemetryTrackerImpl() override;  // the shutdown sequence

  // Raises OvException on a bad configuration or a failed core start.
  void init();

  void trackActivity(const OvContextProperties& context) override;
  void trackLaunch(const OvContextProperties& context) override;
  void trackLogin(const OvUser& user, bool success, const std::string& reason,
                  const OvContextProperties& context) override;
  void trackClick(const OvEventClick& event, const OvContextProperties& context) override;
  void trackView(const OvEventView& event, const OvContextProperties& context) override;
  void trackCashier(const OvEventCashier& event, const OvContextProperties& context) override;
  void trackShare(const OvEventShare& event, const OvContextProperties& context) override;
  void trackTask(const OvEventTask& event, const OvContextProperties& context) override;
  void trackFile(const OvEventFile& event, const OvContextProperties& context) override;
  void trackOrder(const OvEventOrder& event, const OvContextProperties& context) override;
  void trackPayment(const OvEventPayment& event, const OvContextProperties& context) override;
  void trackUninstall(const std::string& reason, const OvContextProperties& context) override;
  void trackCrash(const std::string& reason) override;
  void trackUpdate(const OvEventUpdate& event, const OvContextProperties& context) override;
  void trackAppOpenNotification(const OvAppOpenNotification* notification,
                                const OvContextProperties& context) override;
  void setLocale(const std::string& locale) override;
  std::string getPrimaryDistinctId() override;
  TrackLogger* getTrackLogger() override { return logger_.get(); }

  // The staging file of undelivered records (empty before init).
  std::wstring StagingFile() const;
  const std::wstring& IdentityFile() const { return context_->identityFile; }
  const std::wstring& DataDirectory() const { return context_->dataDirectory; }

  enum ProfileOp { SetOnce, Increment, Set, Append };
  static ProfileOp ProfileOperation(const std::string& key);  // raises for unknown keys
  static void ProfileUserPropertyString(const std::string& key, const std::string& value);
  static void ProfileUserPropertyNumber(const std::string& key, double value, bool isInteger);
  static void ProfileUserPropertyDateTime(const std::string& key, int64_t milliseconds);

 private:
  void Stage(const char* event, int kind, telemetry_core::PropertiesNode& properties,
             const OvContextProperties& context);
  void RegisterLocale();

  std::string serverUrl_, appName_, appVersion_, appStore_, dlAppId_, dlAppVersion_;
  std::unique_ptr<NativeTrackLogger> logger_;
  int edition_;
  std::unique_ptr<TrackerContext> context_;
  std::string configuredLogPath_;
  std::shared_ptr<FlushScheduler> flush_;
  bool ownsCore_ = false;
  bool filesResolved_ = false;
};

}  // namespace telemetry
}  // namespace orvan
