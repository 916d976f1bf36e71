// Event and profile properties: an object that never holds nested objects.
#pragma once

#include "telemetry/core/ObjectNode.h"

namespace telemetry_core {

class PropertiesNode : public utils::ObjectNode {
 public:
  void SetObject(const std::string&, const utils::ObjectNode&) override {}
};

}  // namespace telemetry_core
