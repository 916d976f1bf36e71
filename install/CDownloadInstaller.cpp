#include "install/CDownloadInstaller.h"

#include <windows.h>

#include "app/InstallerSettings.h"
#include "download/CDownloader.h"
#include "install/InstallRunner.h"
#include "install/ReportCodes.h"
#include "install/UninstallRunner.h"
#include "utils/DebugPrint.h"
#include "utils/SystemQueries.h"

namespace {

std::mutex g_rememberedLock;
std::wstring g_rememberedPackage;  // shared by every controller of the process

// The package reports its outcome before its process has ended, and a
// running program cannot be deleted: keep trying for a while.
void DeletePackage(const std::wstring& path) {
  for (int tries = 0; tries < 100; ++tries) {
    if (DeleteFileW(path.c_str())) return;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) return;
    Sleep(100);
  }
}

}  // namespace

CDownloadInstaller::CDownloadInstaller(ReportCallback windowCallback, const std::wstring& url,
                                       const std::wstring& oldUninstaller, const std::wstring& installFolder,
                                       bool desktop, bool quickLaunch, bool userAdmin)
    : url_(url),
      oldUninstaller_(oldUninstaller),
      installFolder_(installFolder),
      desktop_(desktop),
      quickLaunch_(quickLaunch),
      userAdmin_(userAdmin),
      window_(std::move(windowCallback)) {}

CDownloadInstaller::~CDownloadInstaller() {
  downloader_.reset();
  installer_.reset();
  uninstaller_.reset();
}

void CDownloadInstaller::Set(const std::wstring& url, const std::wstring& installedFolder,
                             const std::wstring& oldUninstaller, const std::wstring& installFolder, bool desktop,
                             bool quickLaunch, bool userAdmin, bool tokenAdmin) {
  url_ = url;
  installedFolder_ = installedFolder;
  oldUninstaller_ = oldUninstaller;
  installFolder_ = installFolder;
  desktop_ = desktop;
  quickLaunch_ = quickLaunch;
  userAdmin_ = userAdmin;
  tokenAdmin_ = tokenAdmin;
}

std::wstring CDownloadInstaller::PackagePathFor(const std::wstring& installFolder) {
  return installFolder + L"\\__Package_" + L"Quelvox" + L".exe";
}

std::wstring CDownloadInstaller::UninstallerCopyPath() {
  std::wstring temp = Utils::GetTempWorkDir();
  return temp.empty() ? std::wstring() : temp + L"\\Quelvox_un_asa.exe";
}

std::wstring CDownloadInstaller::RememberedPackagePath() {
  std::lock_guard<std::mutex> hold(g_rememberedLock);
  return g_rememberedPackage;
}

void CDownloadInstaller::Forward(int32_t code, double value, const std::wstring& text) {
  if (window_) window_(code, value, text);
}

void CDownloadInstaller::Start() {
  packagePath_ = PackagePathFor(installFolder_);
  const int type = InstallerSettings::Get().DownloadType;
  UTILS_LOG(L"DL_TYPE=%d\r\n", type);
  // The stage handlers: each report goes to the window first, then moves
  // the installation on.
  auto onDownload = [this](int32_t code, double value, const std::wstring& text) {
      Forward(code, value, text);
      switch (code) {
        case DL_CODE_START:
          Utils::CreateDirectories(installFolder_);
          UTILS_LOG(L"DL_CODE_START\r\n");
          break;
        case DL_CODE_PROGRESS:
          UTILS_LOG(L"DL_CODE_PROGRESS\r\n");
          break;
        case DL_CODE_SUCCESS:
          UTILS_LOG(L"DOWNLOAD_SUCCESS\r\n");
          installer_->Start();
          UTILS_LOG(L"DL_CODE_SUCCESS\r\n");
          break;
        case DL_CODE_FAIL:
          CleanUpPackage();
          UTILS_LOG(L"DL_CODE_FAIL\r\n");
          break;
        case DL_CODE_RETRY:
          UTILS_LOG(L"DL_CODE_RETRY\r\n");
          downloader_->Start();
          break;
        default:
          break;
      }
  };
  auto onInstall = [this](int32_t code, double value, const std::wstring& text) {
      Forward(code, value, text);
      switch (code) {
        case InstallCodes::IST_CODE_START:
          UTILS_LOG(L"IST_CODE_START\r\n");
          break;
        case InstallCodes::IST_CODE_PROGRESS:
          UTILS_LOG(L"DL_CODE_SUCCESS\r\n");
          break;
        case InstallCodes::INSTALL_SUCCESS:
          CleanUpPackage();
          UTILS_LOG(L"INSTALL_SUCCESS\r\n");
          break;
        case InstallCodes::IST_CODE_FAIL:
          CleanUpPackage();
          UTILS_LOG(L"IST_CODE_FAIL\r\n");
          break;
        default:
          break;
      }
  };
  auto onUninstall = [this](int32_t code, double value, const std::wstring& text) {
      Forward(code, value, text);
      switch (code) {
        case InstallCodes::UNIST_CODE_START:
          UTILS_LOG(L"UNIST_CODE_START\r\n");
          break;
        case InstallCodes::UNIST_CODE_PROGRESS:
          UTILS_LOG(L"UNIST_CODE_PROGRESS\r\n");
          break;
        case InstallCodes::UNIST_CODE_SUCCESS:
          UTILS_LOG(L"UNIST_CODE_SUCCESS\r\n");
          downloader_->Start();
          break;
        case InstallCodes::UNIST_CODE_FAIL:
          UTILS_LOG(L"UNIST_CODE_FAIL\r\n");
          break;
        case InstallCodes::UNIST_CODE_ERROR:
          UTILS_LOG(L"UNIST_CODE_ERROR\r\n");
          break;
        default:
          break;
      }
  };
  if (!downloader_) downloader_ = CDownloader::Create(type, onDownload, url_, packagePath_);
  if (!installer_) {
    installer_ = std::make_unique<InstallRunner>(onInstall, L"\"" + packagePath_ + L"\"", installFolder_,
                                                 quickLaunch_, desktop_, userAdmin_);
  }
  installer_->SetInstallFolder(installFolder_);
  installer_->SetDesktop(desktop_);
  installer_->SetQuickLaunch(quickLaunch_);
  installer_->SetUserAdmin(userAdmin_);
  installer_->SetTokenAdmin(tokenAdmin_);

  if (!oldUninstaller_.empty() && GetFileAttributesW(oldUninstaller_.c_str()) != INVALID_FILE_ATTRIBUTES) {
    const std::wstring copy = UninstallerCopyPath();
    std::wstring target = oldUninstaller_;
    size_t slash = target.find_last_of(L"\\/");
    target = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash);
    if (!copy.empty()) CopyFileW(oldUninstaller_.c_str(), copy.c_str(), FALSE);
    uninstaller_.reset();
    uninstaller_ = std::make_unique<UninstallRunner>(onUninstall, copy, target);
    uninstaller_->Start();
  } else {
    downloader_->Start();
  }
}

void CDownloadInstaller::CleanUpPackage() {
  DeletePackage(packagePath_);
  std::lock_guard<std::mutex> hold(g_rememberedLock);
  if (!g_rememberedPackage.empty() && g_rememberedPackage != packagePath_) DeletePackage(g_rememberedPackage);
  g_rememberedPackage = packagePath_;
}



