// The installer's main window: four pages (welcome, custom, progress,
// finished), the checks before an installation, and the handling of the
// download-install controller's notices.
#pragma once
#include <memory>
#include <string>

#include "app/ControllerNotice.h"
#include "app/InstallEnvironment.h"
#include "app/InstallProgress.h"
#include "ui/OptionUI.h"
#include "ui/ProgressUI.h"
#include "ui/SequenceLabelUI.h"
#include "ui/SkinFrame.h"
#include "ui/TabLayoutUI.h"
#include "utils/Stopwatch.h"
#include "utils/Thread.h"

class CDownloadInstaller;

class CMainWnd : public SkinUI::CSkinFrame {
 public:
  CMainWnd();
  ~CMainWnd() override;

 protected:
  void OnWindowReady() override;
  void OnButtonClick(SkinUI::NotifyMessage& msg) override;
  void OnNotification(SkinUI::NotifyMessage& msg) override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  SkinUI::CControlUI* MakeCustomControl(const wchar_t* className) override;

 private:
  enum Page { kWelcome = 0, kCustom = 1, kProgress = 2, kFinished = 3 };

  void BindControls();
  void CloseWindow();
  int CurrentPage() const;
  void ShowPage(int page);
  void OnPageShown(int page);
  bool StartInstall(const std::wstring& folder, bool desktop, bool quickLaunch);
  void StartCustomInstall();
  void OnCheckNet(WPARAM result);
  void OnInstallGo(bool go);
  void OnSelectChanged(SkinUI::CControlUI* sender);
  void OnTimer(SkinUI::CControlUI* sender, WPARAM id);
  void StepCarousel(int step);
  void RestartCarouselTimer();
  void StopCarouselTimers();
  void RaiseInstall(WPARAM go, bool delayed);

  void HandleNotice(const App::ControllerNotice& n);
  void ShowPercent(int percent);
  void OnInstallSucceeded();
  void OnDownloadFailed(const App::ControllerNotice& n);
  void OnInstallFailed(const App::ControllerNotice& n);
  void OnUninstallFailed();
  void ReportDownloaderStart();

  SkinUI::CControlUI* Find(const wchar_t* name);

  // controls (null when the skin lacks them)
  SkinUI::CControlUI* winCtn_ = nullptr;
  SkinUI::CTabLayoutUI* titleTabLt_ = nullptr;
  SkinUI::CTabLayoutUI* mainTabLt_ = nullptr;
  SkinUI::CControlUI* titleGrpCtn_ = nullptr;
  SkinUI::CControlUI* backBtn_ = nullptr;
  SkinUI::CControlUI* defaultInstallBtn_ = nullptr;
  SkinUI::CControlUI* customeBtn_ = nullptr;
  SkinUI::CControlUI* tipLbl_ = nullptr;
  SkinUI::CCheckBoxUI* treatyCb_ = nullptr;
  SkinUI::CCheckBoxUI* treatyBtn_ = nullptr;
  SkinUI::CControlUI* installDirEdit_ = nullptr;
  SkinUI::CCheckBoxUI* createDSCb_ = nullptr;
  SkinUI::CCheckBoxUI* createQSCb_ = nullptr;
  SkinUI::CControlUI* customeInstallBtn_ = nullptr;
  SkinUI::CSequenceLabelUI* progressAnLb_ = nullptr;
  SkinUI::CControlUI* progressLb_ = nullptr;
  SkinUI::CProgressUI* installPrg_ = nullptr;
  SkinUI::CControlUI* softNameLbl_ = nullptr;
  SkinUI::CControlUI* installLogo_ = nullptr;
  SkinUI::CSequenceLabelUI* finishedLbl_ = nullptr;
  SkinUI::CControlUI* ableftBtn_ = nullptr;

  std::unique_ptr<CDownloadInstaller> controller_;
  std::unique_ptr<Utils::Thread> netThread_;
  App::CInstallEnvironment env_;
  App::InstallProgress progress_;
  Utils::Stopwatch stopwatch_;
  bool existingFound_ = false;
  int previousPage_ = 0;
  bool downloadStarted_ = false;
  std::wstring abValue_ = L"IN";
  int carouselIndex_ = 127;
  int startStyle_ = 0;
  UINT foregroundDelay_ = 3000;
  UINT closeDelay_ = 0xFFFFFFFFu;
};
