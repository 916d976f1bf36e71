// A control with an ordered child list, inset, child padding and child
// alignment. Children are owned and deleted with the container.
#pragma once

#include <vector>

#include "ui/ControlUI.h"

namespace SkinUI {

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    CControlUI* GetItemAt(int iIndex) const override;
    int GetItemIndex(CControlUI* pControl) const override;
    bool SetItemIndex(CControlUI* pControl, int iIndex) override;
    int GetCount() const override;
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    UiRect GetInset() const { return m_rcInset; }
    void SetInset(const UiRect& rc);
    int GetChildPadding() const { return m_iChildPadding; }
    void SetChildPadding(int padding);
    ChildAlign GetChildAlign() const { return m_childAlign; }
    ChildAlign GetChildVAlign() const { return m_childVAlign; }

    void SetManager(CControlManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetPos(RECT rc, bool invalidate = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void DoEvent(UiEvent& event) override;
    void DoPaint(HDC hdc, const RECT& rcPaint) override;
    CControlUI* FindControlFromPoint(POINT pt) override;
    void ForEachControl(const std::function<void(CControlUI*)>& fn) override;

protected:
    // Places the visible non-float children inside rc (already shrunk by the inset).
    virtual void PlaceChildren(const UiRect& rc);
    void PlaceFloat(CControlUI* child);
    std::vector<LayoutItem*> StackedChildren(std::vector<CControlUI*>& controls) const;
    RECT ContentRect() const;

    std::vector<CControlUI*> m_items;
    UiRect m_rcInset;
    int m_iChildPadding = 0;
    ChildAlign m_childAlign = kAlignStart;
    ChildAlign m_childVAlign = kAlignStart;
    bool m_bMouseChildEnabled = true;
};

}  // namespace SkinUI
