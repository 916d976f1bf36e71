#include "app/MainWnd.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/InstallRules.h"
#include "ui/SequenceButtonUI.h"
#include "ui/SkinArchive.h"
#include "app/InstallerSettings.h"
#include "app/Prompts.h"
#include "app/ReportHooks.h"
#include "install/CDownloadInstaller.h"
#include "download/CDownloader.h"
#include "install/ReportCodes.h"
#include "utils/CreateDirectories.h"
#include "utils/DebugPrint.h"
#include "utils/HardDiskManager.h"
#include "utils/NetworkCheck.h"

using namespace SkinUI;
using namespace InstallCodes;

namespace {

const wchar_t* const kPagePictures[] = {L"res\\mainWnd\\bg1.png", L"res\\mainWnd\\bg2.png", L"res\\mainWnd\\bg3.png",
                                        L"res\\mainWnd\\bg4.png"};
const wchar_t* const kCarouselPictures[] = {L"res\\mainWnd\\ab1.png", L"res\\mainWnd\\ab2.png",
                                            L"res\\mainWnd\\ab3.png", L"res\\mainWnd\\bg3.png"};
constexpr UINT kCarouselTimer = 4396;
constexpr UINT kCarouselTimer2 = 5669;
constexpr UINT kForegroundTimer = 10;
constexpr UINT kCloseTimer = 11;
constexpr UINT kFrameTimer = 2100;

FrameSpec MainFrameSpec() { return FrameSpec{kSkinArchiveResource, 147, L"", L"MainWnd.xml", L"MainWnd"}; }

// Width of a text in the label's font, for labels sized to their content.
int TextWidth(CControlManagerUI& pm, CControlUI* control, const std::wstring& text) {
  HDC dc = pm.GetPaintDC();
  CLabelUI* label = dynamic_cast<CLabelUI*>(control);
  HFONT font = pm.GetFont(label ? label->GetFont() : -1);
  if (!dc) return 0;
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (old) SelectObject(dc, old);
  return size.cx;
}

App::ReportProperties AbProps(const std::wstring& ab) { return App::ReportProperties{{L"AB", ab}}; }

}  // namespace

CMainWnd::CMainWnd() : CSkinFrame(MainFrameSpec()), progress_(InstallerSettings::Get().DownloadScale) {}

CMainWnd::~CMainWnd() {
  controller_.reset();
  netThread_.reset();
}

CControlUI* CMainWnd::MakeCustomControl(const wchar_t* className) {
  if (!className) return nullptr;
  if (wcscmp(className, L"SequenceLabel") == 0) return new CSequenceLabelUI();
  if (wcscmp(className, L"SequenceButton") == 0) return new CSequenceButtonUI();
  return nullptr;
}

CControlUI* CMainWnd::Find(const wchar_t* name) { return Manager().FindByName(name); }

void CMainWnd::BindControls() {
  winCtn_ = Find(L"winCtn");
  titleTabLt_ = dynamic_cast<CTabLayoutUI*>(Find(L"titleTabLt"));
  mainTabLt_ = dynamic_cast<CTabLayoutUI*>(Find(L"mainTabLt"));
  titleGrpCtn_ = Find(L"titleGrpCtn");
  backBtn_ = Find(L"backBtn");
  defaultInstallBtn_ = Find(L"defaultInstallBtn");
  customeBtn_ = Find(L"customeBtn");
  tipLbl_ = Find(L"tipLbl");
  treatyCb_ = dynamic_cast<CCheckBoxUI*>(Find(L"treatyCb"));
  treatyBtn_ = dynamic_cast<CCheckBoxUI*>(Find(L"treatyBtn"));
  installDirEdit_ = Find(L"installDirEdit");
  createDSCb_ = dynamic_cast<CCheckBoxUI*>(Find(L"createDSCb"));
  createQSCb_ = dynamic_cast<CCheckBoxUI*>(Find(L"createQSCb"));
  customeInstallBtn_ = Find(L"customeInstallBtn");
  progressAnLb_ = dynamic_cast<CSequenceLabelUI*>(Find(L"progressAnLb"));
  progressLb_ = Find(L"progressLb");
  installPrg_ = dynamic_cast<CProgressUI*>(Find(L"installPrg"));
  softNameLbl_ = Find(L"softNameLbl");
  installLogo_ = Find(L"installLogo");
  finishedLbl_ = dynamic_cast<CSequenceLabelUI*>(Find(L"finishedLbl"));
  ableftBtn_ = Find(L"ableftBtn");
  for (const wchar_t* name : {L"softNameLbl", L"bTitleLbl1", L"bTitleLbl2", L"bTitleLbl3"}) {
    if (CControlUI* label = Find(name)) {
      label->SetText(App::kDisplayName);
      label->SetFixedWidth(TextWidth(Manager(), label, App::kDisplayName));
    }
  }
}

