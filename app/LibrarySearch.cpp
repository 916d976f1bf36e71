#include "app/LibrarySearch.h"

#include <windows.h>

#include <string>

namespace App {

void HardenLibrarySearch() {
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    auto fn = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (fn) fn(0x800);  // LOAD_LIBRARY_SEARCH_SYSTEM32
  }
  SetDllDirectoryW(L"");
  wchar_t system[MAX_PATH] = {};
  UINT n = GetSystemDirectoryW(system, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  for (const wchar_t* name : {L"version.dll", L"ws2_32.dll", L"sxs.dll", L"dwmapi.dll", L"msimg32.dll", L"d3d8.dll",
                              L"ieframe.dll", L"ws2help.dll", L"WindowsCodecs.dll"}) {
    std::wstring path = std::wstring(system) + L"\\" + name;
    LoadLibraryW(path.c_str());
  }
}

}  // namespace App
