#include "app/Prompts.h"

#include "app/MessageBoxWnd.h"
#include "utils/DebugPrint.h"

namespace App {

int ShowPrompt(HWND owner, const wchar_t* skinFile, const wchar_t* text, const wchar_t* caption) {
  UTILS_LOG(L"PROMPT %s\r\n", skinFile);
  CMessageBoxWnd box(skinFile);
  if (!box.Create(owner, L"消息框", 0x10CF0000, 0)) return 1;
  box.SetTexts(text, caption);
  box.CenterOnOwner();
  box.RunModal();
  UTILS_LOG(L"PROMPT_RESULT %d\r\n", box.Result());
  return box.Result();
}

int ShowRunningProductPrompt(HWND owner) {
  return ShowPrompt(owner, L"MessageBox1Wnd.xml", L"安装程序检测到Sonavex\r\n正在运行，请退出程序后再安装", L"温馨提示");
}

int ShowPlainPrompt(HWND owner, const wchar_t* text) {
  return ShowPrompt(owner, L"MessageBox2Wnd.xml", text, L"温馨提示");
}

int ShowPackageMessage(HWND owner, const wchar_t* text) {
  return ShowPrompt(owner, L"MessageBox1Wnd.xml", text, L"消息");
}

int ShowExitPrompt(HWND owner) { return ShowPrompt(owner, L"ExitTipWnd.xml", nullptr, nullptr); }
int ShowNetworkPrompt(HWND owner) { return ShowPrompt(owner, L"NetworkTipWnd.xml", nullptr, nullptr); }
int ShowInstalledPrompt(HWND owner) { return ShowPrompt(owner, L"InstalledPathTipWnd.xml", nullptr, nullptr); }

}  // namespace App
