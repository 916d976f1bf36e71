// The prompts the installer puts to the user, each a CMessageBoxWnd shown
// modally over the main window.
#pragma once
#include <windows.h>

namespace App {

// Shows the skin's prompt over owner; text and caption go into textLbl and
// captionLbl when given and present. Returns the prompt's result.
int ShowPrompt(HWND owner, const wchar_t* skinFile, const wchar_t* text, const wchar_t* caption);

int ShowRunningProductPrompt(HWND owner);
int ShowPlainPrompt(HWND owner, const wchar_t* text);  // MessageBox2Wnd, caption "温馨提示"
int ShowPackageMessage(HWND owner, const wchar_t* text);
int ShowExitPrompt(HWND owner);
int ShowNetworkPrompt(HWND owner);
int ShowInstalledPrompt(HWND owner);

constexpr const wchar_t* kInvalidPathText = L"无效路径";
constexpr const wchar_t* kLowDiskText = L"当前磁盘剩余空间低于1GB，请修改安装路径";
constexpr const wchar_t* kPoorNetworkText = L"当前网络环境较差，请在网络通畅时进行安装";
constexpr const wchar_t* kInstallFailedText = L"安装失败";

}  // namespace App
