// Whether the last batch request was delivered (status 200). Process-wide.
#pragma once

namespace telemetry_core {
bool GetLastSendOk();
void SetLastSendOk(bool ok);
}  // namespace telemetry_core
