// Real skinned windows under the X display: the main skin with its round
// region and drop shadow, caption hit test and drag, Escape, a modal prompt
// over its owner with the prompt result codes, the native edit box.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/AttrSyntax.h"
#include "ui/EditUI.h"
#include "ui/SequenceButtonUI.h"
#include "ui/SequenceLabelUI.h"
#include "ui/SkinFrame.h"
#include "ui/WndShadow.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"

using namespace SkinUI;

namespace {

const DWORD kFrameStyle = 0x10CF0000;

// A frame that records its notifications and answers like the installer's prompts.
class TestFrame : public CSkinFrame {
public:
    explicit TestFrame(const FrameSpec& spec) : CSkinFrame(spec) {}
    CControlUI* MakeCustomControl(const wchar_t* cls) override {
        if (EqualsNoCase(cls, L"SequenceLabel")) return new CSequenceLabelUI();
        if (EqualsNoCase(cls, L"SequenceButton")) return new CSequenceButtonUI();
        return nullptr;
    }
    void OnNotification(NotifyMessage& m) override {
        notes.push_back(m.sType + L":" + (m.pSender ? m.pSender->GetName() : L""));
        if (m.sType == L"timer") timerParams.push_back((int)m.wParam);
        CSkinFrame::OnNotification(m);
    }
    void OnButtonClick(NotifyMessage& m) override {
        std::wstring name = m.pSender->GetName();
        if (name == L"okBtn") {
            EndWindow(1);
            result = 0;
        } else if (name == L"cancelBtn") {
            EndWindow(1);
            result = 1;
        } else {
            CSkinFrame::OnButtonClick(m);
            result = 2;
        }
    }
    int Count(const std::wstring& note) const {
        int n = 0;
        for (const auto& s : notes) n += s == note;
        return n;
    }
    std::vector<std::wstring> notes;
    std::vector<int> timerParams;
    int result = 1;
};

void Pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while ((int)(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CControlManagerUI::TranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(10);
    }
}

std::wstring OutPath(const char* file) {
    const char* b = std::getenv("QV_BUILD_DIR");
    std::string p = std::string(b ? b : ".") + "/" + file;
    std::wstring w = L"Z:";
    for (char c : p) w.push_back(c == '/' ? L'\\' : (wchar_t)c);
    return w;
}

void AppendBytes(void* ctx, void* data, int size) { std::fwrite(data, 1, (size_t)size, (FILE*)ctx); }

// Screen pixels of a rectangle (0x00RRGGBB), also written as a PNG to look at.
std::vector<uint32_t> Grab(const RECT& rc, const char* file) {
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, hbm);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> px((uint32_t*)bits, (uint32_t*)bits + (size_t)w * h);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(hbm);
    ReleaseDC(nullptr, screen);
    std::vector<uint8_t> rgba(px.size() * 4);
    for (size_t i = 0; i < px.size(); ++i) {
        rgba[i * 4] = (px[i] >> 16) & 0xFF;
        rgba[i * 4 + 1] = (px[i] >> 8) & 0xFF;
        rgba[i * 4 + 2] = px[i] & 0xFF;
        rgba[i * 4 + 3] = 255;
        px[i] &= 0xFFFFFF;
    }
    FILE* f = _wfopen(OutPath(file).c_str(), L"wb");
    if (f) {
        stbi_write_png_to_func(AppendBytes, f, w, h, 4, rgba.data(), w * 4);
        std::fclose(f);
    }
    return px;
}

POINT ScreenCentre(HWND hwnd, CControlUI* c) {
    RECT r = c->GetPos();
    POINT pt = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(hwnd, &pt);
    return pt;
}

POINT g_dragFrom;

DWORD WINAPI DragInput(LPVOID) {
    SetCursorPos(g_dragFrom.x, g_dragFrom.y);
    Sleep(150);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(150);
    for (int i = 1; i <= 10; ++i) {
        SetCursorPos(g_dragFrom.x + 4 * i, g_dragFrom.y + 3 * i);
        Sleep(30);
    }
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    return 0;
}

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CWndShadow::Initialize(GetModuleHandleW(nullptr)); }
};

}  // namespace

