#include "utils/SystemVersion.h"

#include <windows.h>

#include "utils/SystemVersionName.h"

namespace Utils {

void GetSystemVersion(std::wstring& family, std::wstring& version) {
  family = L"Windows";
  version.clear();
  HMODULE ntdll = ::LoadLibraryW(L"ntdll.dll");
  if (!ntdll) {
    version = L"XP-";
    return;
  }
  using GetNumbers = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  auto get = reinterpret_cast<GetNumbers>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
  DWORD major = 0, minor = 0, build = 0;
  if (get) get(&major, &minor, &build);
  ::FreeLibrary(ntdll);
  build &= 0xFFFF;
  version = SystemVersionName(major, minor, build, ::GetSystemMetrics(SM_SERVERR2) != 0);
}

}  // namespace Utils
