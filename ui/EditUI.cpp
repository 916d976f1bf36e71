#include "ui/EditUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

WNDPROC CEditWnd::s_editProc = nullptr;

RECT CEditWnd::BoxRect(CEditUI* owner) {
    RECT rc = owner->GetPos();
    UiRect p = owner->GetTextPadding();
    rc.left += p.left;
    rc.top += p.top;
    rc.right -= p.right;
    rc.bottom -= p.bottom;
    CControlManagerUI* m = owner->GetManager();
    const FontInfo* fi = m ? m->GetFontInfo(owner->GetFont()) : nullptr;
    int lineHeight = fi ? fi->tm.tmHeight : 0;
    if (lineHeight > 0 && lineHeight < rc.bottom - rc.top) {
        rc.top += (rc.bottom - rc.top - lineHeight) / 2;
        rc.bottom = rc.top + lineHeight;
    }
    for (CControlUI* a = owner->GetParent(); a; a = a->GetParent()) {
        if (!a->IsVisible()) return RECT{0, 0, 0, 0};
        RECT ap = a->GetPos(), out;
        if (!IntersectRect(&out, &rc, &ap)) return RECT{0, 0, 0, 0};
        rc = out;
    }
    if (!owner->IsVisible()) return RECT{0, 0, 0, 0};
    return rc;
}

CEditWnd* CEditWnd::Open(CEditUI* owner) {
    CControlManagerUI* m = owner->GetManager();
    if (!m || !m->GetPaintWindow()) return nullptr;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {sizeof wc};
    if (!GetClassInfoExW(inst, L"EditWnd", &wc)) {
        WNDCLASSEXW sys = {sizeof sys};
        if (!GetClassInfoExW(nullptr, L"Edit", &sys)) return nullptr;
        s_editProc = sys.lpfnWndProc;
        sys.lpfnWndProc = &CEditWnd::WndProc;
        sys.hInstance = inst;
        sys.lpszClassName = L"EditWnd";
        if (!RegisterClassExW(&sys)) return nullptr;
    }
    CEditWnd* w = new CEditWnd();
    w->m_pOwner = owner;
    RECT rc = BoxRect(owner);
    UINT style = WS_CHILD | ES_AUTOHSCROLL;
    UINT align = owner->GetTextStyle();
    if (align & DT_CENTER) style |= ES_CENTER;
    else if (align & DT_RIGHT) style |= ES_RIGHT;
    if (owner->IsPassword()) style |= ES_PASSWORD;
    if (owner->IsReadOnly()) style |= ES_READONLY;
    HWND h = CreateWindowExW(0, L"EditWnd", nullptr, style, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, m->GetPaintWindow(), nullptr, inst, nullptr);
    if (!h) {
        delete w;
        return nullptr;
    }
    w->m_hWnd = h;
    SetPropW(h, L"WndX", (HANDLE)w);
    SendMessageW(h, WM_SETFONT, (WPARAM)m->GetFont(owner->GetFont()), TRUE);
    SendMessageW(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SendMessageW(h, EM_LIMITTEXT, owner->GetMaxChar(), 0);
    std::wstring text = owner->GetText();
    SetWindowTextW(h, text.c_str());
    SendMessageW(h, EM_SETMODIFY, FALSE, 0);
    int len = GetWindowTextLengthW(h);
    if (owner->m_bAutoSelAll)
        SendMessageW(h, EM_SETSEL, 0, -1);
    else
        SendMessageW(h, EM_SETSEL, len, len);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    ::SetFocus(h);
    return w;
}

void CEditWnd::Close() {
    if (m_hWnd && !m_bClosing) {
        m_bClosing = true;
        DestroyWindow(m_hWnd);
    }
}

LRESULT CALLBACK CEditWnd::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    CEditWnd* self = (CEditWnd*)GetPropW(h, L"WndX");
    if (!self) return CallWindowProcW(s_editProc, h, msg, wp, lp);
    return self->HandleMessage(msg, wp, lp);
}

