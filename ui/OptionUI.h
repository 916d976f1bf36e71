// Buttons with a selected state: options (optionally grouped) and check boxes.
#pragma once

#include "ui/ButtonUI.h"

namespace SkinUI {

class COptionUI : public CButtonUI {
public:
    ~COptionUI() override;
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    bool IsChecked() const { return m_bSelected; }
    virtual void SetChecked(bool value, bool notify = true);
    const std::wstring& GetGroup() const { return m_sGroup; }
    void SetGroup(const std::wstring& group);

    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void SetManager(CControlManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintStatusImage(HDC hdc) override;
    void PaintText(HDC hdc) override;

protected:
    bool m_bSelected = false;
    std::wstring m_sGroup;
    DWORD m_dwSelectedBkColor = 0, m_dwSelectedTextColor = 0;
    ImageSlot m_selectedImage, m_selectedHotImage;
};

class CCheckBoxUI : public COptionUI {
public:
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;
    bool Activate() override;
    void SetCheck(bool value) { SetChecked(value); }
    bool GetCheck() const { return IsChecked(); }
};

}  // namespace SkinUI
