// Administrator checks: the installer's own token, and a named local account.
#pragma once

#include <string>

namespace Utils {

// The installer's access token is a member of the local Administrators group.
bool IsTokenAdmin();
// The local account has administrator privilege (false when it cannot be looked up).
bool IsUserAdmin(const std::wstring& userName);

}  // namespace Utils
