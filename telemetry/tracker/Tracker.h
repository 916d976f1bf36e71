// The process-wide tracker: what the start-up code and the reporting hooks use.
//
//   orvan::telemetry::TrackerConfig config{...};
//   orvan::telemetry::StartTracker(config);
//   if (auto tracker = orvan::telemetry::GetTracker()) {
//     orvan::telemetry::OvContextProperties context;
//     if (orvan::telemetry::isValidABValue("IN"))
//       context.setProperty("ovc_ab", "IN", {orvan::telemetry::OvEvent::Task});
//     orvan::telemetry::OvEventTask task;
//     task.name = "...";
//     tracker->trackTask(task, context);
//   }
//   orvan::telemetry::StopTracker();   // saves the identity, flushes, stages the rest
#pragma once

#include <memory>

#include "telemetry/tracker/OvContextProperties.h"
#include "telemetry/tracker/OvEvents.h"
#include "telemetry/tracker/OvException.h"
#include "telemetry/tracker/TelemetryTracker.h"
#include "telemetry/tracker/TrackerConfig.h"

namespace orvan {
namespace telemetry {

// Builds and installs the tracker (replacing an earlier one). A failed start
// is contained: the tracker is installed all the same and stages nothing.
void StartTracker(const TrackerConfig& config);
// Releases the tracker; its shutdown saves the identity, flushes what is
// pending and stages undelivered records for the next run.
void StopTracker();
// The installed tracker (the wrapper, which never lets an error out of the
// tracking operations), or null when none is running.
std::shared_ptr<TelemetryTracker> GetTracker();

}  // namespace telemetry
}  // namespace orvan