void CMainWnd::OnWindowReady() {
  CSkinFrame::OnWindowReady();
  HWND hwnd = GetHWND();
  SetWindowLongW(hwnd, GWL_STYLE, (GetWindowLongW(hwnd, GWL_STYLE) & 0xFF3EFFFF) | 0x06000000);
  SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) & ~WS_EX_TOPMOST);
  SetIcon(145);
  BindControls();

  controller_ = std::make_unique<CDownloadInstaller>(
      [hwnd](int32_t code, double value, const std::wstring& text) {
        auto* n = new App::ControllerNotice{code, value, text};
        if (!::PostMessageW(hwnd, App::kNoticeMessage, 0, reinterpret_cast<LPARAM>(n))) delete n;
      },
      L"", L"", L"", true, true, true);

  env_.ReadExistingInstall();
  existingFound_ = env_.ExistingInstallFound();
  if (installDirEdit_) installDirEdit_->SetText(env_.DefaultInstallFolder());
  CenterOnOwner();

  if (!existingFound_) return;
  if (App::CInstallEnvironment::FindRunningProcess(App::kProductExe)) {
    App::ShowRunningProductPrompt(hwnd);
    CloseWindow();
    return;
  }
  switch (App::ShowInstalledPrompt(hwnd)) {
    case 1:
      env_.OpenExistingProduct();
      CloseWindow();
      break;
    case 0:
      StartInstall(env_.existingFolder, true, true);
      break;
    default:
      CloseWindow();
      break;
  }
}

void CMainWnd::CloseWindow() { ::PostMessageW(GetHWND(), WM_CLOSE, 1, 0); }

int CMainWnd::CurrentPage() const { return mainTabLt_ ? mainTabLt_->ShownChild() : 0; }

void CMainWnd::ShowPage(int page) {
  if (mainTabLt_) mainTabLt_->SelectChild(page, true);
}

void CMainWnd::OnPageShown(int page) {
  if (page < 0 || page > 3) return;
  UTILS_LOG(L"PAGE %d\r\n", page);
  if (winCtn_) {
    winCtn_->SetBkImage(kPagePictures[page]);
    winCtn_->Invalidate();
  }
  bool progress = page == kProgress;
  if (titleTabLt_ && page != kProgress) titleTabLt_->SelectChild(page == kFinished ? 2 : 1);
  if (titleGrpCtn_) titleGrpCtn_->SetVisible(!progress);
  if (installLogo_) installLogo_->SetVisible(progress);
  if (backBtn_) backBtn_->SetVisible(page == kCustom);
  if (page == kWelcome || page == kCustom) StopCarouselTimers();
  if (progress && progressAnLb_) progressAnLb_->Restart();
  if (page == kFinished) {
    if (progressAnLb_) Manager().StopControlTimer(progressAnLb_, kFrameTimer);
    if (finishedLbl_) finishedLbl_->Restart();
  }
}

void CMainWnd::OnButtonClick(NotifyMessage& msg) {
  CControlUI* sender = msg.pSender;
  const std::wstring name = sender ? sender->GetName() : std::wstring();
  HWND hwnd = GetHWND();
  if (name == L"defaultInstallBtn") {
    App::ReportClick(AbProps(abValue_), L"立即安装");
    if (treatyCb_ && !treatyCb_->IsChecked()) {
      if (tipLbl_) tipLbl_->SetVisible(true);
      return;
    }
    StartInstall(env_.DefaultInstallFolder(), true, true);
  } else if (name == L"customeBtn") {
    App::ReportClick(AbProps(abValue_), L"自定义安装");
    ShowPage(kCustom);
    if (customeInstallBtn_) customeInstallBtn_->SetFocus();
  } else if (name == L"customeInstallBtn") {
    App::ReportClick(AbProps(abValue_), L"自定义安装_立即安装");
    StartCustomInstall();
  } else if (name == L"chDirBtn") {
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW bi = {};
    bi.hwndOwner = hwnd;
    bi.pszDisplayName = display;
    bi.lpszTitle = L"选择一个文件夹";
    bi.ulFlags = 0x40;
    if (PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi)) {
      wchar_t path[MAX_PATH] = {};
      if (SHGetPathFromIDListW(pidl, path) && installDirEdit_) installDirEdit_->SetText(path);
      CoTaskMemFree(pidl);
    }
  } else if (name == L"backBtn") {
    ShowPage(kWelcome);
  } else if (name == L"treatyBtn") {
    ShellExecuteW(nullptr, L"open", L"", nullptr, nullptr, SW_SHOWMAXIMIZED);
  } else if (name == L"openProduceBtn") {
    App::ReportClick(AbProps(abValue_), L"立即体验");
    if (startStyle_ == 2) env_.LaunchProduct(hwnd);
    CloseWindow();
  } else if (name == L"ableftBtn" || name == L"abrightBtn") {
    StepCarousel(name == L"ableftBtn" ? -1 : 1);
    RestartCarouselTimer();
  } else if (name == L"closebtn") {
    if (CurrentPage() == kFinished || App::ShowExitPrompt(hwnd) == 0) CloseWindow();
  } else {
    CSkinFrame::OnButtonClick(msg);
  }
}

