// Shows one child at a time.
#pragma once

#include "ui/ContainerUI.h"

namespace SkinUI {

class CTabLayoutUI : public CContainerUI {
public:
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl) override;
    void RemoveAll() override;

    int ShownChild() const { return m_iCurSel; }
    // Shows the child at index; false for an index outside the children.
    bool SelectChild(int index, bool notify = true);
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

protected:
    void PlaceChildren(const UiRect& rc) override;
    int m_iCurSel = -1;
};

}  // namespace SkinUI