TEST_F(WindowTest, MainSkinOpensWithRegionShadowAndTimers) {
    TestFrame main(FrameSpec::ForSkin(L"MainWnd.xml"));
    ASSERT_NE(main.Create(nullptr, L"Sonavex", kFrameStyle, 0), nullptr);
    main.CenterOnOwner();
    main.ShowWindow();
    Pump(800);
    // QV_UI_HOLD_MS keeps the window up for an outside screenshot.
    if (const char* hold = std::getenv("QV_UI_HOLD_MS")) Pump((DWORD)std::atoi(hold));
    HWND h = main.GetHWND();
    RECT wr;
    GetWindowRect(h, &wr);
    EXPECT_EQ(wr.right - wr.left, 600);
    EXPECT_EQ(wr.bottom - wr.top, 400);
    EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & WS_CAPTION);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(h, rgn), ERROR);
    DeleteObject(rgn);
    EXPECT_EQ(main.Count(L"windowinit:winCtn"), 1);
    // The progress animation runs from the start: "timer" with 2100 per frame.
    EXPECT_GE(main.timerParams.size(), 5u);
    if (main.timerParams.empty())
        for (const auto& n : main.notes) std::fprintf(stderr, "note %ls\n", n.c_str());
    for (int id : main.timerParams) EXPECT_EQ(id, 2100);

    HWND shadow = main.Shadow().GetHWND();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_TRUE(GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(GetWindow(shadow, GW_OWNER), h);
    RECT sr;
    GetWindowRect(shadow, &sr);
    EXPECT_EQ(sr.left, wr.left + 1 - 6);
    EXPECT_EQ(sr.top, wr.top + 1 - 6);
    EXPECT_EQ(sr.right - sr.left, 612);
    EXPECT_EQ(sr.bottom - sr.top, 412);

    RECT grab = {wr.left - 10, wr.top - 10, wr.right + 10, wr.bottom + 10};
    std::vector<uint32_t> px = Grab(grab, "ui-window-main.png");
    int gw = grab.right - grab.left;
    // The window's own pixels: the light background picture, the blue install button.
    uint32_t bg = px[(size_t)(10 + 200) * gw + 10 + 50];
    EXPECT_GT((bg >> 16) & 0xFF, 0xC0u);
    uint32_t btn = px[(size_t)(10 + 250) * gw + 10 + 300];
    EXPECT_GT(btn & 0xFF, ((btn >> 16) & 0xFF) + 0x40);

    // Minimizing hides the shadow; restoring shows it again.
    ShowWindow(h, SW_MINIMIZE);
    Pump(300);
    EXPECT_FALSE(IsWindowVisible(shadow));
    ShowWindow(h, SW_RESTORE);
    Pump(300);
    EXPECT_TRUE(IsWindowVisible(shadow));

    main.EndWindow(1);
    Pump(300);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(shadow));
}

TEST_F(WindowTest, CaptionHitTestDragAndEscape) {
    TestFrame main(FrameSpec::ForSkin(L"MainWnd.xml"));
    ASSERT_NE(main.Create(nullptr, L"Sonavex", kFrameStyle, 0), nullptr);
    main.CenterOnOwner();
    main.ShowWindow();
    Pump(500);
    HWND h = main.GetHWND();
    RECT wr;
    GetWindowRect(h, &wr);
    auto hit = [&](int x, int y) { return SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y)); };
    EXPECT_EQ(hit(100, 20), HTCAPTION);   // title text area
    EXPECT_EQ(hit(300, 34), HTCAPTION);   // empty area, row 34
    EXPECT_EQ(hit(300, 35), HTCLIENT);    // below the caption
    EXPECT_EQ(hit(526, 24), HTCLIENT);    // minbtn
    EXPECT_EQ(hit(574, 24), HTCLIENT);    // closebtn

    // Escape does nothing.
    PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(h, WM_KEYUP, VK_ESCAPE, 0);
    Pump(300);
    EXPECT_TRUE(IsWindow(h));

    // A real drag on the caption moves the window. The system's move loop
    // runs inside this thread's dispatch, so the input comes from another thread.
    SetForegroundWindow(h);
    g_dragFrom = POINT{wr.left + 300, wr.top + 20};
    HANDLE input = CreateThread(nullptr, 0, DragInput, nullptr, 0, nullptr);
    for (int i = 0; i < 40 && WaitForSingleObject(input, 0) == WAIT_TIMEOUT; ++i) Pump(50);
    WaitForSingleObject(input, 5000);
    CloseHandle(input);
    Pump(300);
    RECT moved;
    GetWindowRect(h, &moved);
    EXPECT_EQ(moved.left - wr.left, 40);
    EXPECT_EQ(moved.top - wr.top, 30);
    EXPECT_EQ(moved.right - moved.left, 600);

    // Pressing "minbtn" minimizes and does not move the window.
    CControlUI* minbtn = main.FindByName(L"minbtn");
    ASSERT_NE(minbtn, nullptr);
    POINT pt = ScreenCentre(h, minbtn);
    SetCursorPos(pt.x, pt.y);
    Pump(100);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Pump(100);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Pump(400);
    RECT after;
    GetWindowRect(h, &after);
    EXPECT_TRUE(IsIconic(h));
    main.EndWindow(1);
    Pump(200);
}

