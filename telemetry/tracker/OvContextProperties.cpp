#include "telemetry/tracker/OvContextProperties.h"

#include "telemetry/core/PropertiesNode.h"
#include "telemetry/tracker/OvException.h"

namespace orvan {
namespace telemetry {

namespace {
bool Upper(char c) { return c >= 'A' && c <= 'Z'; }
bool UpperOrDigit(char c) { return Upper(c) || (c >= '0' && c <= '9'); }
std::string Overflow(int kind) { return "OvEvent[" + std::to_string(kind) + "] overflow!"; }
}  // namespace

bool isValidABValue(const std::string& value) {
  if (value.empty()) return false;
  if (value.size() >= 4) OV_THROW("isValidABValue", "value's length is great than 3.");
  if (!Upper(value[0])) OV_THROW("isValidABValue", "First char is not in A to Z");
  if (value.size() > 1 && !UpperOrDigit(value[1]))
    OV_THROW("isValidABValue", "second char is not in A to Z and 0 to 9");
  if (value.size() > 2 && !UpperOrDigit(value[2]))
    OV_THROW("isValidABValue", "third char is not in A to Z and 0 to 9");
  return true;
}

OvContextProperties::OvContextProperties() : properties_(8) { properties_.max_load_factor(1.0f); }

void OvContextProperties::setProperty(const std::string& key, const std::string& value, const std::vector<int>& kinds) {
  if (properties_.count(key)) OV_THROW("setProperty", "Property[" + key + "] already exist!");
  auto shared = std::make_shared<std::string>(value);
  properties_.emplace(key, shared);
  for (int kind : kinds) {
    if (kind < 0 || kind >= OvEvent::kCount) OV_THROW("setProperty", Overflow(kind));
    lists_[kind].push_back(Entry{"string", shared, key});
  }
}

const std::vector<OvContextProperties::Entry>& OvContextProperties::getEventProperties(int kind) const {
  if (kind < 0 || kind >= OvEvent::kCount) OV_THROW("getEventProperties", Overflow(kind));
  return lists_[kind];
}

bool OvContextProperties::CopyInto(int kind, telemetry_core::PropertiesNode& properties) const {
  const auto& list = getEventProperties(kind);
  for (const auto& entry : list) properties.SetString(entry.key, *entry.value);
  return !list.empty();
}

}  // namespace telemetry
}  // namespace orvan