void CMainWnd::StartCustomInstall() {
  std::wstring text = installDirEdit_ ? installDirEdit_->GetText() : std::wstring();
  StartInstall(env_.CustomInstallFolder(text), createDSCb_ ? createDSCb_->IsChecked() : true,
               createQSCb_ ? createQSCb_->IsChecked() : true);
}

void CMainWnd::RaiseInstall(WPARAM go, bool delayed) {
  Manager().RaiseNotification(Manager().GetRoot(), L"install", go, 0, delayed);
}

bool CMainWnd::StartInstall(const std::wstring& folder, bool desktop, bool quickLaunch) {
  HWND hwnd = GetHWND();
  if (App::CInstallEnvironment::FindRunningProcess(App::kUninstallerCopyExe)) {
    App::ShowRunningProductPrompt(hwnd);
    if (existingFound_) CloseWindow();
    return false;
  }
  if (App::CInstallEnvironment::FindRunningProcess(App::kProductExe)) {
    App::ShowRunningProductPrompt(hwnd);
    CloseWindow();
    return false;
  }
  if (customeInstallBtn_) customeInstallBtn_->SetEnabled(false);
  if (!Utils::CreateDirectories(folder)) {
    App::ShowPlainPrompt(hwnd, App::kInvalidPathText);
    RaiseInstall(0, false);
    return false;
  }
  if (!App::CInstallEnvironment::HasRoom(folder)) {
    App::ShowPlainPrompt(hwnd, App::kLowDiskText);
    RaiseInstall(0, false);
    return false;
  }
  env_.installFolder = folder;
  std::wstring oldUninstaller = env_.KeepOldVersion(folder) ? std::wstring() : env_.oldUninstaller;
  const InstallerSettings& s = InstallerSettings::Get();
  controller_->Set(s.DownloadUrl, env_.existingFolder, oldUninstaller, folder, desktop, quickLaunch, env_.userIsAdmin,
                   env_.installerElevated);
  if (s.IsCheckNet) {
    netThread_.reset();
    netThread_ = std::make_unique<Utils::Thread>(this, L"ABDEF", [hwnd](void*) {
      HRESULT hr = CoInitialize(nullptr);
      uint32_t result = Utils::CheckNetwork();
      ::PostMessageW(hwnd, App::kNetworkCheckedMessage, result, 0);
      if (SUCCEEDED(hr)) CoUninitialize();
      return 0;
    });
    netThread_->Start();
  } else {
    RaiseInstall(1, true);
  }
  return true;
}

void CMainWnd::OnCheckNet(WPARAM result) {
  bool usable = (static_cast<uint32_t>(result) >> 16) == 0;
  if (!usable) App::ShowPlainPrompt(GetHWND(), App::kPoorNetworkText);
  RaiseInstall(usable ? 1 : 0, false);
}

void CMainWnd::OnInstallGo(bool go) {
  if (go) {
    previousPage_ = CurrentPage();
    ShowPage(kProgress);
    App::ReportView(AbProps(abValue_));
    controller_->Start();
    if (ableftBtn_) Manager().StartControlTimer(winCtn_, kCarouselTimer, 10000);
  }
  if (customeInstallBtn_) customeInstallBtn_->SetEnabled(true);
}

void CMainWnd::OnSelectChanged(CControlUI* sender) {
  if (sender == treatyCb_ && treatyCb_) {
    bool ticked = treatyCb_->IsChecked();
    if (treatyBtn_) treatyBtn_->SetChecked(ticked, true);
    if (customeBtn_) customeBtn_->SetEnabled(ticked);
    if (ticked && tipLbl_) tipLbl_->SetVisible(false);
  } else if (sender == treatyBtn_ && treatyBtn_ && treatyCb_) {
    if (treatyBtn_->IsChecked() != treatyCb_->IsChecked()) treatyBtn_->SetChecked(treatyCb_->IsChecked(), true);
  }
}