namespace {
struct ModalCase {
    const wchar_t* button;
    int result;
};
TestFrame* g_prompt = nullptr;
HWND g_owner = nullptr;
const wchar_t* g_button = nullptr;
bool g_ownerDisabled = false;
bool g_aliveAfterEscape = false;

void CALLBACK ClickLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_ownerDisabled = !IsWindowEnabled(g_owner);
    HWND p = g_prompt->GetHWND();
    PostMessageW(p, WM_KEYDOWN, VK_ESCAPE, 0);
    g_aliveAfterEscape = true;
    CControlUI* c = g_prompt->FindByName(g_button);
    if (!c) return;
    RECT r = c->GetPos();
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(p, WM_MOUSEMOVE, 0, at);
    PostMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(p, WM_LBUTTONUP, 0, at);
}
void CALLBACK ShootLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    RECT r;
    GetWindowRect(g_owner, &r);
    InflateRect(&r, 10, 10);
    Grab(r, "ui-window-prompt.png");
}
}  // namespace

TEST_F(WindowTest, ModalPromptDisablesOwnerAndReturnsCodes) {
    TestFrame main(FrameSpec::ForSkin(L"MainWnd.xml"));
    ASSERT_NE(main.Create(nullptr, L"Sonavex", kFrameStyle, 0), nullptr);
    main.CenterOnOwner();
    main.ShowWindow();
    Pump(300);
    const ModalCase cases[] = {{L"okBtn", 0}, {L"cancelBtn", 1}, {L"closebtn", 2}};
    bool shot = false;
    for (const ModalCase& c : cases) {
        TestFrame prompt(FrameSpec::ForSkin(L"ExitTipWnd.xml"));
        ASSERT_NE(prompt.Create(main.GetHWND(), L"消息框", kFrameStyle, 0), nullptr);
        prompt.CenterOnOwner();
        RECT pr, mr;
        GetWindowRect(prompt.GetHWND(), &pr);
        GetWindowRect(main.GetHWND(), &mr);
        EXPECT_EQ(pr.left, (mr.left + mr.right) / 2 - 180);
        EXPECT_EQ(pr.top, (mr.top + mr.bottom) / 2 - 90);
        g_prompt = &prompt;
        g_owner = main.GetHWND();
        g_button = c.button;
        g_ownerDisabled = false;
        SetTimer(nullptr, 0, shot ? 300 : 900, ClickLater);
        if (!shot) {
            // Take a picture of prompt over owner half-way through the first run.
            SetTimer(nullptr, 0, 600, ShootLater);
        }
        UINT code = prompt.RunModal();
        shot = true;
        EXPECT_EQ(code, 1u) << c.button;
        EXPECT_EQ(prompt.result, c.result) << c.button;
        EXPECT_TRUE(g_ownerDisabled) << c.button;
        EXPECT_TRUE(g_aliveAfterEscape);
        EXPECT_TRUE(IsWindowEnabled(main.GetHWND()));
        EXPECT_FALSE(IsWindow(prompt.GetHWND()));
        EXPECT_EQ(prompt.Count(std::wstring(L"click:") + c.button), 1);
    }
    main.EndWindow(1);
    Pump(200);
}

TEST_F(WindowTest, EndWindowOnAGoneWindowDoesNothing) {
    TestFrame w(FrameSpec::ForSkin(L"MessageBox1Wnd.xml"));
    ASSERT_NE(w.Create(nullptr, L"消息框", kFrameStyle, 0), nullptr);
    w.EndWindow(7);
    EXPECT_EQ(w.RunModal(), 7u);
    w.EndWindow(3);  // gone: nothing happens
    EXPECT_EQ(w.RunModal(), 0u);
}

