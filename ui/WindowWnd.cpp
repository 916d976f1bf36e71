#include "ui/WindowWnd.h"

#include "ui/ControlManagerUI.h"

namespace SkinUI {

CWindowWnd::CWindowWnd() : m_OldWndProc(::DefWindowProcW) {}

CWindowWnd::~CWindowWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND h = m_hWnd;
        ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        ::DestroyWindow(h);
    }
}

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSW wc = {};
    wc.style = GetClassStyle();
    wc.lpfnWndProc = &CWindowWnd::WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = WindowClassName();
    ATOM a = ::RegisterClassW(&wc);
    return a != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND hwndParent, const wchar_t* pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y,
                        int cx, int cy) {
    if (!RegisterWindowClass()) return nullptr;
    m_hWnd = ::CreateWindowExW(dwExStyle, WindowClassName(), pstrName, dwStyle, x, y, cx, cy, hwndParent, nullptr,
                               ::GetModuleHandleW(nullptr), this);
    return m_hWnd;
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
    if (!::IsWindow(m_hWnd)) return;
    ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::RunModal() {
    if (!::IsWindow(m_hWnd)) return 0;
    UINT nRet = 0;
    HWND hWndParent = ::GetWindow(m_hWnd, GW_OWNER);
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    if (hWndParent) ::EnableWindow(hWndParent, FALSE);
    MSG msg = {};
    HWND self = m_hWnd;
    bool quit = false;
    while (::IsWindow(self)) {
        BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) {
            quit = r == 0;
            break;
        }
        if (msg.hwnd == self && msg.message == WM_CLOSE) {
            nRet = (UINT)msg.wParam;
            if (hWndParent) {
                ::EnableWindow(hWndParent, TRUE);
                ::SetFocus(hWndParent);
            }
        }
        if (!CControlManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (hWndParent) {
        ::EnableWindow(hWndParent, TRUE);
        ::SetFocus(hWndParent);
    }
    if (quit) ::PostQuitMessage((int)msg.wParam);
    return nRet;
}

void CWindowWnd::EndWindow(UINT nRet) {
    if (!::IsWindow(m_hWnd)) return;
    ::PostMessageW(m_hWnd, WM_CLOSE, (WPARAM)nRet, 0);
}

void CWindowWnd::CenterOnOwner() {
    if (!::IsWindow(m_hWnd)) return;
    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    HMONITOR mon = ::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {sizeof mi};
    ::GetMonitorInfoW(mon, &mi);
    RECT rcArea = mi.rcWork, rcCenter;
    if (owner && !::IsIconic(owner))
        ::GetWindowRect(owner, &rcCenter);
    else
        rcCenter = rcArea;
    int w = rcDlg.right - rcDlg.left, h = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - w / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - h / 2;
    if (x < rcArea.left)
        x = rcArea.left;
    else if (x + w > rcArea.right)
        x = rcArea.right - w;
    if (y < rcArea.top)
        y = rcArea.top;
    else if (y + h > rcArea.bottom)
        y = rcArea.bottom - h;
    ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT nRes) {
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    HICON big = (HICON)::LoadImageW(inst, MAKEINTRESOURCEW(nRes), IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                    ::GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR);
    if (big) ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, (LPARAM)big);
    HICON small = (HICON)::LoadImageW(inst, MAKEINTRESOURCEW(nRes), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                      ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
    if (small) ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, (LPARAM)small);
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::OnWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_OldWndProc, m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnWindowGone(HWND) {}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (uMsg == WM_NCCREATE) {
        LPCREATESTRUCTW cs = (LPCREATESTRUCTW)lParam;
        self = (CWindowWnd*)cs->lpCreateParams;
        self->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, (LONG_PTR)self);
    } else {
        self = (CWindowWnd*)::GetWindowLongPtrW(hWnd, GWLP_USERDATA);
        if (uMsg == WM_NCDESTROY && self) {
            LRESULT r = ::CallWindowProcW(self->m_OldWndProc, hWnd, uMsg, wParam, lParam);
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            if (self->m_bSubclassed) ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)self->m_OldWndProc);
            self->m_hWnd = nullptr;
            self->OnWindowGone(hWnd);
            return r;
        }
    }
    if (self) return self->OnWindowMessage(uMsg, wParam, lParam);
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

}  // namespace SkinUI
