// Shared types of the Win32 toolkit: input events, notifications and the
// interfaces a window implements to receive them.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Geometry.h"

namespace SkinUI {

class CControlUI;

enum UiEventType {
    UIEVENT_KEYDOWN = 1,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SYSKEY,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETFOCUS,
    UIEVENT_WINDOWSIZE,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,
    UIEVENT_NOTIFY,
    UIEVENT_COMMAND,
};

struct UiEvent {
    int Type = 0;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    wchar_t chKey = 0;
    WORD wKeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// What a window receives from its controls.
struct NotifyMessage {
    std::wstring sType;
    std::wstring sVirtualWnd;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void OnNotification(NotifyMessage& msg) = 0;
};

// Sees every native message of the window before it is dispatched.
class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT PreFilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// Makes controls for element names the builder does not know.
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    virtual CControlUI* MakeCustomControl(const wchar_t* pstrClass) = 0;
};

class IContainerUI {
public:
    virtual ~IContainerUI() = default;
    virtual CControlUI* GetItemAt(int iIndex) const = 0;
    virtual int GetItemIndex(CControlUI* pControl) const = 0;
    virtual bool SetItemIndex(CControlUI* pControl, int iIndex) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI* pControl) = 0;
    virtual bool AddAt(CControlUI* pControl, int iIndex) = 0;
    virtual bool Remove(CControlUI* pControl) = 0;
    virtual bool RemoveAt(int iIndex) = 0;
    virtual void RemoveAll() = 0;
};

inline RECT ToRECT(const UiRect& r) {
    RECT rc = {r.left, r.top, r.right, r.bottom};
    return rc;
}
inline UiRect ToUiRect(const RECT& r) { return MakeRect(r.left, r.top, r.right, r.bottom); }

// Colour 0xAARRGGBB to a GDI colour reference (alpha dropped).
inline COLORREF ToColorRef(DWORD argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// Private window message on which delayed notifications are drained.
const UINT WM_SKINUI_DELAYED_NOTIFY = WM_APP + 1;

}  // namespace SkinUI
