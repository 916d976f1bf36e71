#include "ui/ControlManagerUI.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/AttrSyntax.h"
#include "ui/OptionUI.h"

namespace SkinUI {

namespace {

std::vector<CControlManagerUI*>& Managers() {
    static std::vector<CControlManagerUI*> list;
    return list;
}

std::map<int, std::unique_ptr<FontInfo>>& SharedFonts() {
    static std::map<int, std::unique_ptr<FontInfo>> fonts;
    return fonts;
}

}  // namespace

CControlManagerUI::CControlManagerUI() {
    m_hMeasureDC = CreateCompatibleDC(nullptr);
    m_bOwnMeasureDC = true;
    m_defaultFont.UseStockFont(m_hMeasureDC);
    Managers().push_back(this);
}

CControlManagerUI::~CControlManagerUI() {
    auto& list = Managers();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    ReleaseTree();
    if (m_hOffscreen) DeleteObject(m_hOffscreen);
    if (m_bOwnMeasureDC && m_hMeasureDC) DeleteDC(m_hMeasureDC);
}

void CControlManagerUI::Init(HWND hWnd) { m_hWnd = hWnd; }

void CControlManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
    control->SetManager(this, parent, true);
}

bool CControlManagerUI::AttachRoot(CControlUI* root) {
    if (m_pFocus) SetFocus(nullptr);
    m_pEventHover = nullptr;
    m_pEventClick = nullptr;
    if (m_pRoot && m_pRoot != root) {
        ClearTimers();
        CControlUI* old = m_pRoot;
        m_pRoot = nullptr;
        old->Delete();
    }
    m_pRoot = root;
    m_bUpdateNeeded = true;
    m_bFirstLayout = true;
    if (!root) return false;
    // Parents first: a container gives its children the manager before it initialises itself.
    root->ForEachControl([this](CControlUI* c) { (void)c; });
    root->SetManager(this, nullptr, false);
    root->ForEachControl([](CControlUI* c) { c->Init(); });
    BuildNameIndex();
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return true;
}

void CControlManagerUI::BuildNameIndex() {
    m_names.clear();
    if (!m_pRoot) return;
    m_pRoot->ForEachControl([this](CControlUI* c) {
        if (!c->GetName().empty() && m_names.find(c->GetName()) == m_names.end()) m_names[c->GetName()] = c;
    });
}

void CControlManagerUI::ClearTimers() {
    for (unsigned id : m_timers.Clear())
        if (m_hWnd) ::KillTimer(m_hWnd, id);
}

void CControlManagerUI::ReleaseTree() {
    ClearTimers();
    m_pFocus = m_pEventHover = m_pEventClick = nullptr;
    m_names.clear();
    CControlUI* root = m_pRoot;
    m_pRoot = nullptr;
    if (root) root->Delete();
    m_delayed.clear();
}

void CControlManagerUI::ReleaseControl(CControlUI* c) {
    if (m_pFocus == c) m_pFocus = nullptr;
    if (m_pEventHover == c) m_pEventHover = nullptr;
    if (m_pEventClick == c) m_pEventClick = nullptr;
    if (m_pRoot == c) m_pRoot = nullptr;
    for (unsigned id : m_timers.RemoveOwner(c))
        if (m_hWnd) ::KillTimer(m_hWnd, id);
    for (auto it = m_names.begin(); it != m_names.end();) {
        if (it->second == c)
            it = m_names.erase(it);
        else
            ++it;
    }
    m_delayed.erase(std::remove_if(m_delayed.begin(), m_delayed.end(),
                                   [c](const NotifyMessage& m) { return m.pSender == c; }),
                    m_delayed.end());
}

CControlUI* CControlManagerUI::FindByName(const std::wstring& name) const {
    auto it = m_names.find(name);
    return it == m_names.end() ? nullptr : it->second;
}

CControlUI* CControlManagerUI::FindControlAt(POINT pt) const {
    return m_pRoot ? m_pRoot->FindControlFromPoint(pt) : nullptr;
}