LRESULT CEditWnd::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND h = m_hWnd;
    switch (msg) {
    case WM_KEYDOWN:
        if (wp == VK_RETURN) {
            if (m_pOwner && m_pOwner->GetManager()) m_pOwner->GetManager()->RaiseNotification(m_pOwner, L"return");
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == VK_RETURN) return 0;  // Return inserts nothing
        if (m_pOwner && m_pOwner->m_bNumberOnly && wp >= 32 && !(wp >= L'0' && wp <= L'9')) return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT r = CallWindowProcW(s_editProc, h, msg, wp, lp);
        if (!m_bClosing) {
            CEditUI* owner = m_pOwner;
            HWND target = (HWND)wp;
            HWND parent = GetParent(h);
            Close();
            if (owner && owner->GetManager() && target != parent) owner->GetManager()->SetFocus(nullptr);
        }
        return r;
    }
    case WM_NCDESTROY: {
        LRESULT r = CallWindowProcW(s_editProc, h, msg, wp, lp);
        RemovePropW(h, L"WndX");
        if (m_pOwner) m_pOwner->OnBoxGone();
        if (m_hBkBrush) DeleteObject(m_hBkBrush);
        delete this;
        return r;
    }
    default:
        break;
    }
    std::wstring before;
    bool watch = msg == WM_CHAR || msg == WM_KEYDOWN || msg == WM_PASTE || msg == WM_CUT || msg == WM_CLEAR ||
                 msg == WM_UNDO || msg == EM_REPLACESEL;
    LRESULT r = CallWindowProcW(s_editProc, h, msg, wp, lp);
    if (watch && m_pOwner && SendMessageW(h, EM_GETMODIFY, 0, 0)) {
        SendMessageW(h, EM_SETMODIFY, FALSE, 0);
        int len = GetWindowTextLengthW(h);
        std::wstring text(len + 1, L'\0');
        GetWindowTextW(h, &text[0], len + 1);
        text.resize(len);
        m_pOwner->OnBoxText(text);
    }
    return r;
}

// ---- control ---------------------------------------------------------------

CEditUI::CEditUI() {
    m_rcTextPadding = MakeRect(4, 3, 4, 3);
    SetBkColor(0xFFFFFFFF);
}

CEditUI::~CEditUI() {
    if (m_pWindow) {
        CEditWnd* w = m_pWindow;
        m_pWindow = nullptr;
        // the box must not call back into a control that is going away
        SetPropW(w->GetHWND(), L"WndX", nullptr);
        DestroyWindow(w->GetHWND());
        delete w;
    }
}

const wchar_t* CEditUI::GetClass() const { return L"Edit"; }

void* CEditUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"Edit") == 0) return this;
    return CLabelUI::GetInterface(name);
}

void CEditUI::SetText(const std::wstring& text) {
    CLabelUI::SetText(text);
    if (m_pWindow) {
        SetWindowTextW(m_pWindow->GetHWND(), m_sText.c_str());
        SendMessageW(m_pWindow->GetHWND(), EM_SETMODIFY, FALSE, 0);
    }
}

void CEditUI::OnBoxText(const std::wstring& text) {
    m_sText = text;
    if (m_pManager) m_pManager->RaiseNotification(this, L"textchanged");
}

void CEditUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!enabled && m_pWindow) m_pWindow->Close();
}

void CEditUI::SetVisible(bool visible) {
    CLabelUI::SetVisible(visible);
    if (!IsVisible() && m_pWindow) m_pWindow->Close();
}

void CEditUI::SetInternVisible(bool visible) {
    CLabelUI::SetInternVisible(visible);
    if (!IsVisible() && m_pWindow) m_pWindow->Close();
}

