// What the start-up code hands to StartTracker. Strings are UTF-8.
#pragma once

#include <string>

namespace orvan {
namespace telemetry {

struct TrackerConfig {
  std::string appName;
  std::string appVersion;
  std::string appStore;
  std::string dlAppId;
  std::string dlAppVersion;
  std::string logPath;    // empty: beside the identity file
  int edition = 0;        // 0 "china", 1 "overseas"
  std::string serverUrl;  // empty: the built-in collection endpoint
};

}  // namespace telemetry
}  // namespace orvan
