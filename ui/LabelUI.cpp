#include "ui/LabelUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

CLabelUI::CLabelUI() = default;

const wchar_t* CLabelUI::GetClass() const { return L"Label"; }

void* CLabelUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"Label") == 0) return this;
    return CControlUI::GetInterface(name);
}

void CLabelUI::SetText(const std::wstring& text) {
    if (m_sText == text) return;
    CControlUI::SetText(text);
    InvalidateSizeCache();
    if (m_cxyFixed.cx == 0 || m_cxyFixed.cy == 0) NeedParentUpdate();
}

void CLabelUI::SetFixedWidth(int cx) {
    InvalidateSizeCache();
    CControlUI::SetFixedWidth(cx);
}

void CLabelUI::SetFixedHeight(int cy) {
    InvalidateSizeCache();
    CControlUI::SetFixedHeight(cy);
}

void CLabelUI::SetFont(int index) {
    m_iFont = index;
    InvalidateSizeCache();
    Invalidate();
}

void CLabelUI::SetTextColor(DWORD argb) {
    m_dwTextColor = argb;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD argb) {
    m_dwDisabledTextColor = argb;
    Invalidate();
}

void CLabelUI::SetTextPadding(const UiRect& rc) {
    m_rcTextPadding = rc;
    InvalidateSizeCache();
    NeedParentUpdate();
}

void CLabelUI::SetMultiLine(bool multi) {
    if (multi) {
        m_uTextStyle &= ~DT_SINGLELINE;
        m_uTextStyle |= DT_WORDBREAK;
    } else {
        m_uTextStyle &= ~DT_WORDBREAK;
        m_uTextStyle |= DT_SINGLELINE;
    }
    InvalidateSizeCache();
    Invalidate();
}

int CLabelUI::LineHeight() const {
    if (!m_pManager) return 0;
    const FontInfo* fi = m_pManager->GetFontInfo(m_iFont);
    return fi ? fi->tm.tmHeight : 0;
}

UiSize CLabelUI::EstimateSize(UiSize available) {
    if (m_cxyFixed.cx > 0 && m_cxyFixed.cy > 0) return m_cxyFixed;
    if (!m_pManager) return m_cxyFixed;
    bool multi = IsMultiLine();
    if (m_bSizeCached && (!multi || (available.cx == m_cachedFor.cx && available.cy == m_cachedFor.cy)))
        return m_cachedSize;
    UiSize sz;
    const UiRect& p = m_rcTextPadding;
    HDC hdc = m_pManager->GetPaintDC();
    if (!multi) {
        sz.cx = m_cxyFixed.cx;
        if (sz.cx == 0) {
            SIZE t = CDrawKit::MeasureText(hdc, m_pManager, m_sText, m_iFont, m_uTextStyle);
            sz.cx = t.cx + p.left + p.right;
        }
        sz.cy = m_cxyFixed.cy ? m_cxyFixed.cy : LineHeight() + 8 + p.top + p.bottom;
    } else {
        sz.cx = m_cxyFixed.cx ? m_cxyFixed.cx : available.cx;
        RECT rc = {0, 0, sz.cx - p.left - p.right, 9999};
        if (rc.right < 0) rc.right = 0;
        HGDIOBJ old = SelectObject(hdc, m_pManager->GetFont(m_iFont));
        ::DrawTextW(hdc, m_sText.c_str(), (int)m_sText.size(), &rc,
                    (m_uTextStyle & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT | DT_NOPREFIX);
        SelectObject(hdc, old);
        sz.cy = rc.bottom - rc.top + p.top + p.bottom;
    }
    m_cachedSize = sz;
    m_cachedFor = available;
    m_bSizeCached = true;
    return sz;
}

void CLabelUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n = name;
    if (n == L"align") {
        std::wstring v = value;
        if (v.find(L"left") != std::wstring::npos) {
            m_uTextStyle &= ~(DT_CENTER | DT_RIGHT);
            m_uTextStyle |= DT_LEFT;
        }
        if (v.find(L"center") != std::wstring::npos) {
            m_uTextStyle &= ~(DT_LEFT | DT_RIGHT);
            m_uTextStyle |= DT_CENTER;
        }
        if (v.find(L"right") != std::wstring::npos) {
            m_uTextStyle &= ~(DT_LEFT | DT_CENTER);
            m_uTextStyle |= DT_RIGHT;
        }
        Invalidate();
    } else if (n == L"valign") {
        std::wstring v = value;
        if (v.find(L"top") != std::wstring::npos) {
            m_uTextStyle &= ~(DT_BOTTOM | DT_VCENTER);
            m_uTextStyle |= DT_TOP;
        }
        if (v.find(L"vcenter") != std::wstring::npos) {
            m_uTextStyle &= ~(DT_TOP | DT_BOTTOM);
            m_uTextStyle |= DT_VCENTER;
        }
        if (v.find(L"bottom") != std::wstring::npos) {
            m_uTextStyle &= ~(DT_TOP | DT_VCENTER);
            m_uTextStyle |= DT_BOTTOM;
        }
        Invalidate();
    } else if (n == L"endellipsis") {
        if (ParseBool(value))
            m_uTextStyle |= DT_END_ELLIPSIS;
        else
            m_uTextStyle &= ~DT_END_ELLIPSIS;
    } else if (n == L"multiline") {
        SetMultiLine(ParseBool(value));
    } else if (n == L"font") {
        SetFont((int)ParseLong(value));
    } else if (n == L"textcolor") {
        SetTextColor(ParseColor(value));
    } else if (n == L"disabledtextcolor") {
        SetDisabledTextColor(ParseColor(value));
    } else if (n == L"textpadding") {
        SetTextPadding(ParseRect(value));
    } else if (n == L"showhtml") {
        m_bShowHtml = ParseBool(value);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CLabelUI::PaintText(HDC hdc) {
    if (m_sText.empty() || !m_pManager) return;
    DWORD color = m_dwTextColor ? m_dwTextColor : m_pManager->GetDefaultTextColor();
    DWORD disabled = m_dwDisabledTextColor ? m_dwDisabledTextColor : m_pManager->GetDefaultDisabledColor();
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.top += m_rcTextPadding.top;
    rc.right -= m_rcTextPadding.right;
    rc.bottom -= m_rcTextPadding.bottom;
    UINT style = m_uTextStyle;
    if (style != 0 && style != DT_SINGLELINE) {
        int H = rc.bottom - rc.top;
        int width = (m_cxyFixed.cx > rc.right - rc.left ? m_cxyFixed.cx : rc.right - rc.left) -
                    m_rcTextPadding.left - m_rcTextPadding.right;
        RECT calc = {0, 0, width < 0 ? 0 : width, 9999};
        HGDIOBJ old = SelectObject(hdc, m_pManager->GetFont(m_iFont));
        ::DrawTextW(hdc, m_sText.c_str(), (int)m_sText.size(), &calc, style | DT_CALCRECT | DT_NOPREFIX);
        SelectObject(hdc, old);
        int T = calc.bottom - calc.top;
        if (style == DT_VCENTER) {
            rc.top += H - T > 0 ? H - T : 0;
        } else {
            int d = (H - T) / 2;
            rc.top += d > 0 ? d : 0;
        }
    }
    CDrawKit::DrawText(hdc, m_pManager, rc, m_sText, IsEnabled() ? color : disabled, m_iFont, style);
}

}  // namespace SkinUI
