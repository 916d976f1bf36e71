#include "ui/HorizontalLayoutUI.h"

#include <cwchar>

namespace SkinUI {

const wchar_t* CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayout"; }

void* CHorizontalLayoutUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"HorizontalLayout") == 0) return this;
    return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::PlaceChildren(const UiRect& rc) {
    std::vector<CControlUI*> controls;
    std::vector<LayoutItem*> items = StackedChildren(controls);
    std::vector<UiRect> rects = LayoutHorizontal(items, rc, m_iChildPadding, m_childVAlign);
    for (size_t i = 0; i < controls.size(); ++i) controls[i]->SetPos(ToRECT(rects[i]), false);
    for (CControlUI* c : m_items)
        if (c->IsOwnVisible() && c->IsFloat()) PlaceFloat(c);
}

}  // namespace SkinUI
