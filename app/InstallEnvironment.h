// What the installer reads from and leaves on the machine around an
// installation: the earlier installation, the proposed folders, running
// products, free space, the registry record, set.ini and OVTelemetry.ini,
// and the start of the installed product.
#pragma once
#include <windows.h>

#include <string>

namespace App {

class CInstallEnvironment {
 public:
  // Reads InstallPath and UnInstallEp of the product's registry key.
  void ReadExistingInstall();
  bool ExistingInstallFound() const { return !existingFolder.empty(); }

  // The proposed folder; also recomputes the two administrator flags.
  std::wstring DefaultInstallFolder();
  bool IsDefaultFolder(const std::wstring& path);
  std::wstring CustomInstallFolder(const std::wstring& editText);
  // True when the chosen folder is the installed one and its set.ini says
  // [Uninstall] IsOverride=false: the old version must then stay.
  bool KeepOldVersion(const std::wstring& chosenFolder) const;

  // The id of a running process with exactly this executable file name, or 0.
  static DWORD FindRunningProcess(const std::wstring& exeFileName);
  // At least 1 GiB free to the current user on the folder's drive.
  static bool HasRoom(const std::wstring& folder);
  // Both folders name the same directory (relative path exactly ".").
  static bool IsSameFolder(const std::wstring& a, const std::wstring& b);

  // After success: InstallPath, and UnInstallEp when that file exists.
  void WriteInstallRecord() const;
  // set.ini in the install folder and OVTelemetry.ini in the roaming data folder.
  void WriteSettingsFiles() const;
  // Opens the start address and starts the product executable. window is
  // the main window, repainted for a moment before the product starts.
  void LaunchProduct(HWND window) const;
  // The installed product in the existing folder, opened from there.
  void OpenExistingProduct() const;

  // The analytics settings folder: %APPDATA%\OrvanData\Quelvox.
  static std::wstring TelemetryFolder();

  std::wstring existingFolder;   // InstallPath of the registry key
  std::wstring oldUninstaller;   // UnInstallEp, or existingFolder\uninst.ep
  bool userIsAdmin = false;      // console session user is an administrator
  bool installerElevated = false;
  std::wstring installFolder;    // chosen folder, replaced by the package's InstPath
  std::wstring productExe;       // the package's ExePath
  std::wstring uninstallerPath;  // the package's UninstEp
  std::wstring startUrl;         // the package's StartUrl
};

}  // namespace App
