#include "ui/ButtonUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

const wchar_t* CButtonUI::GetClass() const { return L"Button"; }

void* CButtonUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"Button") == 0) return this;
    return CLabelUI::GetInterface(name);
}

bool CButtonUI::Activate() {
    if (!IsVisible() || !IsEnabled()) return false;
    if (m_pManager) m_pManager->RaiseNotification(this, L"click");
    return true;
}

void CButtonUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!enabled)
        m_uButtonState = (m_uButtonState & kSelected) | kDisabled;
    else
        m_uButtonState &= ~kDisabled;
    Invalidate();
}

UiSize CButtonUI::EstimateSize(UiSize) {
    UiSize sz = m_cxyFixed;
    if (sz.cy == 0) sz.cy = LineHeight() + 8;
    return sz;
}

void CButtonUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n = name;
    if (n == L"normalimage") m_normalImage.Set(value);
    else if (n == L"hotimage") m_hotImage.Set(value);
    else if (n == L"pushedimage") m_pushedImage.Set(value);
    else if (n == L"focusedimage") m_focusedImage.Set(value);
    else if (n == L"disabledimage") m_disabledImage.Set(value);
    else if (n == L"foreimage") m_foreImage.Set(value);
    else if (n == L"hotforeimage") m_hotForeImage.Set(value);
    else if (n == L"hotbkcolor") m_dwHotBkColor = ParseColor(value);
    else if (n == L"pushedbkcolor") m_dwPushedBkColor = ParseColor(value);
    else if (n == L"disabledbkcolor") m_dwDisabledBkColor = ParseColor(value);
    else if (n == L"hottextcolor") m_dwHotTextColor = ParseColor(value);
    else if (n == L"pushedtextcolor") m_dwPushedTextColor = ParseColor(value);
    else if (n == L"focusedtextcolor") m_dwFocusedTextColor = ParseColor(value);
    else if (n == L"fadedelta") m_nFadeDelta = (int)ParseLong(value);
    else {
        CLabelUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void CButtonUI::DoEvent(UiEvent& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT_SYSKEY && event.Type < UIEVENT_KILLFOCUS) {
        if (m_pParent)
            m_pParent->DoEvent(event);
        else
            CLabelUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
        m_bFocused = event.Type == UIEVENT_SETFOCUS;
        Invalidate();
        return;
    case UIEVENT_KEYDOWN:
        if (IsKeyboardEnabled() && IsEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) Activate();
        return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (PtInRect(&m_rcItem, event.ptMouse) && IsEnabled()) {
            m_uButtonState |= kPushed | kCaptured;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uButtonState & kCaptured) {
            if (PtInRect(&m_rcItem, event.ptMouse))
                m_uButtonState |= kPushed;
            else
                m_uButtonState &= ~kPushed;
            Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & kCaptured) {
            bool inside = PtInRect(&m_rcItem, event.ptMouse) != 0;
            m_uButtonState &= ~(kPushed | kCaptured);
            Invalidate();
            if (inside && IsEnabled()) Activate();
        }
        return;
    case UIEVENT_CONTEXTMENU:
        if (IsContextMenuUsed() && m_pManager)
            m_pManager->RaiseNotification(this, L"menu", event.wParam, event.lParam);
        return;
    case UIEVENT_MOUSEENTER:
        if (PtInRect(&m_rcItem, event.ptMouse) && IsEnabled()) {
            m_uButtonState |= kHot;
            Invalidate();
            if (m_pManager) m_pManager->RaiseNotification(this, L"mouseenter", event.wParam, event.lParam);
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if (!PtInRect(&m_rcItem, event.ptMouse) && IsEnabled() && (m_uButtonState & kHot)) {
            m_uButtonState &= ~kHot;
            Invalidate();
            if (m_pManager) m_pManager->RaiseNotification(this, L"mouseleave", event.wParam, event.lParam);
        }
        return;
    case UIEVENT_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return;
    default:
        CLabelUI::DoEvent(event);
    }
}

void CButtonUI::PaintButtonStates(HDC hdc, UINT state) {
    if (!IsEnabled()) state |= kDisabled;
    else state &= ~kDisabled;
    if (m_bFocused) state |= kFocused;
    if (state & kDisabled) {
        if (m_dwDisabledBkColor) CDrawKit::FillColor(hdc, m_rcItem, m_dwDisabledBkColor);
        if (!DrawImage(hdc, m_disabledImage)) DrawImage(hdc, m_normalImage);
    } else if (state & kPushed) {
        if (m_dwPushedBkColor) CDrawKit::FillColor(hdc, m_rcItem, m_dwPushedBkColor);
        if (!DrawImage(hdc, m_pushedImage)) DrawImage(hdc, m_normalImage);
    } else if (state & kHot) {
        if (m_dwHotBkColor) CDrawKit::FillColor(hdc, m_rcItem, m_dwHotBkColor);
        if (!DrawImage(hdc, m_hotImage)) DrawImage(hdc, m_normalImage);
    } else if (state & kFocused) {
        if (!DrawImage(hdc, m_focusedImage)) DrawImage(hdc, m_normalImage);
    } else {
        DrawImage(hdc, m_normalImage);
    }
    if ((state & kHot) && !(state & kDisabled)) {
        if (!DrawImage(hdc, m_hotForeImage)) DrawImage(hdc, m_foreImage);
    } else {
        DrawImage(hdc, m_foreImage);
    }
}

void CButtonUI::PaintStatusImage(HDC hdc) { PaintButtonStates(hdc, m_uButtonState); }

DWORD CButtonUI::ButtonTextColor(UINT state) const {
    if (!IsEnabled())
        return m_dwDisabledTextColor ? m_dwDisabledTextColor
                                     : (m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA);
    if ((state & kPushed) && m_dwPushedTextColor) return m_dwPushedTextColor;
    if ((state & kHot) && m_dwHotTextColor) return m_dwHotTextColor;
    if (m_bFocused && m_dwFocusedTextColor) return m_dwFocusedTextColor;
    if (m_dwTextColor) return m_dwTextColor;
    return m_pManager ? m_pManager->GetDefaultTextColor() : 0xFF000000;
}

void CButtonUI::DrawButtonText(HDC hdc, DWORD color) {
    if (m_sText.empty()) return;
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.top += m_rcTextPadding.top;
    rc.right -= m_rcTextPadding.right;
    rc.bottom -= m_rcTextPadding.bottom;
    CDrawKit::DrawText(hdc, m_pManager, rc, m_sText, color, m_iFont, m_uTextStyle);
}

void CButtonUI::PaintText(HDC hdc) { DrawButtonText(hdc, ButtonTextColor(m_uButtonState)); }

}  // namespace SkinUI
