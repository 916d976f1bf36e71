// Pure decisions around an installation: folders, free space, the override
// switch, the launch address and the time stamp of the analytics settings.
// No Win32 calls, so the native build tests them too.
#pragma once
#include <cstdint>
#include <string>

namespace App {

constexpr const wchar_t* kProductCode = L"Quelvox";
constexpr const wchar_t* kProductExe = L"Quelvox.exe";
constexpr const wchar_t* kUninstallerCopyExe = L"Quelvox_un_asa.exe";
constexpr const wchar_t* kDisplayName = L"Sonavex";

// Joins a folder and a name with exactly one backslash between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The old uninstaller for an installation: the registry's UnInstallEp, or
// the install folder plus "\uninst.ep" when only InstallPath is recorded.
std::wstring OldUninstallerFor(const std::wstring& installPath, const std::wstring& uninstallEp);

// The custom folder for the edit box text: the default folder itself when
// the text names it, otherwise text\Quelvox.
std::wstring CustomFolderFor(const std::wstring& text, bool textIsDefaultFolder, const std::wstring& defaultFolder);

// The old version is kept (no uninstall) only when the chosen folder is the
// installed one and its set.ini says IsOverride=false, exactly.
bool KeepsOldVersion(bool chosenIsExistingFolder, const std::wstring& isOverride);

// At least 1 GiB free to the user; a failed query counts as no space.
bool HasRoomForInstall(bool queryOk, uint64_t freeBytesForUser);

// "C:" for "C:\Program Files\Quelvox"; empty when the path has no drive.
std::wstring DriveOf(const std::wstring& folder);

// A start address is opened only when it is longer than 5 characters.
bool ShouldOpenStartUrl(const std::wstring& url);

// "%d-%02d-%02d %02d:%02d:%02d"
std::wstring FormatUpdateTime(int year, int month, int day, int hour, int minute, int second);

// A value the package reported, without the carriage return (and line feed)
// that ended its line: paths and addresses must not carry them into the
// registry, set.ini or the shell.
std::wstring WithoutLineEnd(std::wstring value);

// Removes trailing backslashes, keeping a drive root such as "C:\".
std::wstring WithoutTrailingBackslash(std::wstring path);

}  // namespace App
