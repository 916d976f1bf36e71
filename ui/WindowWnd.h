// Native window wrapper: class registration, creation, the link between
// handle and object, modal run, close with a code, centring on the owner.
#pragma once

#include <windows.h>

namespace SkinUI {

class CWindowWnd {
public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    HWND Create(HWND hwndParent, const wchar_t* pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
                int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT);
    void ShowWindow(bool bShow = true, bool bTakeFocus = true);
    // Shows the window, disables the owner and runs messages until the
    // window is gone; returns the code of its close message (0 if none).
    UINT RunModal();
    // Posts a close message carrying the code (nothing if the window is gone).
    void EndWindow(UINT nRet = 1);
    void CenterOnOwner();
    void SetIcon(UINT nRes);
    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    virtual const wchar_t* WindowClassName() const = 0;
    virtual const wchar_t* GetSuperClassName() const { return nullptr; }
    virtual UINT GetClassStyle() const { return 0; }
    virtual LRESULT OnWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnWindowGone(HWND hWnd);

    bool RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    WNDPROC m_OldWndProc = nullptr;
    bool m_bSubclassed = false;
};

}  // namespace SkinUI
