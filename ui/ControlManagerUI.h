// One per window: the control tree, the name index, focus, hover and
// press tracking, timers, notifications, fonts, pictures and the window
// attributes of the skin.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/ControlUI.h"
#include "ui/DrawKit.h"
#include "ui/FontInfo.h"
#include "ui/TimerTable.h"
#include "ui/UIDefs.h"

namespace SkinUI {

class COptionUI;

class CControlManagerUI {
public:
    CControlManagerUI();
    ~CControlManagerUI();
    CControlManagerUI(const CControlManagerUI&) = delete;
    CControlManagerUI& operator=(const CControlManagerUI&) = delete;

    // Binds the manager to a window (nullptr: off-screen use, e.g. SkinShot).
    void Init(HWND hWnd);
    HWND GetPaintWindow() const { return m_hWnd; }
    // A drawing context for measuring text (the window's, or a memory one).
    HDC GetPaintDC() const { return m_hMeasureDC; }

    // Makes the tree the window's content: focus dropped, manager and parent
    // given to every control, initialisation, name index, layout requested.
    bool AttachRoot(CControlUI* root);
    CControlUI* GetRoot() const { return m_pRoot; }
    // Initialises a subtree added later (used by containers).
    void InitControls(CControlUI* control, CControlUI* parent);
    // Deletes the control tree (after the native window is gone).
    void ReleaseTree();
    // A control is being destroyed: forget every reference to it.
    void ReleaseControl(CControlUI* control);

    CControlUI* FindByName(const std::wstring& name) const;
    CControlUI* FindControlAt(POINT pt) const;

    void AddNotifier(INotifyUI* receiver);
    void RemoveNotifier(INotifyUI* receiver);
    void AddPreMessageFilter(IMessageFilterUI* filter);
    void RemovePreMessageFilter(IMessageFilterUI* filter);

    void RaiseNotification(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0,
                           bool delayed = false);

    bool StartControlTimer(CControlUI* control, int localId, UINT elapse);
    bool StopControlTimer(CControlUI* control, int localId);
    const TimerTable& Timers() const { return m_timers; }

    void SetFocus(CControlUI* control);
    CControlUI* GetFocus() const { return m_pFocus; }
    CControlUI* GetHover() const { return m_pEventHover; }

    // Window attributes of the skin's Window element.
    void SetWindowAttribute(const wchar_t* name, const wchar_t* value);
    // A window attribute the manager does not interpret (shadow settings...).
    const std::wstring* GetCustomWindowAttribute(const std::wstring& name) const;
    SIZE GetInitSize() const { return m_szInitWindowSize; }
    RECT GetCaptionRect() const { return m_rcCaption; }
    SIZE GetRoundCorner() const { return m_szRoundCorner; }
    RECT GetSizeBox() const { return m_rcSizeBox; }
    SIZE GetMinInfo() const { return m_szMinWindow; }
    SIZE GetMaxInfo() const { return m_szMaxWindow; }

    // Fonts: the window's table, then the shared table, then the default font.
    void AddFont(int id, const std::wstring& face, int size, bool bold, bool underline, bool italic, bool isDefault,
                 bool shared);
    const FontInfo* GetFontInfo(int index) const;
    HFONT GetFont(int index) const;
    const FontInfo* GetDefaultFontInfo() const { return &m_defaultFont; }
    DWORD GetDefaultTextColor() const { return m_dwDefaultFontColor; }
    DWORD GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }

    // Picture cache of this window by file name (the first load's mask decides).
    ImageInfo* GetImage(const std::wstring& name, const std::wstring& type, DWORD mask);

    void AddDefaultAttributeList(const std::wstring& className, const std::wstring& list);
    const std::wstring* GetDefaultAttributeList(const std::wstring& className) const;

    void AddOptionGroup(const std::wstring& group, COptionUI* option);
    void RemoveOptionGroup(const std::wstring& group, COptionUI* option);
    std::vector<COptionUI*> GetOptionGroup(const std::wstring& group) const;

    void NeedUpdate();
    void Invalidate(const RECT& rc);
    // Lays the tree out at w by h if a layout is pending (sends "windowinit" after the first).
    void LayoutIfNeeded(int w, int h);
    // Lays out if needed and paints the area into hdc (window paint and SkinShot share this).
    void PaintTo(HDC hdc, const RECT& rcPaint, int width, int height);
    POINT GetMousePos() const { return m_ptLastMousePos; }

    // The window's message handling for painting, input, timers and
    // delayed notifications; true when handled (result in lRes).
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // Runs the pre-filters of this window; true when one swallowed it.
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // Offers a queued message to the pre-filters of the window it is for
    // (or whose child it is for); true when it must not be dispatched.
    static bool TranslateMessage(const MSG* msg);

private:
    void BuildNameIndex();
    void DrainDelayed();
    void EndHoverAndPress();
    void ClearTimers();

    HWND m_hWnd = nullptr;
    HDC m_hMeasureDC = nullptr;
    bool m_bOwnMeasureDC = false;
    CControlUI* m_pRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    std::map<std::wstring, CControlUI*> m_names;
    std::vector<INotifyUI*> m_notifiers;
    std::vector<IMessageFilterUI*> m_preFilters;
    TimerTable m_timers;
    std::vector<NotifyMessage> m_delayed;
    std::map<int, std::unique_ptr<FontInfo>> m_fonts;
    FontInfo m_defaultFont;
    std::map<std::wstring, std::unique_ptr<ImageInfo>> m_images;
    std::map<std::wstring, std::wstring> m_defaultAttrs;
    std::map<std::wstring, std::vector<COptionUI*>> m_optionGroups;
    std::map<std::wstring, std::wstring> m_customWindowAttrs;
    SIZE m_szInitWindowSize = {0, 0};
    RECT m_rcCaption = {0, 0, 0, 0};
    SIZE m_szRoundCorner = {0, 0};
    RECT m_rcSizeBox = {0, 0, 0, 0};
    SIZE m_szMinWindow = {0, 0}, m_szMaxWindow = {0, 0};
    DWORD m_dwDefaultFontColor = 0xFF000000, m_dwDefaultDisabledColor = 0xFFA7A6AA;
    DWORD m_dwDefaultLinkColor = 0xFF0000FF, m_dwDefaultLinkHoverColor = 0xFFD3215F,
          m_dwDefaultSelectedBkColor = 0xFFBAE4FF;
    bool m_bUpdateNeeded = false, m_bFirstLayout = true, m_bMouseTracking = false, m_bMouseCapture = false;
    POINT m_ptLastMousePos = {-1, -1};
    HBITMAP m_hOffscreen = nullptr;
    void* m_pOffscreenBits = nullptr;
    int m_offW = 0, m_offH = 0;
};

}  // namespace SkinUI
