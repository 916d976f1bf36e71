// The demo product the stand-in setup package installs: a small window that
// says it is Sonavex. QV_PRODUCT_CLOSE_MS, when set, closes it after that
// many milliseconds (for scripted runs).
#include <windows.h>

#include <cstdlib>

namespace {

const UINT_PTR kCloseTimer = 1;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT rc;
      ::GetClientRect(hwnd, &rc);
      HFONT font = ::CreateFontW(-36, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                                 L"Segoe UI");
      HGDIOBJ old = ::SelectObject(dc, font);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, RGB(0x1f, 0x6f, 0xd0));
      RECT top = rc;
      top.bottom = rc.bottom / 2 + 10;
      ::DrawTextW(dc, L"Sonavex", -1, &top, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
      ::SelectObject(dc, old);
      ::DeleteObject(font);
      RECT bottom = rc;
      bottom.top = rc.bottom / 2 + 20;
      ::SetTextColor(dc, RGB(0x55, 0x55, 0x55));
      ::DrawTextW(dc, L"Sonavex 已安装，欢迎使用。", -1, &bottom, DT_CENTER | DT_TOP | DT_SINGLELINE);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_TIMER:
      if (wp == kCloseTimer) ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSEXW wc = {sizeof(wc)};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"QuelvoxDemoProduct";
  if (!::RegisterClassExW(&wc)) return 1;
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Sonavex", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 480, 300, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  wchar_t closeMs[32] = L"";
  if (::GetEnvironmentVariableW(L"QV_PRODUCT_CLOSE_MS", closeMs, 32) > 0)
    ::SetTimer(hwnd, kCloseTimer, static_cast<UINT>(_wtoi(closeMs)), nullptr);
  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