void CControlManagerUI::AddNotifier(INotifyUI* r) {
    if (std::find(m_notifiers.begin(), m_notifiers.end(), r) == m_notifiers.end()) m_notifiers.push_back(r);
}
void CControlManagerUI::RemoveNotifier(INotifyUI* r) {
    m_notifiers.erase(std::remove(m_notifiers.begin(), m_notifiers.end(), r), m_notifiers.end());
}
void CControlManagerUI::AddPreMessageFilter(IMessageFilterUI* f) {
    if (std::find(m_preFilters.begin(), m_preFilters.end(), f) == m_preFilters.end()) m_preFilters.push_back(f);
}
void CControlManagerUI::RemovePreMessageFilter(IMessageFilterUI* f) {
    m_preFilters.erase(std::remove(m_preFilters.begin(), m_preFilters.end(), f), m_preFilters.end());
}

void CControlManagerUI::RaiseNotification(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam,
                                          bool delayed) {
    NotifyMessage msg;
    msg.sType = type;
    msg.pSender = sender;
    msg.dwTimestamp = GetTickCount();
    msg.ptMouse = m_ptLastMousePos;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (delayed) {
        for (NotifyMessage& q : m_delayed) {
            if (q.pSender == sender && q.sType == msg.sType) {
                q.wParam = wParam;
                q.lParam = lParam;
                q.dwTimestamp = msg.dwTimestamp;
                q.ptMouse = msg.ptMouse;
                return;
            }
        }
        m_delayed.push_back(msg);
        if (m_delayed.size() == 1 && m_hWnd) ::PostMessageW(m_hWnd, WM_SKINUI_DELAYED_NOTIFY, 0, 0);
        return;
    }
    // A receiver may remove itself while being called: iterate over a copy.
    std::vector<INotifyUI*> receivers = m_notifiers;
    for (INotifyUI* r : receivers) {
        if (std::find(m_notifiers.begin(), m_notifiers.end(), r) == m_notifiers.end()) continue;
        r->OnNotification(msg);
    }
}

void CControlManagerUI::DrainDelayed() {
    while (!m_delayed.empty()) {
        NotifyMessage msg = m_delayed.front();
        m_delayed.erase(m_delayed.begin());
        std::vector<INotifyUI*> receivers = m_notifiers;
        for (INotifyUI* r : receivers) r->OnNotification(msg);
    }
}

bool CControlManagerUI::StartControlTimer(CControlUI* control, int localId, UINT elapse) {
    unsigned nativeId = 0;
    TimerTable::StartResult r = m_timers.Start(control, m_hWnd, localId, &nativeId);
    if (r == TimerTable::StartResult::kFailed) return false;
    if (m_hWnd) ::SetTimer(m_hWnd, nativeId, elapse, nullptr);
    return true;
}

bool CControlManagerUI::StopControlTimer(CControlUI* control, int localId) {
    unsigned nativeId = 0;
    if (!m_timers.Stop(control, m_hWnd, localId, &nativeId)) return false;
    if (m_hWnd) ::KillTimer(m_hWnd, nativeId);
    return true;
}

void CControlManagerUI::SetFocus(CControlUI* control) {
    if (m_hWnd && ::GetFocus() != m_hWnd && control) {
        HWND f = ::GetFocus();
        if (!f || !::IsChild(m_hWnd, f)) ::SetFocus(m_hWnd);
    }
    if (control == m_pFocus) return;
    if (m_pFocus) {
        UiEvent ev;
        ev.Type = UIEVENT_KILLFOCUS;
        ev.pSender = control;
        ev.dwTimestamp = GetTickCount();
        CControlUI* old = m_pFocus;
        m_pFocus = nullptr;
        old->Event(ev);
        RaiseNotification(old, L"killfocus");
    }
    if (!control) return;
    if (control->GetManager() != this || !control->IsVisible() || !control->IsEnabled()) return;
    m_pFocus = control;
    UiEvent ev;
    ev.Type = UIEVENT_SETFOCUS;
    ev.pSender = control;
    ev.dwTimestamp = GetTickCount();
    control->Event(ev);
    RaiseNotification(control, L"setfocus");
}

