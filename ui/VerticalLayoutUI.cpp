#include "ui/VerticalLayoutUI.h"

#include <cwchar>

namespace SkinUI {

const wchar_t* CVerticalLayoutUI::GetClass() const { return L"VerticalLayout"; }

void* CVerticalLayoutUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"VerticalLayout") == 0) return this;
    return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::PlaceChildren(const UiRect& rc) {
    std::vector<CControlUI*> controls;
    std::vector<LayoutItem*> items = StackedChildren(controls);
    std::vector<UiRect> rects = LayoutVertical(items, rc, m_iChildPadding, m_childAlign);
    for (size_t i = 0; i < controls.size(); ++i) controls[i]->SetPos(ToRECT(rects[i]), false);
    for (CControlUI* c : m_items)
        if (c->IsOwnVisible() && c->IsFloat()) PlaceFloat(c);
}

}  // namespace SkinUI
