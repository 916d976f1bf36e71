// A line on the debugger channel (no-op in the native build).
#pragma once

namespace telemetry_core {
void DebugOutput(const char* text);
}
