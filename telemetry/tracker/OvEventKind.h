// The fifteen event kinds: the number selects a context list, the text names the kind.
#pragma once

#include <string>

namespace orvan {
namespace telemetry {

namespace OvEvent {
enum Kind : int {
  Activity = 0,
  PaLaunchPal = 1,
  Login = 2,
  Click = 3,
  View = 4,
  Cashier = 5,
  Share = 6,
  Task = 7,
  File = 8,
  Order = 9,
  Payment = 10,
  Uninstall = 11,
  Update = 12,
  Crashed = 13,
  AppOpenNotification = 14,
};
constexpr int kCount = 15;
}  // namespace OvEvent

// "Activity" ... "AppOpenNotification"; any other number raises OvException.
std::string EventKindText(int kind);

}  // namespace telemetry
}  // namespace orvan
