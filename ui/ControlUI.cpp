#include "ui/ControlUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_pManager) m_pManager->ReleaseControl(this);
}

void CControlUI::Delete() { delete this; }

const wchar_t* CControlUI::GetClass() const { return L"Control"; }

void* CControlUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"Control") == 0) return this;
    return nullptr;
}

void CControlUI::SetManager(CControlManagerUI* manager, CControlUI* parent, bool init) {
    m_pManager = manager;
    m_pParent = parent;
    if (init && parent) Init();
}

void CControlUI::SetText(const std::wstring& text) {
    if (m_sText == text) return;
    m_sText = text;
    Invalidate();
}

void CControlUI::SetPos(RECT rc, bool invalidate) {
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    if (invalidate) Invalidate();
    m_rcItem = rc;
    if (invalidate) Invalidate();
}

void CControlUI::SetPadding(const UiRect& rc) {
    m_rcPadding = rc;
    NeedParentUpdate();
}
void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    m_cxyFixed.cx = cx;
    NeedParentUpdate();
}
void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    m_cxyFixed.cy = cy;
    NeedParentUpdate();
}
void CControlUI::SetMinWidth(int cx) {
    if (cx < 0) return;
    m_cxyMin.cx = cx;
    NeedParentUpdate();
}
void CControlUI::SetMinHeight(int cy) {
    if (cy < 0) return;
    m_cxyMin.cy = cy;
    NeedParentUpdate();
}
void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0) return;
    m_cxyMax.cx = cx;
    NeedParentUpdate();
}
void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0) return;
    m_cxyMax.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    bool wasVisible = IsVisible();
    m_bVisible = visible;
    if (m_bFocused && !visible) m_bFocused = false;
    if (!visible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
    if (IsVisible() != wasVisible) NeedParentUpdate();
    Invalidate();
}

void CControlUI::SetInternVisible(bool visible) {
    m_bInternVisible = visible;
    if (!visible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled) {
    if (m_bEnabled == enabled) return;
    m_bEnabled = enabled;
    Invalidate();
}

void CControlUI::SetFocus() {
    if (m_pManager) m_pManager->SetFocus(this);
}

CControlUI* CControlUI::FindControlFromPoint(POINT pt) {
    if (!IsVisible() || !PtInRect(&m_rcItem, pt)) return nullptr;
    return m_bMouseEnabled ? this : nullptr;
}

void CControlUI::ForEachControl(const std::function<void(CControlUI*)>& fn) { fn(this); }

void CControlUI::Init() { DoInit(); }

void CControlUI::Event(UiEvent& event) { DoEvent(event); }

void CControlUI::DoEvent(UiEvent& event) {
    if (event.Type == UIEVENT_SETCURSOR) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return;
    }
    if (event.Type == UIEVENT_SETFOCUS) {
        m_bFocused = true;
        Invalidate();
        return;
    }
    if (event.Type == UIEVENT_KILLFOCUS) {
        m_bFocused = false;
        Invalidate();
        return;
    }
    if (event.Type == UIEVENT_TIMER) {
        if (m_pManager) m_pManager->RaiseNotification(this, L"timer", event.wParam, event.lParam);
        return;
    }
    if (event.Type == UIEVENT_CONTEXTMENU && m_bMenuUsed) {
        if (m_pManager) m_pManager->RaiseNotification(this, L"menu", event.wParam, event.lParam);
        return;
    }
    if (m_pParent) m_pParent->DoEvent(event);
}

void CControlUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n = name;
    if (n == L"pos") {
        UiRect r = ParseRect(value);
        SetFixedWidth(r.right - r.left);
        SetFixedHeight(r.bottom - r.top);
    } else if (n == L"padding") {
        SetPadding(ParseRect(value));
    } else if (n == L"bkcolor" || n == L"bkcolor1") {
        SetBkColor(ParseColor(value));
    } else if (n == L"bkcolor2") {
        m_dwBackColor2 = ParseColor(value);
        Invalidate();
    } else if (n == L"bkcolor3") {
        m_dwBackColor3 = ParseColor(value);
        Invalidate();
    } else if (n == L"bordercolor") {
        SetBorderColor(ParseColor(value));
    } else if (n == L"focusbordercolor") {
        m_dwFocusBorderColor = ParseColor(value);
    } else if (n == L"bordersize") {
        std::wstring v = value;
        if (v.find(L',') == std::wstring::npos) {
            int s = (int)ParseLong(value);
            m_rcBorderSize = MakeRect(s, s, s, s);
        } else {
            m_rcBorderSize = ParseRect(value);
        }
        Invalidate();
    } else if (n == L"borderround") {
        UiSize s = ParseSize(value);
        m_cxyBorderRound.cx = s.cx;
        m_cxyBorderRound.cy = s.cy;
        Invalidate();
    } else if (n == L"borderstyle") {
        m_nBorderStyle = (int)ParseLong(value);
    } else if (n == L"bkimage") {
        SetBkImage(value);
    } else if (n == L"width") {
        SetFixedWidth((int)ParseLong(value));
    } else if (n == L"height") {
        SetFixedHeight((int)ParseLong(value));
    } else if (n == L"minwidth") {
        SetMinWidth((int)ParseLong(value));
    } else if (n == L"minheight") {
        SetMinHeight((int)ParseLong(value));
    } else if (n == L"maxwidth") {
        SetMaxWidth((int)ParseLong(value));
    } else if (n == L"maxheight") {
        SetMaxHeight((int)ParseLong(value));
    } else if (n == L"name") {
        SetName(value);
    } else if (n == L"text") {
        SetText(value);
    } else if (n == L"tooltip") {
        m_sToolTip = value;
    } else if (n == L"userdata") {
        m_sUserData = value;
    } else if (n == L"tag") {
        m_tag = (UINT_PTR)ParseLong(value);
    } else if (n == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (n == L"mouse") {
        SetMouseEnabled(ParseBool(value));
    } else if (n == L"keyboard") {
        SetKeyboardEnabled(ParseBool(value));
    } else if (n == L"visible") {
        SetVisible(ParseBool(value));
    } else if (n == L"float") {
        m_bFloat = ParseBool(value) || std::wcschr(value, L',') != nullptr;
    } else if (n == L"menu") {
        m_bMenuUsed = ParseBool(value);
    } else {
        m_customAttributes[n] = value;
    }
}

void CControlUI::ApplyAttributeList(const std::wstring& list) {
    // name="value" pairs, as in the markup.
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && list[i] <= 32) ++i;
        size_t ns = i;
        while (i < list.size() && list[i] != L'=' && list[i] > 32) ++i;
        std::wstring name = list.substr(ns, i - ns);
        while (i < list.size() && list[i] <= 32) ++i;
        if (i >= list.size() || list[i] != L'=') return;
        ++i;
        while (i < list.size() && list[i] <= 32) ++i;
        if (i >= list.size() || list[i] != L'"') return;
        ++i;
        size_t vs = i;
        while (i < list.size() && list[i] != L'"') ++i;
        if (i >= list.size()) return;
        std::wstring value = list.substr(vs, i - vs);
        ++i;
        SetAttribute(name.c_str(), value.c_str());
    }
}

std::wstring CControlUI::GetCustomAttribute(const std::wstring& name) const {
    auto it = m_customAttributes.find(name);
    return it == m_customAttributes.end() ? std::wstring() : it->second;
}

UiSize CControlUI::EstimateSize(UiSize) { return m_cxyFixed; }

bool CControlUI::DrawImage(HDC hdc, ImageSlot& slot) {
    return CDrawKit::DrawImage(hdc, m_pManager, m_rcItem, m_rcPaint, slot);
}