void CControlManagerUI::SetWindowAttribute(const wchar_t* name, const wchar_t* value) {
    std::wstring n;
    for (const wchar_t* p = name; *p; ++p) n.push_back((wchar_t)towlower(*p));
    if (n == L"size") {
        UiSize s = ParseSize(value);
        m_szInitWindowSize.cx = s.cx;
        m_szInitWindowSize.cy = s.cy;
        if (!m_pRoot && m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    } else if (n == L"caption") {
        m_rcCaption = ToRECT(ParseRect(value));
    } else if (n == L"roundcorner") {
        UiSize s = ParseSize(value);
        m_szRoundCorner.cx = s.cx;
        m_szRoundCorner.cy = s.cy;
    } else if (n == L"sizebox") {
        m_rcSizeBox = ToRECT(ParseRect(value));
    } else if (n == L"mininfo") {
        UiSize s = ParseSize(value);
        m_szMinWindow.cx = s.cx;
        m_szMinWindow.cy = s.cy;
    } else if (n == L"maxinfo") {
        UiSize s = ParseSize(value);
        m_szMaxWindow.cx = s.cx;
        m_szMaxWindow.cy = s.cy;
    } else if (n == L"defaultfontcolor") {
        m_dwDefaultFontColor = ParseColor(value);
    } else if (n == L"disabledfontcolor") {
        m_dwDefaultDisabledColor = ParseColor(value);
    } else if (n == L"linkfontcolor") {
        m_dwDefaultLinkColor = ParseColor(value);
    } else if (n == L"linkhoverfontcolor") {
        m_dwDefaultLinkHoverColor = ParseColor(value);
    } else if (n == L"selectedcolor") {
        m_dwDefaultSelectedBkColor = ParseColor(value);
    } else if (n == L"showdirty" || n == L"noactivate" || n == L"opacity" || n == L"layeredopacity" ||
               n == L"layeredimage") {
        m_customWindowAttrs[n] = value;  // accepted; not used by these windows
    } else {
        m_customWindowAttrs[n] = value;
    }
}

const std::wstring* CControlManagerUI::GetCustomWindowAttribute(const std::wstring& name) const {
    std::wstring n;
    for (wchar_t c : name) n.push_back((wchar_t)towlower(c));
    auto it = m_customWindowAttrs.find(n);
    return it == m_customWindowAttrs.end() ? nullptr : &it->second;
}

void CControlManagerUI::AddFont(int id, const std::wstring& face, int size, bool bold, bool underline, bool italic,
                                bool isDefault, bool shared) {
    std::unique_ptr<FontInfo> fi(new FontInfo());
    fi->id = id;
    fi->face = face.substr(0, 31);
    fi->size = size;
    fi->bold = bold;
    fi->underline = underline;
    fi->italic = italic;
    if (!fi->Create(m_hMeasureDC)) return;
    if (isDefault) {
        m_defaultFont.face = fi->face;
        m_defaultFont.size = size;
        m_defaultFont.bold = bold;
        m_defaultFont.underline = underline;
        m_defaultFont.italic = italic;
        m_defaultFont.Create(m_hMeasureDC);
    }
    if (shared)
        SharedFonts()[id] = std::move(fi);
    else
        m_fonts[id] = std::move(fi);
}

const FontInfo* CControlManagerUI::GetFontInfo(int index) const {
    if (index >= 0) {
        auto it = m_fonts.find(index);
        if (it != m_fonts.end()) return it->second.get();
        auto sit = SharedFonts().find(index);
        if (sit != SharedFonts().end()) return sit->second.get();
    }
    return &m_defaultFont;
}

HFONT CControlManagerUI::GetFont(int index) const { return GetFontInfo(index)->hFont; }

ImageInfo* CControlManagerUI::GetImage(const std::wstring& name, const std::wstring& type, DWORD mask) {
    auto it = m_images.find(name);
    if (it != m_images.end()) return it->second.get();
    std::unique_ptr<ImageInfo> img = CDrawKit::LoadImage(name, type, mask);
    if (!img) return nullptr;
    ImageInfo* p = img.get();
    m_images[name] = std::move(img);
    return p;
}

void CControlManagerUI::AddDefaultAttributeList(const std::wstring& cls, const std::wstring& list) {
    std::wstring n;
    for (wchar_t c : cls) n.push_back((wchar_t)towlower(c));
    m_defaultAttrs[n] = list;
}

const std::wstring* CControlManagerUI::GetDefaultAttributeList(const std::wstring& cls) const {
    std::wstring n;
    for (wchar_t c : cls) n.push_back((wchar_t)towlower(c));
    auto it = m_defaultAttrs.find(n);
    return it == m_defaultAttrs.end() ? nullptr : &it->second;
}

void CControlManagerUI::AddOptionGroup(const std::wstring& g, COptionUI* o) {
    auto& v = m_optionGroups[g];
    if (std::find(v.begin(), v.end(), o) == v.end()) v.push_back(o);
}

void CControlManagerUI::RemoveOptionGroup(const std::wstring& g, COptionUI* o) {
    auto it = m_optionGroups.find(g);
    if (it == m_optionGroups.end()) return;
    it->second.erase(std::remove(it->second.begin(), it->second.end(), o), it->second.end());
}

std::vector<COptionUI*> CControlManagerUI::GetOptionGroup(const std::wstring& g) const {
    auto it = m_optionGroups.find(g);
    return it == m_optionGroups.end() ? std::vector<COptionUI*>() : it->second;
}

void CControlManagerUI::NeedUpdate() {
    m_bUpdateNeeded = true;
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CControlManagerUI::Invalidate(const RECT& rc) {
    if (m_hWnd) ::InvalidateRect(m_hWnd, &rc, FALSE);
}

void CControlManagerUI::LayoutIfNeeded(int w, int h) {
    if (!m_pRoot || !m_bUpdateNeeded) return;
    m_bUpdateNeeded = false;
    RECT rc = {0, 0, w, h};
    m_pRoot->SetPos(rc, false);
    if (m_bFirstLayout) {
        m_bFirstLayout = false;
        RaiseNotification(m_pRoot, L"windowinit");
    }
}

void CControlManagerUI::PaintTo(HDC hdc, const RECT& rcPaint, int width, int height) {
    LayoutIfNeeded(width, height);
    if (!m_pRoot) return;
    m_pRoot->DoPaint(hdc, rcPaint);
}

void CControlManagerUI::EndHoverAndPress() {
    POINT pt = m_ptLastMousePos;
    if (m_pEventHover) {
        UiEvent ev;
        ev.Type = UIEVENT_MOUSELEAVE;
        ev.ptMouse = {-1, -1};
        ev.dwTimestamp = GetTickCount();
        CControlUI* c = m_pEventHover;
        m_pEventHover = nullptr;
        c->Event(ev);
    }
    if (m_pEventClick) {
        UiEvent ev;
        ev.Type = UIEVENT_BUTTONUP;
        ev.ptMouse = {-1, -1};
        ev.dwTimestamp = GetTickCount();
        CControlUI* c = m_pEventClick;
        m_pEventClick = nullptr;
        c->Event(ev);
    }
    (void)pt;
}

bool CControlManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    std::vector<IMessageFilterUI*> filters = m_preFilters;
    for (IMessageFilterUI* f : filters) {
        bool handled = false;
        LRESULT r = f->PreFilterMessage(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = r;
            return true;
        }
    }
    return false;
}

bool CControlManagerUI::TranslateMessage(const MSG* msg) {
    if (!msg->hwnd) return false;
    // Copy: a filter may close a window and remove its manager.
    std::vector<CControlManagerUI*> list = Managers();
    for (CControlManagerUI* m : list) {
        if (std::find(Managers().begin(), Managers().end(), m) == Managers().end()) continue;
        if (!m->m_hWnd) continue;
        if (msg->hwnd == m->m_hWnd || ::IsChild(m->m_hWnd, msg->hwnd)) {
            LRESULT r = 0;
            if (m->PreMessageHandler(msg->message, msg->wParam, msg->lParam, r)) return true;
        }
    }
    return false;
}

bool CControlManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    if (!m_hWnd) return false;
    lRes = 0;
    switch (uMsg) {
    case WM_SKINUI_DELAYED_NOTIFY:
        DrainDelayed();
        return true;
    case WM_CLOSE:
        EndHoverAndPress();
        SetFocus(nullptr);
        {
            HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
            if (owner) ::SetFocus(owner);
        }
        return false;  // the default procedure destroys the window
    case WM_ERASEBKGND:
        lRes = 1;
        return true;
    case WM_PAINT: {
        RECT rcClient;
        ::GetClientRect(m_hWnd, &rcClient);
        int w = rcClient.right, h = rcClient.bottom;
        if (m_pRoot && m_bUpdateNeeded) {
            LayoutIfNeeded(w, h);
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        if (w > 0 && h > 0) {
            if (!m_hOffscreen || m_offW != w || m_offH != h) {
                if (m_hOffscreen) DeleteObject(m_hOffscreen);
                BITMAPINFO bmi = {};
                bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
                bmi.bmiHeader.biWidth = w;
                bmi.bmiHeader.biHeight = -h;
                bmi.bmiHeader.biPlanes = 1;
                bmi.bmiHeader.biBitCount = 32;
                bmi.bmiHeader.biCompression = BI_RGB;
                m_hOffscreen = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &m_pOffscreenBits, nullptr, 0);
                m_offW = w;
                m_offH = h;
            }
            HDC mem = CreateCompatibleDC(hdc);
            HGDIOBJ old = SelectObject(mem, m_hOffscreen);
            IntersectClipRect(mem, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
            HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
            FillRect(mem, &ps.rcPaint, white);
            PaintTo(mem, ps.rcPaint, w, h);
            SelectClipRgn(mem, nullptr);
            BitBlt(hdc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        ::EndPaint(m_hWnd, &ps);
        return true;
    }
    case WM_SIZE:
        if (m_pFocus) {
            UiEvent ev;
            ev.Type = UIEVENT_WINDOWSIZE;
            ev.dwTimestamp = GetTickCount();
            m_pFocus->Event(ev);
        }
        NeedUpdate();
        return false;
    case WM_TIMER: {
        const TimerRecord* rec = m_timers.FindLive(m_hWnd, (unsigned)wParam);
        if (rec) {
            UiEvent ev;
            ev.Type = UIEVENT_TIMER;
            ev.pSender = (CControlUI*)rec->owner;
            ev.dwTimestamp = GetTickCount();
            ev.ptMouse = m_ptLastMousePos;
            ev.wParam = (WPARAM)rec->localId;
            ((CControlUI*)rec->owner)->Event(ev);
        }
        return true;
    }
    case WM_MOUSEHOVER:
        return false;
    case WM_MOUSELEAVE:
        m_bMouseTracking = false;
        if (m_pEventHover) {
            POINT pt;
            ::GetCursorPos(&pt);
            ::ScreenToClient(m_hWnd, &pt);
            RECT rc;
            ::GetClientRect(m_hWnd, &rc);
            if (!::PtInRect(&rc, pt) || !m_bMouseCapture) {
                UiEvent ev;
                ev.Type = UIEVENT_MOUSELEAVE;
                ev.ptMouse = {-1, -1};
                ev.dwTimestamp = GetTickCount();
                CControlUI* c = m_pEventHover;
                m_pEventHover = nullptr;
                m_ptLastMousePos = {-1, -1};
                c->Event(ev);
            }
        }
        return false;
    case WM_MOUSEMOVE: {
        if (!m_bMouseTracking) {
            TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
            m_bMouseTracking = true;
        }
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        m_ptLastMousePos = pt;
        UiEvent ev;
        ev.ptMouse = pt;
        ev.wParam = wParam;
        ev.lParam = lParam;
        ev.dwTimestamp = GetTickCount();
        ev.wKeyState = (WORD)wParam;
        if (m_bMouseCapture && m_pEventClick) {
            ev.Type = UIEVENT_MOUSEMOVE;
            ev.pSender = m_pEventClick;
            m_pEventClick->Event(ev);
            return false;
        }
        CControlUI* c = FindControlAt(pt);
        if (c != m_pEventHover) {
            if (m_pEventHover) {
                ev.Type = UIEVENT_MOUSELEAVE;
                ev.pSender = m_pEventHover;
                CControlUI* old = m_pEventHover;
                m_pEventHover = nullptr;
                old->Event(ev);
            }
            if (c) {
                m_pEventHover = c;
                ev.Type = UIEVENT_MOUSEENTER;
                ev.pSender = c;
                c->Event(ev);
            }
        }
        if (m_pEventHover) {
            ev.Type = UIEVENT_MOUSEMOVE;
            ev.pSender = m_pEventHover;
            m_pEventHover->Event(ev);
        }
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        ::SetFocus(m_hWnd);
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        m_ptLastMousePos = pt;
        CControlUI* c = FindControlAt(pt);
        if (!c) return false;
        m_pEventClick = c;
        if (uMsg == WM_LBUTTONDOWN) SetFocus(c);
        ::SetCapture(m_hWnd);
        m_bMouseCapture = true;
        UiEvent ev;
        ev.Type = uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK;
        ev.pSender = c;
        ev.ptMouse = pt;
        ev.wParam = wParam;
        ev.lParam = lParam;
        ev.wKeyState = (WORD)wParam;
        ev.dwTimestamp = GetTickCount();
        if (m_pEventClick == c) c->Event(ev);
        return false;
    }
    case WM_LBUTTONUP: {
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        m_ptLastMousePos = pt;
        if (m_bMouseCapture) {
            m_bMouseCapture = false;
            ::ReleaseCapture();
        }
        if (!m_pEventClick) return false;
        UiEvent ev;
        ev.Type = UIEVENT_BUTTONUP;
        ev.pSender = m_pEventClick;
        ev.ptMouse = pt;
        ev.wParam = wParam;
        ev.lParam = lParam;
        ev.wKeyState = (WORD)wParam;
        ev.dwTimestamp = GetTickCount();
        CControlUI* c = m_pEventClick;
        m_pEventClick = nullptr;
        c->Event(ev);
        return false;
    }
    case WM_CAPTURECHANGED:
        if (m_bMouseCapture && (HWND)lParam != m_hWnd) {
            m_bMouseCapture = false;
            if (m_pEventClick) {
                UiEvent ev;
                ev.Type = UIEVENT_BUTTONUP;
                ev.ptMouse = {-1, -1};
                ev.dwTimestamp = GetTickCount();
                CControlUI* c = m_pEventClick;
                m_pEventClick = nullptr;
                c->Event(ev);
            }
        }
        return false;
    case WM_CONTEXTMENU: {
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ScreenToClient(m_hWnd, &pt);
        CControlUI* c = FindControlAt(pt);
        if (!c) return false;
        UiEvent ev;
        ev.Type = UIEVENT_CONTEXTMENU;
        ev.pSender = c;
        ev.ptMouse = pt;
        ev.wParam = wParam;
        ev.lParam = (LPARAM)c;
        ev.dwTimestamp = GetTickCount();
        c->Event(ev);
        return false;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
        if (!m_pFocus) return false;
        UiEvent ev;
        ev.Type = uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN : uMsg == WM_KEYUP ? UIEVENT_KEYUP : UIEVENT_CHAR;
        ev.pSender = m_pFocus;
        ev.chKey = (wchar_t)wParam;
        ev.wParam = wParam;
        ev.lParam = lParam;
        ev.ptMouse = m_ptLastMousePos;
        ev.wKeyState = 0;
        ev.dwTimestamp = GetTickCount();
        m_pFocus->Event(ev);
        return false;
    }
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT) return false;
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        CControlUI* c = FindControlAt(pt);
        if (!c) return false;
        UiEvent ev;
        ev.Type = UIEVENT_SETCURSOR;
        ev.pSender = c;
        ev.ptMouse = pt;
        ev.wParam = wParam;
        ev.lParam = lParam;
        ev.dwTimestamp = GetTickCount();
        c->Event(ev);
        lRes = TRUE;
        return true;
    }
    case WM_MOUSEWHEEL: {
        if (!m_pFocus) return false;
        UiEvent ev;
        ev.Type = UIEVENT_SCROLLWHEEL;
        ev.pSender = m_pFocus;
        ev.wParam = wParam;
        ev.lParam = lParam;
        ev.dwTimestamp = GetTickCount();
        m_pFocus->Event(ev);
        return false;
    }
    default:
        return false;
    }
}

}  // namespace SkinUI
