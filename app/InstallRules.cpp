#include "app/InstallRules.h"

#include <cstdio>
#include <cwchar>

namespace App {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  std::wstring f = folder;
  while (!f.empty() && (f.back() == L'\\' || f.back() == L'/')) f.pop_back();
  size_t start = 0;
  while (start < name.size() && (name[start] == L'\\' || name[start] == L'/')) ++start;
  return f + L"\\" + name.substr(start);
}

std::wstring OldUninstallerFor(const std::wstring& installPath, const std::wstring& uninstallEp) {
  if (!uninstallEp.empty()) return uninstallEp;
  if (installPath.empty()) return std::wstring();
  return JoinPath(installPath, L"uninst.ep");
}

std::wstring CustomFolderFor(const std::wstring& text, bool textIsDefaultFolder, const std::wstring& defaultFolder) {
  if (textIsDefaultFolder) return defaultFolder;
  return JoinPath(text, kProductCode);
}

bool KeepsOldVersion(bool chosenIsExistingFolder, const std::wstring& isOverride) {
  return chosenIsExistingFolder && isOverride == L"false";
}

bool HasRoomForInstall(bool queryOk, uint64_t freeBytesForUser) {
  double gib = queryOk ? static_cast<double>(freeBytesForUser) / 1073741824.0 : 0.0;
  return gib >= 1.0;
}

std::wstring DriveOf(const std::wstring& folder) {
  if (folder.size() >= 2 && folder[1] == L':') return folder.substr(0, 2);
  return std::wstring();
}

bool ShouldOpenStartUrl(const std::wstring& url) { return url.size() > 5; }

std::wstring FormatUpdateTime(int year, int month, int day, int hour, int minute, int second) {
  wchar_t buf[64];
  std::swprintf(buf, 64, L"%d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
  return buf;
}

std::wstring WithoutLineEnd(std::wstring value) {
  while (!value.empty() && (value.back() == L'\r' || value.back() == L'\n')) value.pop_back();
  return value;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) {
    if (path.size() == 3 && path[1] == L':') break;
    path.pop_back();
  }
  return path;
}

}  // namespace App
