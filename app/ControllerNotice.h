// A controller report copied for the UI thread: posted to the main window
// with kNoticeMessage; the window owns and frees it after handling.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace App {

constexpr UINT kNoticeMessage = WM_USER + 1000;
constexpr UINT kDownloaderStartedMessage = WM_USER + 200;
// The network-check thread hands its result to the UI thread with this.
constexpr UINT kNetworkCheckedMessage = WM_USER + 1001;

struct ControllerNotice {
  int32_t code;
  double value;
  std::wstring text;
};

}  // namespace App
