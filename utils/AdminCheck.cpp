#include "utils/AdminCheck.h"

#include <windows.h>
#include <lm.h>

namespace Utils {

bool IsTokenAdmin() {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &admins))
    return false;
  BOOL member = FALSE;
  if (!::CheckTokenMembership(nullptr, admins, &member)) member = FALSE;
  ::FreeSid(admins);
  return member != FALSE;
}

bool IsUserAdmin(const std::wstring& userName) {
  if (userName.empty()) return false;
  LPBYTE buffer = nullptr;
  if (::NetUserGetInfo(nullptr, userName.c_str(), 1, &buffer) != NERR_Success || !buffer) return false;
  bool admin = reinterpret_cast<USER_INFO_1*>(buffer)->usri1_priv == USER_PRIV_ADMIN;
  ::NetApiBufferFree(buffer);
  return admin;
}

}  // namespace Utils
