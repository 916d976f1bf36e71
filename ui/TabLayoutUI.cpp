#include "ui/TabLayoutUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

const wchar_t* CTabLayoutUI::GetClass() const { return L"TabLayout"; }

void* CTabLayoutUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"TabLayout") == 0) return this;
    return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* c) { return AddAt(c, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* c, int index) {
    if (!CContainerUI::AddAt(c, index)) return false;
    if (m_iCurSel == -1 && c->IsOwnVisible()) {
        m_iCurSel = GetItemIndex(c);
    } else if (m_iCurSel != -1 && index <= m_iCurSel) {
        ++m_iCurSel;
        c->SetVisible(false);
    } else {
        c->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* c) {
    int index = GetItemIndex(c);
    if (index < 0) return false;
    if (!CContainerUI::RemoveAt(index)) return false;
    if (m_iCurSel == index) {
        m_iCurSel = -1;
        if (GetCount() > 0) SelectChild(index > 0 ? index - 1 : 0, false);
    } else if (m_iCurSel > index) {
        --m_iCurSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectChild(int index, bool notify) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == m_iCurSel) return true;
    int old = m_iCurSel;
    m_iCurSel = index;
    for (int i = 0; i < GetCount(); ++i) {
        if (i == index) {
            m_items[i]->SetVisible(true);
            if (m_pManager) m_items[i]->SetFocus();
        } else {
            m_items[i]->SetVisible(false);
        }
    }
    NeedUpdate();
    if (m_pManager && notify) m_pManager->RaiseNotification(this, L"tabselect", (WPARAM)index, (LPARAM)old);
    return true;
}

void CTabLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    if (std::wcscmp(name, L"selectedid") == 0)
        SelectChild((int)ParseLong(value));
    else
        CContainerUI::SetAttribute(name, value);
}

void CTabLayoutUI::PlaceChildren(const UiRect& rc) {
    for (CControlUI* c : m_items) {
        if (!c->IsOwnVisible()) continue;
        if (c->IsFloat()) {
            PlaceFloat(c);
            continue;
        }
        c->SetPos(ToRECT(LayoutTabChild(c, rc)), false);
    }
}

}  // namespace SkinUI
