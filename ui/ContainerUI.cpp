#include "ui/ContainerUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    for (CControlUI* c : m_items) c->Delete();
    m_items.clear();
}

const wchar_t* CContainerUI::GetClass() const { return L"Container"; }

void* CContainerUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"IContainer") == 0) return static_cast<IContainerUI*>(this);
    if (std::wcscmp(name, L"Container") == 0) return this;
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int i) const {
    return (i >= 0 && i < (int)m_items.size()) ? m_items[i] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* c) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i] == c) return (int)i;
    return -1;
}

bool CContainerUI::SetItemIndex(CControlUI* c, int index) {
    int cur = GetItemIndex(c);
    if (cur < 0 || index < 0 || index >= (int)m_items.size()) return false;
    m_items.erase(m_items.begin() + cur);
    m_items.insert(m_items.begin() + index, c);
    NeedUpdate();
    return true;
}

int CContainerUI::GetCount() const { return (int)m_items.size(); }

bool CContainerUI::Add(CControlUI* c) { return AddAt(c, (int)m_items.size()); }

bool CContainerUI::AddAt(CControlUI* c, int index) {
    if (!c || index < 0 || index > (int)m_items.size()) return false;
    if (m_pManager) m_pManager->InitControls(c, this);
    if (!IsVisible()) c->SetInternVisible(false);
    m_items.insert(m_items.begin() + index, c);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* c) {
    int i = GetItemIndex(c);
    return i >= 0 && RemoveAt(i);
}

bool CContainerUI::RemoveAt(int index) {
    CControlUI* c = GetItemAt(index);
    if (!c) return false;
    m_items.erase(m_items.begin() + index);
    c->Delete();
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    for (CControlUI* c : m_items) c->Delete();
    m_items.clear();
    NeedUpdate();
}

void CContainerUI::SetInset(const UiRect& rc) {
    m_rcInset = rc;
    NeedUpdate();
}

void CContainerUI::SetChildPadding(int p) {
    m_iChildPadding = p;
    NeedUpdate();
}

void CContainerUI::SetManager(CControlManagerUI* manager, CControlUI* parent, bool init) {
    for (CControlUI* c : m_items) c->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

void CContainerUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    CControlUI::SetVisible(visible);
    for (CControlUI* c : m_items) c->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (CControlUI* c : m_items) c->SetInternVisible(IsVisible());
}

void CContainerUI::SetEnabled(bool enabled) { CControlUI::SetEnabled(enabled); }

RECT CContainerUI::ContentRect() const {
    RECT rc = m_rcItem;
    rc.left += m_rcInset.left;
    rc.top += m_rcInset.top;
    rc.right -= m_rcInset.right;
    rc.bottom -= m_rcInset.bottom;
    return rc;
}

std::vector<LayoutItem*> CContainerUI::StackedChildren(std::vector<CControlUI*>& controls) const {
    std::vector<LayoutItem*> items;
    for (CControlUI* c : m_items) {
        if (!c->IsOwnVisible()) continue;
        if (c->IsFloat()) continue;
        controls.push_back(c);
        items.push_back(c);
    }
    return items;
}

void CContainerUI::PlaceFloat(CControlUI* c) {
    // Float children sit at their fixed size at the content's top-left.
    RECT rc = ContentRect();
    RECT r = {rc.left, rc.top, rc.left + c->GetFixedWidth(), rc.top + c->GetFixedHeight()};
    c->SetPos(r, false);
}

void CContainerUI::PlaceChildren(const UiRect& rc) {
    // A plain container gives every child the whole content rectangle.
    for (CControlUI* c : m_items) {
        if (!c->IsOwnVisible()) continue;
        if (c->IsFloat()) {
            PlaceFloat(c);
            continue;
        }
        UiRect pad = c->GetPadding();
        RECT r = {rc.left + pad.left, rc.top + pad.top, rc.right - pad.right, rc.bottom - pad.bottom};
        c->SetPos(r, false);
    }
}

void CContainerUI::SetPos(RECT rc, bool invalidate) {
    CControlUI::SetPos(rc, invalidate);
    if (m_items.empty()) return;
    PlaceChildren(ToUiRect(ContentRect()));
}

void CContainerUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n = name;
    if (n == L"inset") {
        SetInset(ParseRect(value));
    } else if (n == L"childpadding") {
        SetChildPadding((int)ParseLong(value));
    } else if (n == L"childalign") {
        std::wstring v = value;
        m_childAlign = v == L"center" ? kAlignCenter : v == L"right" ? kAlignEnd : kAlignStart;
    } else if (n == L"childvalign") {
        std::wstring v = value;
        m_childVAlign = v == L"vcenter" ? kAlignCenter : v == L"bottom" ? kAlignEnd : kAlignStart;
    } else if (n == L"mousechild") {
        m_bMouseChildEnabled = ParseBool(value);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CContainerUI::DoEvent(UiEvent& event) { CControlUI::DoEvent(event); }

void CContainerUI::DoPaint(HDC hdc, const RECT& rcPaint) {
    RECT rcTemp;
    if (!IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
    CControlUI::DoPaint(hdc, rcPaint);
    if (m_items.empty()) return;
    RECT rcContent = ContentRect();
    RECT rcChildPaint;
    if (!IntersectRect(&rcChildPaint, &rcPaint, &rcContent)) return;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rcContent.left, rcContent.top, rcContent.right, rcContent.bottom);
    for (CControlUI* c : m_items) {
        if (!c->IsVisible()) continue;
        RECT pos = c->GetPos();
        if (!IntersectRect(&rcTemp, &rcChildPaint, &pos)) continue;
        c->DoPaint(hdc, rcChildPaint);
    }
    RestoreDC(hdc, saved);
}

CControlUI* CContainerUI::FindControlFromPoint(POINT pt) {
    if (!IsVisible() || !PtInRect(&m_rcItem, pt)) return nullptr;
    if (m_bMouseChildEnabled) {
        RECT rcContent = ContentRect();
        for (int i = (int)m_items.size() - 1; i >= 0; --i) {
            CControlUI* c = m_items[i];
            CControlUI* hit = c->FindControlFromPoint(pt);
            if (!hit) continue;
            if (c->IsFloat() || PtInRect(&rcContent, pt)) return hit;
        }
    }
    return m_bMouseEnabled ? this : nullptr;
}

void CContainerUI::ForEachControl(const std::function<void(CControlUI*)>& fn) {
    fn(this);
    for (CControlUI* c : m_items) c->ForEachControl(fn);
}

}  // namespace SkinUI