TEST_F(WindowTest, NativeEditBoxNotifies) {
    FrameSpec spec;
    spec.resourceKind = kSkinArchiveResource;
    spec.resourceId = 147;
    spec.windowClassName = L"EditTestWnd";
    spec.skinFile =
        L"<Window size=\"300,120\" caption=\"0,0,0,20\"><VerticalLayout><Control height=\"20\"/>"
        L"<Edit name=\"e\" height=\"30\" textpadding=\"4,3,4,3\"/><TabLayout name=\"t\"><Control/>"
        L"<VerticalLayout><Edit name=\"hidden\" height=\"30\"/></VerticalLayout></TabLayout></VerticalLayout></Window>";
    TestFrame w(spec);
    ASSERT_NE(w.Create(nullptr, L"edit", kFrameStyle, 0), nullptr);
    w.ShowWindow();
    Pump(300);
    auto* e = static_cast<CEditUI*>(w.FindByName(L"e"));
    ASSERT_NE(e, nullptr);
    e->SetFocus();
    Pump(100);
    HWND box = e->GetNativeEditHWND();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetParent(box), w.GetHWND());
    for (wchar_t ch : std::wstring(L"abc")) SendMessageW(box, WM_CHAR, ch, 1);
    EXPECT_EQ(w.Count(L"textchanged:e"), 3);
    EXPECT_EQ(e->GetText(), L"abc");
    SendMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(box, WM_CHAR, VK_RETURN, 1);
    EXPECT_EQ(w.Count(L"return:e"), 1);
    EXPECT_EQ(e->GetText(), L"abc");
    e->SetText(L"Z:\\Program Files");
    wchar_t buf[64] = {};
    GetWindowTextW(box, buf, 64);
    EXPECT_STREQ(buf, L"Z:\\Program Files");
    // Escape inside the box is swallowed by the frame too.
    MSG esc = {box, WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_TRUE(CControlManagerUI::TranslateMessage(&esc));
    // An edit on a hidden tab page gets an empty box rectangle.
    RECT hr = CEditWnd::BoxRect(static_cast<CEditUI*>(w.FindByName(L"hidden")));
    EXPECT_TRUE(IsRectEmpty(&hr));
    // Focus elsewhere closes the box and keeps the text.
    w.Manager().SetFocus(nullptr);
    SetFocus(w.GetHWND());
    Pump(100);
    EXPECT_EQ(e->GetNativeEditHWND(), nullptr);
    EXPECT_EQ(e->GetText(), L"Z:\\Program Files");
    w.EndWindow(1);
    Pump(200);
}

TEST_F(WindowTest, CenterOnOwnerStaysInsideTheWorkArea) {
    TestFrame main(FrameSpec::ForSkin(L"MainWnd.xml"));
    ASSERT_NE(main.Create(nullptr, L"Sonavex", kFrameStyle, 0), nullptr);
    main.ShowWindow();
    Pump(200);
    MONITORINFO mi = {sizeof mi};
    GetMonitorInfoW(MonitorFromWindow(main.GetHWND(), MONITOR_DEFAULTTONEAREST), &mi);
    const RECT work = mi.rcWork;
    // Owner mostly past the right edge: the prompt is moved left to fit.
    SetWindowPos(main.GetHWND(), nullptr, work.right - 200, work.top + 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump(100);
    TestFrame prompt(FrameSpec::ForSkin(L"NetworkTipWnd.xml"));
    ASSERT_NE(prompt.Create(main.GetHWND(), L"消息框", kFrameStyle, 0), nullptr);
    prompt.CenterOnOwner();
    RECT pr;
    GetWindowRect(prompt.GetHWND(), &pr);
    EXPECT_EQ(pr.right, work.right);
    EXPECT_EQ(pr.top, work.top + 100 + 200 - 90);
    // A minimized owner: centred on the work area.
    ShowWindow(main.GetHWND(), SW_MINIMIZE);
    Pump(200);
    prompt.CenterOnOwner();
    GetWindowRect(prompt.GetHWND(), &pr);
    EXPECT_EQ(pr.left, (work.left + work.right) / 2 - 180);
    EXPECT_EQ(pr.top, (work.top + work.bottom) / 2 - 90);
    prompt.EndWindow(1);
    main.EndWindow(1);
    Pump(200);
}
