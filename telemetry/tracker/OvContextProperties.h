// Extra named properties a caller attaches to chosen event kinds for one call.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "telemetry/tracker/OvEventKind.h"

namespace telemetry_core {
class PropertiesNode;
}

namespace orvan {
namespace telemetry {

// AB-test group: empty gives false; otherwise one upper-case letter followed
// by up to two upper-case letters or digits, else OvException.
bool isValidABValue(const std::string& value);

class OvContextProperties {
 public:
  struct Entry {
    std::string type;  // "string"
    std::shared_ptr<std::string> value;
    std::string key;
  };

  OvContextProperties();

  // Raises OvException when the key exists already or a kind is 15 or more
  // (kinds before the bad one keep their entries).
  void setProperty(const std::string& key, const std::string& value, const std::vector<int>& kinds);
  const std::vector<Entry>& getEventProperties(int kind) const;

  // Stores the kind's properties into `properties` (SetString rules apply);
  // true when the kind had any.
  bool CopyInto(int kind, telemetry_core::PropertiesNode& properties) const;

 private:
  std::unordered_map<std::string, std::shared_ptr<std::string>> properties_;
  std::array<std::vector<Entry>, OvEvent::kCount> lists_;
};

}  // namespace telemetry
}  // namespace orvan
