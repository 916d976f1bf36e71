// A clickable label with state pictures and colours.
#pragma once

#include "ui/LabelUI.h"

namespace SkinUI {

class CButtonUI : public CLabelUI {
public:
    enum StateBits : UINT {
        kFocused = 0x01,
        kSelected = 0x02,
        kDisabled = 0x04,
        kHot = 0x08,
        kPushed = 0x10,
        kCaptured = 0x40,
    };

    // Button text starts centred (the skins say "align" where they want otherwise).
    CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    // Sends "click" when visible and enabled.
    virtual bool Activate();
    void SetEnabled(bool enabled = true) override;
    UINT GetButtonState() const { return m_uButtonState; }

    void SetNormalImage(const std::wstring& image) { m_normalImage.Set(image); Invalidate(); }
    void SetHotImage(const std::wstring& image) { m_hotImage.Set(image); Invalidate(); }
    void SetPushedImage(const std::wstring& image) { m_pushedImage.Set(image); Invalidate(); }
    void SetDisabledImage(const std::wstring& image) { m_disabledImage.Set(image); Invalidate(); }

    UiSize EstimateSize(UiSize available) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void DoEvent(UiEvent& event) override;
    void PaintStatusImage(HDC hdc) override;
    void PaintText(HDC hdc) override;

protected:
    void PaintButtonStates(HDC hdc, UINT state);
    DWORD ButtonTextColor(UINT state) const;
    void DrawButtonText(HDC hdc, DWORD color);

    UINT m_uButtonState = 0;
    DWORD m_dwHotBkColor = 0, m_dwPushedBkColor = 0, m_dwDisabledBkColor = 0;
    DWORD m_dwHotTextColor = 0, m_dwPushedTextColor = 0, m_dwFocusedTextColor = 0;
    int m_nFadeDelta = 0;
    ImageSlot m_normalImage, m_hotImage, m_pushedImage, m_focusedImage, m_disabledImage, m_foreImage,
        m_hotForeImage;
};

}  // namespace SkinUI
