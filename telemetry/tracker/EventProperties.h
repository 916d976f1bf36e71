// Checks a typed record and turns it into its wire properties. Each builder
// raises OvException (named after the tracking operation) before anything
// is built when a check fails.
#pragma once

#include <string>

#include "telemetry/core/PropertiesNode.h"
#include "telemetry/tracker/OvEvents.h"

namespace orvan {
namespace telemetry {

using telemetry_core::PropertiesNode;

PropertiesNode TaskProperties(const OvEventTask& event);
PropertiesNode ClickProperties(const OvEventClick& event);
PropertiesNode ViewProperties(const OvEventView& event);
PropertiesNode CashierProperties(const OvEventCashier& event);
PropertiesNode ShareProperties(const OvEventShare& event);
PropertiesNode FileProperties(const OvEventFile& event);
PropertiesNode OrderProperties(const OvEventOrder& event);
PropertiesNode PaymentProperties(const OvEventPayment& event);
PropertiesNode UpdateProperties(const OvEventUpdate& event);
PropertiesNode NotificationProperties(const OvAppOpenNotification* notification);
PropertiesNode UninstallProperties(const std::string& reason);
PropertiesNode CrashProperties(const std::string& reason);

}  // namespace telemetry
}  // namespace orvan