void CEditUI::SetPos(RECT rc, bool invalidate) {
    CLabelUI::SetPos(rc, invalidate);
    if (m_pWindow) {
        RECT b = CEditWnd::BoxRect(this);
        SetWindowPos(m_pWindow->GetHWND(), nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

UiSize CEditUI::EstimateSize(UiSize) {
    UiSize sz = m_cxyFixed;
    if (sz.cy == 0) sz.cy = LineHeight() + 8;
    return sz;
}

void CEditUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n = name;
    if (n == L"readonly") m_bReadOnly = ParseBool(value);
    else if (n == L"password") m_bPassword = ParseBool(value);
    else if (n == L"numberonly") m_bNumberOnly = ParseBool(value);
    else if (n == L"autoselall") m_bAutoSelAll = ParseBool(value);
    else if (n == L"maxchar") m_iMaxChar = (int)ParseLong(value);
    else if (n == L"normalimage") m_normalImage.Set(value);
    else if (n == L"hotimage") m_hotImage.Set(value);
    else if (n == L"focusedimage") m_focusedImage.Set(value);
    else if (n == L"disabledimage") m_disabledImage.Set(value);
    else if (n == L"nativebkcolor") m_dwNativeBkColor = ParseColor(value);
    else if (n == L"nativetextcolor") m_dwNativeTextColor = ParseColor(value);
    else if (n == L"tipvalue") m_sTipValue = value;
    else if (n == L"tipvaluecolor") m_dwTipValueColor = ParseColor(value);
    else CLabelUI::SetAttribute(name, value);
}

void CEditUI::DoEvent(UiEvent& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT_SYSKEY && event.Type < UIEVENT_KILLFOCUS) {
        if (m_pParent) m_pParent->DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IsEnabled() ? IDC_IBEAM : IDC_ARROW));
        return;
    case UIEVENT_WINDOWSIZE:
        if (m_pWindow) m_pManager->SetFocus(nullptr);
        return;
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        if (IsEnabled() && !m_pWindow) m_pWindow = CEditWnd::Open(this);
        Invalidate();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        Invalidate();
        return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (IsEnabled()) {
            if (IsFocused() && !m_pWindow) {
                m_pWindow = CEditWnd::Open(this);
            } else if (m_pWindow) {
                HWND h = m_pWindow->GetHWND();
                RECT wr;
                GetWindowRect(h, &wr);
                POINT pt = event.ptMouse;
                ClientToScreen(m_pManager->GetPaintWindow(), &pt);
                ScreenToClient(h, &pt);
                LRESULT pos = SendMessageW(h, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y));
                int ch = LOWORD(pos);
                SendMessageW(h, EM_SETSEL, ch, ch);
            }
        }
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_bHot = true;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if (IsEnabled()) {
            m_bHot = false;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_BUTTONUP:
    case UIEVENT_CONTEXTMENU:
        return;
    default:
        CLabelUI::DoEvent(event);
    }
}

void CEditUI::PaintStatusImage(HDC hdc) {
    if (!IsEnabled()) {
        if (DrawImage(hdc, m_disabledImage)) return;
    } else if (m_bFocused) {
        if (DrawImage(hdc, m_focusedImage)) return;
    } else if (m_bHot) {
        if (DrawImage(hdc, m_hotImage)) return;
    }
    DrawImage(hdc, m_normalImage);
}

void CEditUI::PaintText(HDC hdc) {
    if (!m_pManager) return;
    std::wstring text = m_sText;
    DWORD color = m_dwTextColor ? m_dwTextColor : m_pManager->GetDefaultTextColor();
    if (text.empty()) {
        text = m_sTipValue;
        color = m_dwTipValueColor;
    } else if (m_bPassword) {
        text.assign(m_sText.size(), L'*');
    }
    if (!IsEnabled()) color = m_dwDisabledTextColor ? m_dwDisabledTextColor : m_pManager->GetDefaultDisabledColor();
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.top += m_rcTextPadding.top;
    rc.right -= m_rcTextPadding.right;
    rc.bottom -= m_rcTextPadding.bottom;
    UINT style = (m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE;
    CDrawKit::DrawText(hdc, m_pManager, rc, text, color, m_iFont, style);
}

}  // namespace SkinUI
