#include "app/MessageBoxWnd.h"

using namespace SkinUI;

namespace {
std::wstring ClassNameOf(const std::wstring& skinFile) { return skinFile.substr(0, skinFile.find(L'.')); }
}  // namespace

CMessageBoxWnd::CMessageBoxWnd(const std::wstring& skinFile)
    : CSkinFrame(FrameSpec{kSkinArchiveResource, 147, L"", skinFile, ClassNameOf(skinFile)}) {}

void CMessageBoxWnd::OnWindowReady() {
  CSkinFrame::OnWindowReady();
  HWND hwnd = GetHWND();
  SetWindowLongW(hwnd, GWL_STYLE, (GetWindowLongW(hwnd, GWL_STYLE) & 0xFF3EFFFF) | 0x06000000);
  SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) & ~WS_EX_TOPMOST);
  okBtn_ = Manager().FindByName(L"okBtn");
  cancelBtn_ = Manager().FindByName(L"cancelBtn");
  textLbl_ = Manager().FindByName(L"textLbl");
  captionLbl_ = Manager().FindByName(L"captionLbl");
}

void CMessageBoxWnd::SetTexts(const wchar_t* text, const wchar_t* caption) {
  if (text && textLbl_) textLbl_->SetText(text);
  if (caption && captionLbl_) captionLbl_->SetText(caption);
}

void CMessageBoxWnd::OnButtonClick(NotifyMessage& msg) {
  if (msg.pSender && msg.pSender == okBtn_) {
    result_ = 0;
    EndWindow(1);
  } else if (msg.pSender && msg.pSender == cancelBtn_) {
    result_ = 1;
    EndWindow(1);
  } else {
    CSkinFrame::OnButtonClick(msg);
    result_ = 2;
  }
}
