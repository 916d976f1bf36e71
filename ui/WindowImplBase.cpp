#include "ui/WindowImplBase.h"

#include <windowsx.h>

#include "ui/AttrSyntax.h"
#include "ui/SkinArchive.h"
#include "ui/SkinBuilder.h"
#include "ui/SkinResource.h"

namespace SkinUI {

void CNotifyPump::AddNotifyHandler(const std::wstring& type, const std::wstring& name, Handler handler) {
    m_entries.push_back(Entry{type, name, std::move(handler)});
}

bool CNotifyPump::LoopDispatch(NotifyMessage& msg) {
    const std::wstring senderName = msg.pSender ? msg.pSender->GetName() : std::wstring();
    for (const Entry& e : m_entries)
        if (e.type == msg.sType && !e.name.empty() && e.name == senderName) {
            e.handler(msg);
            return true;
        }
    for (const Entry& e : m_entries)
        if (e.type == msg.sType && e.name.empty()) {
            e.handler(msg);
            return true;
        }
    return false;
}

WindowImplBase::WindowImplBase() {
    AddNotifyHandler(L"click", L"", [this](NotifyMessage& m) { OnButtonClick(m); });
}

WindowImplBase::~WindowImplBase() = default;

void WindowImplBase::OnNotification(NotifyMessage& msg) { LoopDispatch(msg); }

void WindowImplBase::OnButtonClick(NotifyMessage& msg) {
    const std::wstring name = msg.pSender ? msg.pSender->GetName() : std::wstring();
    if (name == L"closebtn")
        EndWindow(1);
    else if (name == L"minbtn")
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (name == L"maxbtn")
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else if (name == L"restorebtn")
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
}

LRESULT WindowImplBase::OnDefaultKey(WPARAM wParam) {
    if (wParam == VK_ESCAPE) EndWindow(1);
    return FALSE;
}

LRESULT WindowImplBase::PreFilterMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        if (wParam == VK_ESCAPE) {
            bHandled = true;
            return OnDefaultKey(wParam);
        }
        OnDefaultKey(wParam);
    }
    return FALSE;
}

CControlUI* WindowImplBase::MakeCustomControl(const wchar_t*) { return nullptr; }

LONG WindowImplBase::GetStyle() {
    LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    style &= ~WS_CAPTION;
    style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return style;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (::IsIconic(m_hWnd)) {
        bHandled = FALSE;
        return 0;
    }
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
    if (::IsZoomed(m_hWnd) && wParam) {
        LPNCCALCSIZE_PARAMS p = (LPNCCALCSIZE_PARAMS)lParam;
        MONITORINFO mi = {sizeof mi};
        ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
        p->rgrc[0] = mi.rcWork;
    }
    return 0;  // the whole window rectangle is client area
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, BOOL&) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    if (!::IsZoomed(m_hWnd)) {
        RECT sb = m_pm.GetSizeBox();
        if (pt.y < rcClient.top + sb.top) {
            if (pt.x < rcClient.left + sb.left) return HTTOPLEFT;
            if (pt.x > rcClient.right - sb.right) return HTTOPRIGHT;
            return HTTOP;
        }
        if (pt.y > rcClient.bottom - sb.bottom) {
            if (pt.x < rcClient.left + sb.left) return HTBOTTOMLEFT;
            if (pt.x > rcClient.right - sb.right) return HTBOTTOMRIGHT;
            return HTBOTTOM;
        }
        if (pt.x < rcClient.left + sb.left) return HTLEFT;
        if (pt.x > rcClient.right - sb.right) return HTRIGHT;
    }
    RECT cap = m_pm.GetCaptionRect();
    if (pt.x >= rcClient.left + cap.left && pt.x < rcClient.right - cap.right && pt.y >= cap.top &&
        pt.y < cap.bottom) {
        CControlUI* c = m_pm.FindControlAt(pt);
        if (c && !EqualsNoCase(c->GetClass(), L"Button") && !EqualsNoCase(c->GetClass(), L"Option") &&
            !EqualsNoCase(c->GetClass(), L"Text"))
            return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    LPMINMAXINFO mmi = (LPMINMAXINFO)lParam;
    MONITORINFO mi = {sizeof mi};
    ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    RECT work = mi.rcWork, mon = mi.rcMonitor;
    mmi->ptMaxPosition.x = work.left - mon.left;
    mmi->ptMaxPosition.y = work.top - mon.top;
    mmi->ptMaxSize.x = work.right - work.left;
    mmi->ptMaxSize.y = work.bottom - work.top;
    mmi->ptMaxTrackSize = mmi->ptMaxSize;
    SIZE mn = m_pm.GetMinInfo();
    if (mn.cx > 0) mmi->ptMinTrackSize.x = mn.cx;
    if (mn.cy > 0) mmi->ptMinTrackSize.y = mn.cy;
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    SIZE rc = m_pm.GetRoundCorner();
    if (!::IsIconic(m_hWnd) && (rc.cx != 0 || rc.cy != 0)) {
        RECT wr;
        ::GetWindowRect(m_hWnd, &wr);
        OffsetRect(&wr, -wr.left, -wr.top);
        HRGN rgn = ::CreateRoundRectRgn(0, 0, wr.right + 1, wr.bottom + 1, rc.cx, rc.cy);
        ::SetWindowRgn(m_hWnd, rgn, TRUE);
    }
    (void)wParam;
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    BOOL zoomed = ::IsZoomed(m_hWnd);
    LRESULT r = CWindowWnd::OnWindowMessage(uMsg, wParam, lParam);
    if (::IsZoomed(m_hWnd) != zoomed) {
        CControlUI* maxBtn = m_pm.FindByName(L"maxbtn");
        CControlUI* restoreBtn = m_pm.FindByName(L"restorebtn");
        if (maxBtn && restoreBtn) {
            maxBtn->SetVisible(!::IsZoomed(m_hWnd));
            restoreBtn->SetVisible(::IsZoomed(m_hWnd) != 0);
        }
    }
    return r;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
    LONG style = GetStyle();
    ::SetWindowLongW(m_hWnd, GWL_STYLE, style);
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    ::SetWindowPos(m_hWnd, nullptr, rcClient.left, rcClient.top, rcClient.right - rcClient.left,
                   rcClient.bottom - rcClient.top, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    m_pm.Init(m_hWnd);
    m_pm.AddPreMessageFilter(this);

    if (SkinArchive::ResourcePath().empty()) {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring dir = path;
        size_t slash = dir.find_last_of(L"\\/");
        dir = slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash + 1);
        SkinArchive::SetResourcePath(dir + SkinFolder());
    }
    switch (SkinResourceKind()) {
    case kSkinArchiveFile:
        if (!SkinArchive::Current()) {
            auto arc = SkinArchive::OpenFile(SkinArchive::ResourcePath() + ArchiveFileName());
            if (arc) SkinArchive::SetCurrent(std::move(arc));
        }
        break;
    case kSkinArchiveResource:
        if (!OpenSkinResource(::GetModuleHandleW(nullptr), SkinResourceId())) return 0;
        break;
    default:
        break;
    }

    std::wstring skin = SkinFile();
    if (SkinResourceKind() == kSkinMarkupResource) {
        HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(SkinResourceId()), L"XML");
        if (res) {
            HGLOBAL h = ::LoadResource(nullptr, res);
            DWORD size = ::SizeofResource(nullptr, res);
            const char* p = h ? (const char*)::LockResource(h) : nullptr;
            if (p && size) {
                int n = ::MultiByteToWideChar(CP_UTF8, 0, p, (int)size, nullptr, 0);
                skin.assign(n, L'\0');
                ::MultiByteToWideChar(CP_UTF8, 0, p, (int)size, &skin[0], n);
            }
        }
    }
    CSkinBuilder builder;
    CControlUI* root = builder.Create(skin, this, &m_pm);
    if (!root) {
        ::MessageBoxW(nullptr, L"加载资源文件失败", L"SkinUI", MB_OK | MB_ICONERROR);
        ::ExitProcess(1);
        return -1;
    }
    m_pm.AttachRoot(root);
    m_pm.AddNotifier(this);
    OnWindowReady();
    return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