void CMainWnd::OnTimer(CControlUI* sender, WPARAM id) {
  if (sender == winCtn_ && winCtn_ && (id == kCarouselTimer || id == kCarouselTimer2)) {
    StepCarousel(1);
  } else if (sender == Manager().GetRoot() && id == kForegroundTimer) {
    SetForegroundWindow(GetHWND());
    Manager().StopControlTimer(sender, kForegroundTimer);
  } else if (sender == Manager().GetRoot() && id == kCloseTimer) {
    Manager().StopControlTimer(sender, kCloseTimer);
    CloseWindow();
  }
}

void CMainWnd::StepCarousel(int step) {
  carouselIndex_ += step;
  int i = ((carouselIndex_ % 4) + 4) % 4;
  if (winCtn_) {
    winCtn_->SetBkImage(kCarouselPictures[i]);
    winCtn_->Invalidate();
  }
}

void CMainWnd::RestartCarouselTimer() {
  if (!winCtn_) return;
  Manager().StopControlTimer(winCtn_, kCarouselTimer);
  Manager().StartControlTimer(winCtn_, kCarouselTimer, 10000);
}

void CMainWnd::StopCarouselTimers() {
  if (!winCtn_) return;
  Manager().StopControlTimer(winCtn_, kCarouselTimer);
  Manager().StopControlTimer(winCtn_, kCarouselTimer2);
}

void CMainWnd::OnNotification(NotifyMessage& msg) {
  const std::wstring& type = msg.sType;
  if (type == L"selectchanged") {
    OnSelectChanged(msg.pSender);
  } else if (type == L"tabselect") {
    if (msg.pSender == mainTabLt_) OnPageShown(static_cast<int>(msg.wParam));
  } else if (type == L"timer") {
    OnTimer(msg.pSender, msg.wParam);
  } else if (type == L"checknet") {
    OnCheckNet(msg.wParam);
  } else if (type == L"install") {
    OnInstallGo(msg.wParam != 0);
  }
  CSkinFrame::OnNotification(msg);
}

LRESULT CMainWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (CurrentPage() == kProgress) return 0;
      break;
    case App::kDownloaderStartedMessage:
      ReportDownloaderStart();
      return 0;
    case App::kNetworkCheckedMessage:
      Manager().RaiseNotification(Manager().GetRoot(), L"checknet", wParam, 0, false);
      return 0;
    case App::kNoticeMessage: {
      std::unique_ptr<App::ControllerNotice> n(reinterpret_cast<App::ControllerNotice*>(lParam));
      if (n) HandleNotice(*n);
      return 0;
    }
    default:
      break;
  }
  return CSkinFrame::OnWindowMessage(msg, wParam, lParam);
}

void CMainWnd::ReportDownloaderStart() {
  if (downloadStarted_) return;
  downloadStarted_ = true;
  App::ReportTask(L"下载器启动", 0, L"", AbProps(abValue_));
}

void CMainWnd::ShowPercent(int percent) {
  std::wstring userFormat;  // the skin gives progressLb no user data
  if (progressLb_) progressLb_->SetText(App::ProgressLabel(userFormat, percent, stopwatch_.Elapsed()));
  if (installPrg_) installPrg_->SetProgress(percent);
}

