// The base of every control: layout inputs, state, attributes, events and
// the painting steps (background colour, background picture, state
// picture, text, border).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "ui/DrawKit.h"
#include "ui/LayoutMath.h"
#include "ui/UIDefs.h"

namespace SkinUI {

class CControlManagerUI;

class CControlUI : public LayoutItem {
public:
    CControlUI();
    ~CControlUI() override;
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;
    virtual void Delete();

    const std::wstring& GetName() const { return m_sName; }
    virtual void SetName(const std::wstring& name) { m_sName = name; }
    virtual const wchar_t* GetClass() const;
    // Interface query by class name ("Control", "Label", ...).
    virtual void* GetInterface(const wchar_t* name);

    CControlManagerUI* GetManager() const { return m_pManager; }
    virtual void SetManager(CControlManagerUI* manager, CControlUI* parent, bool init = true);
    CControlUI* GetParent() const { return m_pParent; }

    virtual std::wstring GetText() const { return m_sText; }
    virtual void SetText(const std::wstring& text);

    RECT GetPos() const { return m_rcItem; }
    virtual void SetPos(RECT rc, bool invalidate = true);
    int GetWidth() const { return m_rcItem.right - m_rcItem.left; }
    int GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }

    UiRect GetPadding() const override { return m_rcPadding; }
    void SetPadding(const UiRect& rc);
    int GetFixedWidth() const override { return m_cxyFixed.cx; }
    int GetFixedHeight() const override { return m_cxyFixed.cy; }
    int GetMinWidth() const override { return m_cxyMin.cx; }
    int GetMinHeight() const override { return m_cxyMin.cy; }
    int GetMaxWidth() const override { return m_cxyMax.cx; }
    int GetMaxHeight() const override { return m_cxyMax.cy; }
    virtual void SetFixedWidth(int cx);
    virtual void SetFixedHeight(int cy);
    void SetMinWidth(int cx);
    void SetMinHeight(int cy);
    void SetMaxWidth(int cx);
    void SetMaxHeight(int cy);

    // Visible as set by the attribute or SetVisible, and not hidden by an ancestor.
    bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    bool IsOwnVisible() const { return m_bVisible; }
    virtual void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);
    bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool enabled = true);
    bool IsMouseEnabled() const { return m_bMouseEnabled; }
    void SetMouseEnabled(bool e) { m_bMouseEnabled = e; }
    bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    void SetKeyboardEnabled(bool e) { m_bKeyboardEnabled = e; }
    bool IsFocused() const { return m_bFocused; }
    void SetFocused(bool f) { m_bFocused = f; }
    virtual void SetFocus();
    bool IsFloat() const { return m_bFloat; }
    bool IsContextMenuUsed() const { return m_bMenuUsed; }

    // The top-most visible, mouse-enabled control at the point (or nullptr).
    virtual CControlUI* FindControlFromPoint(POINT pt);
    // Calls fn for this control and every descendant, parents first, in document order.
    virtual void ForEachControl(const std::function<void(CControlUI*)>& fn);

    void Init();
    virtual void DoInit() {}
    void Event(UiEvent& event);
    virtual void DoEvent(UiEvent& event);

    virtual void SetAttribute(const wchar_t* name, const wchar_t* value);
    void ApplyAttributeList(const std::wstring& list);
    // Unknown attributes are kept here; empty when absent.
    std::wstring GetCustomAttribute(const std::wstring& name) const;

    UiSize EstimateSize(UiSize available) override;

    virtual void DoPaint(HDC hdc, const RECT& rcPaint);
    virtual void PaintBkColor(HDC hdc);
    virtual void PaintBkImage(HDC hdc);
    virtual void PaintStatusImage(HDC hdc);
    virtual void PaintText(HDC hdc);
    virtual void PaintBorder(HDC hdc);

    void Invalidate();
    void NeedUpdate();
    void NeedParentUpdate();

    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(DWORD argb);
    const std::wstring& GetBkImage() const { return m_bkImage.text; }
    void SetBkImage(const std::wstring& image);
    void SetBorderColor(DWORD argb);
    void SetBorderSize(int size);

    UINT_PTR GetTag() const { return m_tag; }
    void SetTag(UINT_PTR tag) { m_tag = tag; }

protected:
    // Draws an image attribute into this control; false if nothing was drawn.
    bool DrawImage(HDC hdc, ImageSlot& slot);

    CControlManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    std::wstring m_sName, m_sText, m_sToolTip, m_sUserData;
    RECT m_rcItem = {0, 0, 0, 0};
    RECT m_rcPaint = {0, 0, 0, 0};
    UiRect m_rcPadding;
    UiSize m_cxyFixed;
    UiSize m_cxyMin{0, 0};
    UiSize m_cxyMax{9999, 9999};
    bool m_bVisible = true, m_bInternVisible = true, m_bEnabled = true, m_bMouseEnabled = true,
         m_bKeyboardEnabled = true, m_bFocused = false, m_bFloat = false, m_bMenuUsed = false;
    DWORD m_dwBackColor = 0, m_dwBackColor2 = 0, m_dwBackColor3 = 0;
    DWORD m_dwBorderColor = 0, m_dwFocusBorderColor = 0;
    UiRect m_rcBorderSize;
    SIZE m_cxyBorderRound = {0, 0};
    int m_nBorderStyle = PS_SOLID;
    ImageSlot m_bkImage;
    UINT_PTR m_tag = 0;
    std::map<std::wstring, std::wstring> m_customAttributes;
};

}  // namespace SkinUI
