#include "utils/NetworkCheck.h"

#include <windows.h>
#include <netlistmgr.h>
#include <objbase.h>

#include "utils/DebugPrint.h"

namespace Utils {

namespace {
const CLSID kNetworkListManagerClass = {0xDCB00C01, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};
const IID kNetworkListManagerInterface = {0xDCB00000, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};
}  // namespace

uint32_t CheckNetwork() {
  INetworkListManager* manager = nullptr;
  HRESULT hr = ::CoCreateInstance(kNetworkListManagerClass, nullptr, CLSCTX_ALL, kNetworkListManagerInterface,
                                  reinterpret_cast<void**>(&manager));
  if (FAILED(hr) || !manager) return 0;
  NLM_CONNECTIVITY connectivity = NLM_CONNECTIVITY_DISCONNECTED;
  manager->GetConnectivity(&connectivity);
  uint32_t flags = static_cast<uint32_t>(connectivity) & 0xFFFF;
  uint32_t status = kNetworkConnected;
  if (flags == 0) {
    UTILS_LOG(L"GetConnectivity %d", static_cast<int>(flags));
    status = kNetworkNoConnectivity;
  } else {
    VARIANT_BOOL connected = VARIANT_FALSE;
    manager->IsConnectedToInternet(&connected);
    if (connected == VARIANT_FALSE) {
      UTILS_LOG(L"get_IsConnectedToInternet:%d", static_cast<int>(connected));
      status = kNetworkNoInternet;
    }
  }
  manager->Release();
  ::CoFreeUnusedLibraries();
  return (status << 16) | flags;
}

}  // namespace Utils
