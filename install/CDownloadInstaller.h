// Sequences an installation behind the main window: the old version's
// uninstaller (when asked), the download of the setup package, the package
// run, and the clean-up of the package. Every report of every component is
// forwarded to the window's callback first and then acted on.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "utils/ReportCallback.h"

class CDownloader;
class InstallRunner;
class UninstallRunner;

class CDownloadInstaller {
 public:
  CDownloadInstaller(ReportCallback windowCallback, const std::wstring& url, const std::wstring& oldUninstaller,
                     const std::wstring& installFolder, bool desktop, bool quickLaunch, bool userAdmin);
  ~CDownloadInstaller();
  CDownloadInstaller(const CDownloadInstaller&) = delete;
  CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;

  void Set(const std::wstring& url, const std::wstring& installedFolder, const std::wstring& oldUninstaller,
           const std::wstring& installFolder, bool desktop, bool quickLaunch, bool userAdmin, bool tokenAdmin);
  // Runs on the caller's thread and returns; the work goes on on the
  // components' worker threads.
  void Start();

  const std::wstring& PackagePath() const { return packagePath_; }
  // The package path the controller (of any instance) last cleaned up.
  static std::wstring RememberedPackagePath();

  // install folder + "\__Package_Quelvox.exe"
  static std::wstring PackagePathFor(const std::wstring& installFolder);
  // <temporary work folder>\Quelvox_un_asa.exe, or empty without one.
  static std::wstring UninstallerCopyPath();

 private:
  void CleanUpPackage();
  void Forward(int32_t code, double value, const std::wstring& text);

  std::unique_ptr<UninstallRunner> uninstaller_;
  std::unique_ptr<CDownloader> downloader_;
  std::unique_ptr<InstallRunner> installer_;
  std::wstring url_;
  std::wstring oldUninstaller_;
  std::wstring installFolder_;
  std::wstring packagePath_;
  std::wstring installedFolder_;
  bool desktop_;
  bool quickLaunch_;
  bool userAdmin_;
  bool tokenAdmin_ = false;
  ReportCallback window_;
};
