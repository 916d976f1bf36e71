// Single-line text input: drawn like a label, edited through a native
// edit box (CEditWnd) that opens while the control has the focus.
#pragma once

#include "ui/LabelUI.h"

namespace SkinUI {

class CEditUI;

// The native edit box (system class "Edit", superclassed as "EditWnd"),
// linked to its control through the window property "WndX".
class CEditWnd {
public:
    static CEditWnd* Open(CEditUI* owner);
    void Close();  // destroys the box; the object deletes itself when the window is gone
    HWND GetHWND() const { return m_hWnd; }
    // The box's rectangle: the text rectangle centred on the line height,
    // cut to the visible parts of the ancestors.
    static RECT BoxRect(CEditUI* owner);

private:
    CEditWnd() = default;
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT, WPARAM, LPARAM);
    static WNDPROC s_editProc;
    HWND m_hWnd = nullptr;
    CEditUI* m_pOwner = nullptr;
    HBRUSH m_hBkBrush = nullptr;
    bool m_bClosing = false;
};

class CEditUI : public CLabelUI {
public:
    CEditUI();
    ~CEditUI() override;
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    void SetText(const std::wstring& text) override;
    void SetEnabled(bool enabled = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetPos(RECT rc, bool invalidate = true) override;
    UiSize EstimateSize(UiSize available) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void DoEvent(UiEvent& event) override;
    void PaintStatusImage(HDC hdc) override;
    void PaintText(HDC hdc) override;

    int GetMaxChar() const { return m_iMaxChar; }
    bool IsReadOnly() const { return m_bReadOnly; }
    bool IsPassword() const { return m_bPassword; }
    HWND GetNativeEditHWND() const { return m_pWindow ? m_pWindow->GetHWND() : nullptr; }

private:
    friend class CEditWnd;
    void OnBoxText(const std::wstring& text);  // the box changed its text
    void OnBoxGone() { m_pWindow = nullptr; Invalidate(); }

    CEditWnd* m_pWindow = nullptr;
    int m_iMaxChar = 255;
    bool m_bReadOnly = false, m_bPassword = false, m_bNumberOnly = false, m_bAutoSelAll = false;
    bool m_bHot = false;
    DWORD m_dwNativeBkColor = 0, m_dwNativeTextColor = 0, m_dwTipValueColor = 0xFFBAC0C5;
    std::wstring m_sTipValue;
    ImageSlot m_normalImage, m_hotImage, m_focusedImage, m_disabledImage;
};

}  // namespace SkinUI