LRESULT WindowImplBase::OnCustomMessage(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    BOOL bHandled = TRUE;
    switch (uMsg) {
    case WM_CREATE: lRes = OnCreate(uMsg, wParam, lParam, bHandled); break;
    case WM_CLOSE: lRes = OnClose(uMsg, wParam, lParam, bHandled); break;
    case WM_DESTROY: lRes = OnDestroy(uMsg, wParam, lParam, bHandled); break;
    case WM_NCACTIVATE: lRes = OnNcActivate(uMsg, wParam, lParam, bHandled); break;
    case WM_NCCALCSIZE: lRes = OnNcCalcSize(uMsg, wParam, lParam, bHandled); break;
    case WM_NCPAINT: lRes = OnNcPaint(uMsg, wParam, lParam, bHandled); break;
    case WM_NCHITTEST: lRes = OnNcHitTest(uMsg, wParam, lParam, bHandled); break;
    case WM_GETMINMAXINFO: lRes = OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEWHEEL: lRes = OnMouseWheel(uMsg, wParam, lParam, bHandled); break;
    case WM_SIZE: lRes = OnSize(uMsg, wParam, lParam, bHandled); break;
    case WM_CHAR: lRes = OnChar(uMsg, wParam, lParam, bHandled); break;
    case WM_SYSCOMMAND: lRes = OnSysCommand(uMsg, wParam, lParam, bHandled); break;
    case WM_KEYDOWN: lRes = OnKeyDown(uMsg, wParam, lParam, bHandled); break;
    case WM_KILLFOCUS: lRes = OnKillFocus(uMsg, wParam, lParam, bHandled); break;
    case WM_SETFOCUS: lRes = OnSetFocus(uMsg, wParam, lParam, bHandled); break;
    case WM_LBUTTONUP: lRes = OnLButtonUp(uMsg, wParam, lParam, bHandled); break;
    case WM_LBUTTONDOWN: lRes = OnLButtonDown(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEMOVE: lRes = OnMouseMove(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEHOVER: lRes = OnMouseHover(uMsg, wParam, lParam, bHandled); break;
    default: bHandled = FALSE; break;
    }
    if (bHandled) return lRes;
    lRes = OnCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) return lRes;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::OnWindowMessage(uMsg, wParam, lParam);
}

void WindowImplBase::OnWindowGone(HWND) {
    m_pm.RemovePreMessageFilter(this);
    m_pm.RemoveNotifier(this);
    m_pm.ReleaseTree();
}

}  // namespace SkinUI