void CMainWnd::HandleNotice(const App::ControllerNotice& n) {
  if (n.code != DL_CODE_PROGRESS && n.code != IST_CODE_PROGRESS) UTILS_LOG(L"NOTICE %d %s\r\n", n.code, n.text.c_str());
  switch (n.code) {
    case DL_CODE_START:
      if (!downloadStarted_) {
        abValue_ = InstallerSettings::Get().AbGroup;
        ReportDownloaderStart();
      }
      stopwatch_.Start();
      App::ReportTask(L"开始下载大包", 0, L"", AbProps(abValue_));
      break;
    case DL_CODE_PROGRESS:
      ShowPercent(progress_.DownloadPercent(n.value));
      break;
    case DL_CODE_SUCCESS:
      App::ReportTask(L"大包下载完毕", stopwatch_.Elapsed(), L"", AbProps(abValue_));
      break;
    case DL_CODE_FAIL:
      OnDownloadFailed(n);
      break;
    case DL_CODE_MD5_NOTICE:
      App::ReportTask(L"下载失败原因", 0, App::ShortReason(n.value, n.text), AbProps(abValue_));
      break;
    case IST_CODE_START:
      env_.WriteSettingsFiles();
      break;
    case IST_CODE_PROGRESS:
      ShowPercent(progress_.InstallPercent(n.value));
      break;
    case INSTALL_SUCCESS:
      OnInstallSucceeded();
      break;
    case IST_CODE_FAIL:
      OnInstallFailed(n);
      break;
    case IST_INFO_INST_PATH:
      env_.installFolder = App::WithoutLineEnd(n.text);
      break;
    case IST_INFO_EXE_PATH:
      env_.productExe = App::WithoutLineEnd(n.text);
      break;
    case IST_INFO_UNINST_EP:
      env_.uninstallerPath = App::WithoutLineEnd(n.text);
      break;
    case IST_INFO_START_URL:
      env_.startUrl = App::WithoutLineEnd(n.text);
      break;
    case IST_INFO_STARTUP_STYLE:
      startStyle_ = App::NoticeInt(n.value);
      break;
    case IST_INFO_TOP_SHOW_DETENTION:
      foregroundDelay_ = n.value > 0 && n.value < 4294967296.0 ? static_cast<UINT>(n.value) : 0;
      break;
    case IST_INFO_FINISH_CLOSE_DETENTION:
      closeDelay_ = n.value > 0 && n.value < 4294967296.0 ? static_cast<UINT>(n.value) : 0;
      break;
    case IST_INFO_MESSAGE:
      App::ShowPackageMessage(GetHWND(), n.text.c_str());
      break;
    case UNIST_CODE_FAIL:
    case UNIST_CODE_ERROR:
      OnUninstallFailed();
      break;
    default:
      break;
  }
}

void CMainWnd::OnInstallSucceeded() {
  App::ReportTask(L"安装成功", 0, L"", AbProps(abValue_));
  if (installPrg_) {
    installPrg_->SetProgress(100);
    std::wstring fore = SkinArchive::ResourcePath() + L"res\\mainWnd\\installPrg3.png";
    if (GetFileAttributesW(fore.c_str()) != INVALID_FILE_ATTRIBUTES) {
      installPrg_->SetAttribute(L"foreimage", L"res\\mainWnd\\installPrg3.png");
      installPrg_->Invalidate();
    }
  }
  StopCarouselTimers();
  if (softNameLbl_) {
    softNameLbl_->SetText(App::kDisplayName);
    softNameLbl_->SetVisible(true);
  }
  ShowPage(kFinished);
  if (env_.productExe.empty()) env_.productExe = App::JoinPath(env_.installFolder, App::kProductExe);
  env_.WriteInstallRecord();
  env_.WriteSettingsFiles();
  if (startStyle_ == 1) env_.LaunchProduct(GetHWND());
  CControlUI* root = Manager().GetRoot();
  if (foregroundDelay_) Manager().StartControlTimer(root, kForegroundTimer, foregroundDelay_);
  if (closeDelay_) Manager().StartControlTimer(root, kCloseTimer, closeDelay_);
}

void CMainWnd::OnDownloadFailed(const App::ControllerNotice& n) {
  App::ReportTask(L"下载失败原因", 0, App::DiagnoseDownloadFailure(env_.installFolder, n.value, n.text),
                  AbProps(abValue_));

  int page = previousPage_;
  switch (App::ShowNetworkPrompt(GetHWND())) {
    case 0:
      ShowPage(page);
      if (page == kCustom) StartCustomInstall();
      else StartInstall(env_.DefaultInstallFolder(), true, true);
      return;
    case 1:
      if (existingFound_) CloseWindow();
      break;
    default:
      break;
  }
  ShowPage(page);
}

void CMainWnd::OnInstallFailed(const App::ControllerNotice& n) {
  App::ReportTask(L"安装失败原因", 0, App::ShortReason(n.value, n.text), AbProps(abValue_));
  App::ShowPlainPrompt(GetHWND(), n.text.empty() ? App::kInstallFailedText : n.text.c_str());
  if (installPrg_ && installPrg_->ProgressValue() >= 70) {
    if (progressLb_) progressLb_->SetText(L"正在安装中:0%，请稍候...");
    installPrg_->SetProgress(0);
  }
  ShowPage(kWelcome);
}

void CMainWnd::OnUninstallFailed() {
  App::ShowRunningProductPrompt(GetHWND());
  ShowPage(previousPage_);
  if (existingFound_) CloseWindow();
}
