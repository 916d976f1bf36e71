// "_track_id": two random digits, three random digits, the last four digits
// of the current time in milliseconds, read as one decimal number.
#pragma once

#include <cstdint>

namespace telemetry_core {

void SeedTrackId(unsigned seed);
int64_t NewTrackId();
// The digit arithmetic, for given draws and time.
int64_t ComposeTrackId(unsigned draw1, unsigned draw2, int64_t nowMs);

}  // namespace telemetry_core
