#include "ui/OptionUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

COptionUI::~COptionUI() {
    if (!m_sGroup.empty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroup, this);
}

const wchar_t* COptionUI::GetClass() const { return L"Option"; }

void* COptionUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"Option") == 0) return this;
    return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CControlManagerUI* manager, CControlUI* parent, bool init) {
    CButtonUI::SetManager(manager, parent, init);
    if (!m_sGroup.empty() && m_pManager) m_pManager->AddOptionGroup(m_sGroup, this);
}

void COptionUI::SetGroup(const std::wstring& group) {
    if (m_sGroup == group) return;
    if (!m_sGroup.empty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroup, this);
    m_sGroup = group;
    if (!m_sGroup.empty() && m_pManager) m_pManager->AddOptionGroup(m_sGroup, this);
    SetChecked(m_bSelected, false);
}

void COptionUI::SetChecked(bool value, bool notify) {
    if (m_bSelected == value) return;
    m_bSelected = value;
    if (m_bSelected)
        m_uButtonState |= kSelected;
    else
        m_uButtonState &= ~kSelected;
    if (m_pManager && !m_sGroup.empty() && m_bSelected) {
        for (COptionUI* other : m_pManager->GetOptionGroup(m_sGroup))
            if (other != this) other->SetChecked(false, notify);
    }
    if (m_pManager && notify) m_pManager->RaiseNotification(this, L"selectchanged");
    Invalidate();
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) return false;
    if (!m_sGroup.empty())
        SetChecked(true);
    else
        SetChecked(!m_bSelected);
    return true;
}

void COptionUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!enabled)
        m_uButtonState = m_bSelected ? kSelected : 0;
    else
        m_uButtonState &= ~kDisabled;
    Invalidate();
}

void COptionUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n = name;
    if (n == L"group") SetGroup(value);
    else if (n == L"selected") SetChecked(ParseBool(value));
    else if (n == L"selectedimage") m_selectedImage.Set(value);
    else if (n == L"selectedhotimage") m_selectedHotImage.Set(value);
    else if (n == L"selectedbkcolor") m_dwSelectedBkColor = ParseColor(value);
    else if (n == L"selectedtextcolor") m_dwSelectedTextColor = ParseColor(value);
    else CButtonUI::SetAttribute(name, value);
}

void COptionUI::PaintStatusImage(HDC hdc) {
    if (m_bSelected) {
        bool drawn = false;
        if (m_uButtonState & kHot) drawn = DrawImage(hdc, m_selectedHotImage);
        if (!drawn) drawn = DrawImage(hdc, m_selectedImage);
        if (!drawn && m_dwSelectedBkColor) CDrawKit::FillColor(hdc, m_rcItem, m_dwSelectedBkColor);
        DrawImage(hdc, m_foreImage);
        return;
    }
    PaintButtonStates(hdc, m_uButtonState & ~kPushed);
}

void COptionUI::PaintText(HDC hdc) {
    if (m_bSelected) {
        DWORD c = m_dwSelectedTextColor ? m_dwSelectedTextColor : ButtonTextColor(0);
        if (!IsEnabled()) c = ButtonTextColor(kDisabled);
        DrawButtonText(hdc, c);
        return;
    }
    DrawButtonText(hdc, ButtonTextColor(m_uButtonState & ~kPushed));
}

const wchar_t* CCheckBoxUI::GetClass() const { return L"CheckBox"; }

void* CCheckBoxUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"CheckBox") == 0) return this;
    return COptionUI::GetInterface(name);
}

bool CCheckBoxUI::Activate() {
    if (!CButtonUI::Activate()) return false;
    SetChecked(!m_bSelected);
    return true;
}

}  // namespace SkinUI
