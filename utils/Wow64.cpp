#include "utils/Wow64.h"

#include <windows.h>

namespace Utils {

bool IsWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32");
  auto isWow64Process = kernel ? reinterpret_cast<IsWow64ProcessFn>(
                                     reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")))
                               : nullptr;
  if (!isWow64Process) return false;
  BOOL wow64 = FALSE;
  if (isWow64Process(::GetCurrentProcess(), &wow64)) return wow64 != FALSE;
  SYSTEM_INFO info{};
  ::GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

}  // namespace Utils
