#include "ui/ProgressUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"

namespace SkinUI {

CProgressUI::CProgressUI() {
    m_uTextStyle = DT_SINGLELINE | DT_CENTER;
    m_cxyFixed.cy = 12;
}

const wchar_t* CProgressUI::GetClass() const { return L"Progress"; }

void* CProgressUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"Progress") == 0) return this;
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetMinValue(int v) {
    m_nMin = v;
    Invalidate();
}

void CProgressUI::SetMaxValue(int v) {
    m_nMax = v;
    Invalidate();
}

void CProgressUI::SetProgress(int v) {
    if (v < m_nMin) v = m_nMin;
    if (v > m_nMax) v = m_nMax;
    if (v == m_nValue) return;
    m_nValue = v;
    Invalidate();
}

RECT CProgressUI::ForeDestination() {
    if (m_nMax <= m_nMin) m_nMax = m_nMin + 1;
    if (m_nValue > m_nMax) m_nValue = m_nMax;
    if (m_nValue < m_nMin) m_nValue = m_nMin;
    int w = m_rcItem.right - m_rcItem.left, h = m_rcItem.bottom - m_rcItem.top;
    long long range = (long long)m_nMax - m_nMin;
    if (m_bHorizontal) return RECT{0, 0, (int)((long long)w * (m_nValue - m_nMin) / range), h};
    return RECT{0, (int)((long long)h * (m_nMax - m_nValue) / range), w, h};
}

void CProgressUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n = name;
    if (n == L"foreimage") m_foreImage.Set(value);
    else if (n == L"hor") m_bHorizontal = ParseBool(value);
    else if (n == L"min") SetMinValue((int)ParseLong(value));
    else if (n == L"max") SetMaxValue((int)ParseLong(value));
    else if (n == L"value") SetProgress((int)ParseLong(value));
    else CLabelUI::SetAttribute(name, value);
}

void CProgressUI::PaintStatusImage(HDC hdc) {
    RECT d = ForeDestination();
    if (d.right <= d.left || d.bottom <= d.top || m_foreImage.Empty()) return;
    // Draw the fore picture into the filled part: the destination is set
    // as the attribute's "dest" for this draw.
    if (!m_foreImage.parsed) {
        m_foreImage.spec = ParseImageDescriptor(m_foreImage.text);
        m_foreImage.parsed = true;
    }
    UiRect saved = m_foreImage.spec.dest;
    m_foreImage.spec.dest = ToUiRect(d);
    DrawImage(hdc, m_foreImage);
    m_foreImage.spec.dest = saved;
}

}  // namespace SkinUI
