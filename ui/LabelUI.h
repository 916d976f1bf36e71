// Text with font, colour, alignment and padding.
#pragma once

#include "ui/ControlUI.h"

namespace SkinUI {

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    void SetText(const std::wstring& text) override;
    void SetFixedWidth(int cx) override;
    void SetFixedHeight(int cy) override;
    void SetFont(int index);
    int GetFont() const { return m_iFont; }
    void SetTextColor(DWORD argb);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetDisabledTextColor(DWORD argb);
    void SetTextPadding(const UiRect& rc);
    UiRect GetTextPadding() const { return m_rcTextPadding; }
    UINT GetTextStyle() const { return m_uTextStyle; }
    bool IsMultiLine() const { return (m_uTextStyle & DT_SINGLELINE) == 0; }
    void SetMultiLine(bool multi);

    UiSize EstimateSize(UiSize available) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintText(HDC hdc) override;

protected:
    void InvalidateSizeCache() { m_bSizeCached = false; }
    // The line height of the label's font.
    int LineHeight() const;

    int m_iFont = -1;
    DWORD m_dwTextColor = 0, m_dwDisabledTextColor = 0;
    UiRect m_rcTextPadding;
    UINT m_uTextStyle = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    bool m_bShowHtml = false;
    bool m_bSizeCached = false;
    UiSize m_cachedFor{-1, -1};
    UiSize m_cachedSize;
};

}  // namespace SkinUI
