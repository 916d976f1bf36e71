// The installer's prompt window: one skinned modal window class for every
// question and notice; the skin decides its look and buttons.
#pragma once
#include <string>

#include "ui/SkinFrame.h"

class CMessageBoxWnd : public SkinUI::CSkinFrame {
 public:
  explicit CMessageBoxWnd(const std::wstring& skinFile);

  // 0 okBtn, 1 cancelBtn or closed without a click, 2 any other click.
  int Result() const { return result_; }
  void SetTexts(const wchar_t* text, const wchar_t* caption);

 protected:
  void OnWindowReady() override;
  void OnButtonClick(SkinUI::NotifyMessage& msg) override;

 private:
  int result_ = 1;
  SkinUI::CControlUI* okBtn_ = nullptr;
  SkinUI::CControlUI* cancelBtn_ = nullptr;
  SkinUI::CControlUI* textLbl_ = nullptr;
  SkinUI::CControlUI* captionLbl_ = nullptr;
};
