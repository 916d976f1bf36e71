// The skinned window: removes the system frame, builds the skin on
// creation, routes messages to the control manager, sends "click"
// notifications to OnButtonClick and treats "closebtn"/"minbtn" itself.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/ControlManagerUI.h"
#include "ui/WindowWnd.h"

namespace SkinUI {

enum ResourceKind { kSkinFiles = 1, kSkinArchiveFile = 2, kSkinMarkupResource = 3, kSkinArchiveResource = 4 };

// Pairs notification types (and optionally a sender name) with handlers;
// an entry naming the sender wins over one without a name.
class CNotifyPump {
public:
    using Handler = std::function<void(NotifyMessage&)>;
    void AddNotifyHandler(const std::wstring& type, const std::wstring& controlName, Handler handler);
    bool LoopDispatch(NotifyMessage& msg);

private:
    struct Entry {
        std::wstring type, name;
        Handler handler;
    };
    std::vector<Entry> m_entries;
};

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    virtual void OnWindowReady() {}
    virtual void OnButtonClick(NotifyMessage& msg);
    virtual std::wstring SkinFolder() const { return std::wstring(); }
    virtual std::wstring SkinFile() const = 0;
    virtual LRESULT OnDefaultKey(WPARAM wParam);
    virtual ResourceKind SkinResourceKind() const { return kSkinFiles; }
    virtual std::wstring ArchiveFileName() const { return std::wstring(); }
    virtual int SkinResourceId() const { return 0; }

    void OnNotification(NotifyMessage& msg) override;
    LRESULT PreFilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    CControlUI* MakeCustomControl(const wchar_t* pstrClass) override;

    CControlManagerUI& Manager() { return m_pm; }
    CControlUI* FindByName(const std::wstring& name) const { return m_pm.FindByName(name); }

protected:
    virtual LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnNcActivate(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnNcCalcSize(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnNcPaint(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnNcHitTest(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnGetMinMaxInfo(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnMouseWheel(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnMouseHover(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnChar(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnKillFocus(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LRESULT OnCustomMessage(UINT, WPARAM, LPARAM, BOOL& bHandled);
    virtual LONG GetStyle();

    UINT GetClassStyle() const override { return CS_DBLCLKS; }
    LRESULT OnWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone(HWND hWnd) override;

    CControlManagerUI m_pm;
};

}  // namespace SkinUI
