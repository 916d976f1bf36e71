#include "ui/SkinFrame.h"

#include <cwchar>

#include "ui/AttrSyntax.h"

namespace SkinUI {

FrameSpec FrameSpec::ForSkin(const std::wstring& skinFile, int resourceId) {
    FrameSpec s;
    s.resourceKind = kSkinArchiveResource;
    s.resourceId = resourceId;
    s.skinFile = skinFile;
    s.windowClassName = skinFile.substr(0, skinFile.find(L'.'));
    return s;
}

CSkinFrame::CSkinFrame(const FrameSpec& spec) : m_spec(spec) {}

CSkinFrame::~CSkinFrame() = default;

void CSkinFrame::OnWindowReady() {
    LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    style &= ~(WS_CAPTION | WS_MAXIMIZEBOX);
    ::SetWindowLongW(m_hWnd, GWL_STYLE, style);

    const std::wstring* show = m_pm.GetCustomWindowAttribute(L"showshadow");
    if (!show || !EqualsNoCase(show->c_str(), L"true")) return;
    m_shadow.Create(m_hWnd);
    if (const std::wstring* img = m_pm.GetCustomWindowAttribute(L"shadowimage")) {
        const std::wstring* c = m_pm.GetCustomWindowAttribute(L"shadowcorner");
        const std::wstring* h = m_pm.GetCustomWindowAttribute(L"shadowholeoffset");
        m_shadow.SetImage(*img, ToRECT(c ? ParseRect(c->c_str()) : UiRect()),
                          ToRECT(h ? ParseRect(h->c_str()) : UiRect()));
    }
    if (const std::wstring* v = m_pm.GetCustomWindowAttribute(L"shadowsize")) m_shadow.SetSize((int)ParseLong(v->c_str()));
    if (const std::wstring* v = m_pm.GetCustomWindowAttribute(L"shadowsharpness")) {
        long s = ParseLong(v->c_str());
        if (s >= 0) m_shadow.SetSharpness((unsigned)s);
    }
    if (const std::wstring* v = m_pm.GetCustomWindowAttribute(L"shadowdarkness")) {
        long d = ParseLong(v->c_str());
        if (d >= 0) m_shadow.SetDarkness((unsigned)d);
    }
    if (const std::wstring* v = m_pm.GetCustomWindowAttribute(L"shadowposition")) {
        UiSize p = ParseSize(v->c_str());
        m_shadow.SetPosition(p.cx, p.cy);
    }
    if (const std::wstring* v = m_pm.GetCustomWindowAttribute(L"shadowcolor")) {
        const wchar_t* t = v->c_str();
        if (*t == L'#') ++t;
        m_shadow.SetColor((COLORREF)(std::wcstoul(t, nullptr, 16) & 0xFFFFFF));
    }
}

LRESULT CSkinFrame::PreFilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && wParam == VK_ESCAPE) {
        bHandled = true;  // the window does not close on Escape
        return TRUE;
    }
    return WindowImplBase::PreFilterMessage(uMsg, wParam, lParam, bHandled);
}

}  // namespace SkinUI
