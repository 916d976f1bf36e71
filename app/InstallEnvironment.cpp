#include "app/InstallEnvironment.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <clocale>

#include "app/InstallRules.h"
#include "utils/AdminCheck.h"
#include "utils/CreateDirectories.h"
#include "utils/GuidString.h"
#include "utils/HardDiskManager.h"
#include "utils/ProductRegistry.h"
#include "utils/SessionUser.h"

namespace App {
namespace {

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ReadValue(const wchar_t* name) {
  DWORD type = 0;
  std::wstring value;
  if (!Utils::ReadRegistryString(name, &type, &value)) return std::wstring();
  return value;
}

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return std::wstring();
  return std::wstring(buf, n);
}

std::wstring ShellFolder(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf))) return std::wstring();
  return buf;
}

std::wstring InstallerFileName() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const wchar_t* slash = wcsrchr(path, L'\\');
  return slash ? slash + 1 : path;
}

// Lets the window repaint for 100 ms before the product starts. Waits with a
// timeout, so a quiet message queue cannot hold the launch back.
void PumpMessagesFor(HWND window, DWORD ms) {
  DWORD start = GetTickCount();
  bool quit = false;
  WPARAM quitCode = 0;
  for (;;) {
    DWORD spent = GetTickCount() - start;
    if (spent >= ms || (window && !IsWindow(window))) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        quitCode = msg.wParam;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

}  // namespace

void CInstallEnvironment::ReadExistingInstall() {
  existingFolder.clear();
  oldUninstaller.clear();
  existingFolder = ReadValue(L"InstallPath");
  oldUninstaller = OldUninstallerFor(existingFolder, ReadValue(L"UnInstallEp"));
}

std::wstring CInstallEnvironment::DefaultInstallFolder() {
  std::wstring user;
  userIsAdmin = Utils::GetSessionUserName(user) && Utils::IsUserAdmin(user);
  installerElevated = Utils::IsTokenAdmin();
  if (!existingFolder.empty() && FileExists(oldUninstaller)) return existingFolder;
  std::wstring base;
  std::wstring appData = EnvironmentValue(L"APPDATA");
  if (userIsAdmin && installerElevated && !appData.empty()) {
    base = JoinPath(appData, L"quarnel");
  } else {
    base = ShellFolder(CSIDL_PROGRAM_FILESX86);
    if (base.empty()) base = ShellFolder(CSIDL_PROGRAM_FILES);
  }
  return JoinPath(base, kProductCode);
}

bool CInstallEnvironment::IsSameFolder(const std::wstring& a, const std::wstring& b) {
  if (a.empty() || b.empty()) return false;
  // A trailing backslash does not make another folder ("C:\\x\\" is "C:\\x"),
  // though the relative path would then come out as ".\\" or "".
  std::wstring from = WithoutTrailingBackslash(a), to = WithoutTrailingBackslash(b);
  wchar_t rel[MAX_PATH * 2] = {};
  if (!PathRelativePathToW(rel, from.c_str(), FILE_ATTRIBUTE_DIRECTORY, to.c_str(), FILE_ATTRIBUTE_DIRECTORY))
    return false;
  return wcscmp(rel, L".") == 0;
}

bool CInstallEnvironment::IsDefaultFolder(const std::wstring& path) {
  return IsSameFolder(DefaultInstallFolder(), path);
}

std::wstring CInstallEnvironment::CustomInstallFolder(const std::wstring& editText) {
  std::wstring def = DefaultInstallFolder();
  return CustomFolderFor(editText, IsSameFolder(def, editText), def);
}

bool CInstallEnvironment::KeepOldVersion(const std::wstring& chosenFolder) const {
  if (existingFolder.empty()) return false;
  bool same = IsSameFolder(chosenFolder, existingFolder);
  wchar_t value[20] = {};
  GetPrivateProfileStringW(L"Uninstall", L"IsOverride", L"true", value, 20,
                           JoinPath(chosenFolder, L"set.ini").c_str());
  return KeepsOldVersion(same, value);
}

DWORD CInstallEnvironment::FindRunningProcess(const std::wstring& exeFileName) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof(entry);
  DWORD found = 0;
  for (BOOL ok = Process32FirstW(snap, &entry); ok; ok = Process32NextW(snap, &entry)) {
    const wchar_t* name = wcsrchr(entry.szExeFile, L'\\');
    name = name ? name + 1 : entry.szExeFile;
    if (exeFileName == name) {
      found = entry.th32ProcessID;
      break;
    }
  }
  CloseHandle(snap);
  return found;
}

bool CInstallEnvironment::HasRoom(const std::wstring& folder) {
  std::wstring drive = DriveOf(folder);
  Utils::HardDiskManager disk;
  bool ok = disk.CheckFreeSpace(drive.empty() ? folder : drive + L"\\");
  return HasRoomForInstall(ok, disk.FreeBytesForUser());
}

void CInstallEnvironment::WriteInstallRecord() const {
  std::wstring folder = WithoutTrailingBackslash(installFolder);
  Utils::WriteRegistryString(L"InstallPath", folder);
  std::wstring uninstaller = uninstallerPath.empty() ? JoinPath(folder, L"uninst.ep") : uninstallerPath;
  if (FileExists(uninstaller)) Utils::WriteRegistryString(L"UnInstallEp", uninstaller);
}

std::wstring CInstallEnvironment::TelemetryFolder() {
  std::wstring base = EnvironmentValue(L"APPDATA");
  if (base.empty()) base = ShellFolder(CSIDL_COMMON_DOCUMENTS);
  if (base.empty()) return std::wstring();
  return JoinPath(JoinPath(base, L"OrvanData"), kProductCode);
}

void CInstallEnvironment::WriteSettingsFiles() const {
  std::wstring setIni = JoinPath(installFolder, L"set.ini");
  setlocale(LC_ALL, "en_GB.UTF-8");
  WritePrivateProfileStringW(L"Install", L"APPStore", InstallerFileName().c_str(), setIni.c_str());
  WritePrivateProfileStringW(L"Install", L"AppName", kProductCode, setIni.c_str());
  WritePrivateProfileStringW(L"Install", L"DeviceID", Utils::CreateGuidString().c_str(), setIni.c_str());
  std::wstring folder = TelemetryFolder();
  if (folder.empty() || !Utils::CreateDirectories(folder)) return;
  std::wstring telemetryIni = JoinPath(folder, L"OVTelemetry.ini");
  WritePrivateProfileStringW(L"Install", L"OVTelemetryIni", telemetryIni.c_str(), setIni.c_str());
  SYSTEMTIME t;
  GetLocalTime(&t);
  WritePrivateProfileStringW(L"Init", L"UpdateTime",
                             FormatUpdateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond).c_str(),
                             telemetryIni.c_str());
}

void CInstallEnvironment::LaunchProduct(HWND window) const {
  if (ShouldOpenStartUrl(startUrl)) ShellExecuteW(nullptr, L"open", startUrl.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
  if (!FileExists(productExe)) return;
  PumpMessagesFor(window, 100);
  ShellExecuteW(nullptr, L"open", productExe.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CInstallEnvironment::OpenExistingProduct() const {
  std::wstring exe = JoinPath(existingFolder, kProductExe);
  ShellExecuteW(nullptr, L"open", exe.c_str(), nullptr, existingFolder.c_str(), SW_SHOWNORMAL);
}

}  // namespace App
