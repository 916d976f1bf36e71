#include "utils/SessionUser.h"

#include <windows.h>
#include <wtsapi32.h>

namespace Utils {

bool GetSessionUserName(std::wstring& userName) {
  DWORD session = ::WTSGetActiveConsoleSessionId();
  LPWSTR name = nullptr;
  DWORD bytes = 0;
  if (!::WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, session, WTSUserName, &name, &bytes) || !name)
    return false;
  userName = name;
  ::WTSFreeMemory(name);
  return true;
}

std::wstring GetSessionUserName() {
  std::wstring name;
  GetSessionUserName(name);
  return name;
}

}  // namespace Utils