void CControlUI::DoPaint(HDC hdc, const RECT& rcPaint) {
    if (!IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    bool round = m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0;
    int saved = 0;
    if (round) {
        saved = SaveDC(hdc);
        HRGN rgn = CreateRoundRectRgn(m_rcItem.left, m_rcItem.top, m_rcItem.right + 1, m_rcItem.bottom + 1,
                                      m_cxyBorderRound.cx, m_cxyBorderRound.cy);
        ExtSelectClipRgn(hdc, rgn, RGN_AND);
        DeleteObject(rgn);
    }
    PaintBkColor(hdc);
    PaintBkImage(hdc);
    PaintStatusImage(hdc);
    PaintText(hdc);
    PaintBorder(hdc);
    if (round) RestoreDC(hdc, saved);
}

void CControlUI::PaintBkColor(HDC hdc) {
    if (m_dwBackColor == 0) return;
    if (m_dwBackColor2 != 0) {
        if (m_dwBackColor3 != 0) {
            RECT top = m_rcItem, bottom = m_rcItem;
            top.bottom = (m_rcItem.top + m_rcItem.bottom) / 2;
            bottom.top = top.bottom;
            CDrawKit::FillGradient(hdc, top, m_dwBackColor, m_dwBackColor2);
            CDrawKit::FillGradient(hdc, bottom, m_dwBackColor2, m_dwBackColor3);
        } else {
            CDrawKit::FillGradient(hdc, m_rcItem, m_dwBackColor, m_dwBackColor2);
        }
        return;
    }
    CDrawKit::FillColor(hdc, m_rcItem, m_dwBackColor);
}

void CControlUI::PaintBkImage(HDC hdc) { DrawImage(hdc, m_bkImage); }

void CControlUI::PaintStatusImage(HDC) {}

void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hdc) {
    DWORD color = (m_bFocused && m_dwFocusBorderColor) ? m_dwFocusBorderColor : m_dwBorderColor;
    if (color == 0) return;
    const UiRect& b = m_rcBorderSize;
    if (b.left <= 0 && b.top <= 0 && b.right <= 0 && b.bottom <= 0) return;
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
        if (b.left > 0)
            CDrawKit::DrawRoundBorder(hdc, m_rcItem, b.left, m_cxyBorderRound.cx, m_cxyBorderRound.cy, color,
                                      m_nBorderStyle);
        return;
    }
    if (b.left == b.top && b.left == b.right && b.left == b.bottom) {
        CDrawKit::DrawRectBorder(hdc, m_rcItem, b.left, color, m_nBorderStyle);
        return;
    }
    RECT rc;
    if (b.left > 0) {
        rc = {m_rcItem.left, m_rcItem.top, m_rcItem.left + b.left, m_rcItem.bottom};
        CDrawKit::FillColor(hdc, rc, color | 0xFF000000);
    }
    if (b.top > 0) {
        rc = {m_rcItem.left, m_rcItem.top, m_rcItem.right, m_rcItem.top + b.top};
        CDrawKit::FillColor(hdc, rc, color | 0xFF000000);
    }
    if (b.right > 0) {
        rc = {m_rcItem.right - b.right, m_rcItem.top, m_rcItem.right, m_rcItem.bottom};
        CDrawKit::FillColor(hdc, rc, color | 0xFF000000);
    }
    if (b.bottom > 0) {
        rc = {m_rcItem.left, m_rcItem.bottom - b.bottom, m_rcItem.right, m_rcItem.bottom};
        CDrawKit::FillColor(hdc, rc, color | 0xFF000000);
    }
}

void CControlUI::Invalidate() {
    if (m_pManager && IsVisible()) m_pManager->Invalidate(m_rcItem);
}

void CControlUI::NeedUpdate() {
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::SetBkColor(DWORD argb) {
    if (m_dwBackColor == argb) return;
    m_dwBackColor = argb;
    Invalidate();
}

void CControlUI::SetBkImage(const std::wstring& image) {
    if (m_bkImage.text == image && !image.empty()) return;
    m_bkImage.Set(image);
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD argb) {
    m_dwBorderColor = argb;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    m_rcBorderSize = MakeRect(size, size, size, size);
    Invalidate();
}

}  // namespace SkinUI
