// Internet reachability as the system's network list manager sees it.
#pragma once

#include <cstdint>

namespace Utils {

// Status values in bits 16 to 31 of the CheckNetwork result.
enum NetworkStatus : uint32_t {
  kNetworkConnected = 0,       // internet, or the check could not be made
  kNetworkNoConnectivity = 1,  // no connectivity at all
  kNetworkNoInternet = 2,      // some connectivity, not to the internet
};

// (status << 16) | connectivity flags (bits 0 to 15). The calling thread must
// have COM initialised; without it the check cannot be made and 0 results.
uint32_t CheckNetwork();

inline uint32_t NetworkStatusOf(uint32_t result) { return result >> 16; }

}  // namespace Utils
