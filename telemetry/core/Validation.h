// The core's checks of identifiers, names and text. Failures are reported on
// standard error; the caller drops the record.
#pragma once

#include <string>

namespace telemetry_core {

bool IsValidUtf8(const std::string& text);
// "Distinct ID", "Original ID": non-empty, at most 255 bytes.
bool CheckId(const std::string& name, const std::string& value);
// "Event Name", "Property Key": 1..100 bytes, a variable name of letters, digits, '$', '_'.
bool CheckName(const std::string& name, const std::string& value);

}  // namespace telemetry_core
