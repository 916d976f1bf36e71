// Controls built from markup with a window-less manager: notifications of
// buttons, check boxes, tabs and progress bars, label metrics, the skins'
// layout, drawing of pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ButtonUI.h"
#include "ui/ControlManagerUI.h"
#include "ui/OptionUI.h"
#include "ui/ProgressUI.h"
#include "ui/SequenceLabelUI.h"
#include "ui/SkinArchive.h"
#include "ui/SkinBuilder.h"
#include "ui/SkinResource.h"
#include "ui/TabLayoutUI.h"

using namespace SkinUI;

namespace {

struct Recorder : INotifyUI {
    std::vector<std::wstring> log;
    std::vector<NotifyMessage> msgs;
    void OnNotification(NotifyMessage& m) override {
        log.push_back(m.sType + L":" + (m.pSender ? m.pSender->GetName() : L""));
        msgs.push_back(m);
    }
};

struct Callback : IDialogBuilderCallback {
    CControlUI* MakeCustomControl(const wchar_t* cls) override {
        if (std::wstring(cls) == L"SequenceLabel") return new CSequenceLabelUI();
        return nullptr;
    }
};

class Built {
public:
    explicit Built(const std::wstring& skin) {
        root = builder.Create(skin, &cb, &pm);
        if (root) pm.AttachRoot(root);
        pm.AddNotifier(&rec);
        SIZE s = pm.GetInitSize();
        pm.LayoutIfNeeded(s.cx ? s.cx : 300, s.cy ? s.cy : 200);
        initLog = rec.log;
        rec.log.clear();
        rec.msgs.clear();
    }
    template <class T>
    T* Find(const wchar_t* name) {
        CControlUI* c = pm.FindByName(name);
        return c ? static_cast<T*>(c) : nullptr;
    }
    CControlManagerUI pm;
    Callback cb;
    CSkinBuilder builder;
    CControlUI* root = nullptr;
    Recorder rec;
    std::vector<std::wstring> initLog;  // what the first layout sent
};

UiEvent Mouse(int type, POINT pt) {
    UiEvent e;
    e.Type = type;
    e.ptMouse = pt;
    return e;
}

POINT Centre(CControlUI* c) {
    RECT r = c->GetPos();
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

const wchar_t* kButtons =
    L"<Window size=\"300,100\"><HorizontalLayout><Button name=\"b\" width=\"100\"/><CheckBox name=\"cb\" "
    L"width=\"80\"/><Button name=\"off\" width=\"50\" enabled=\"false\"/><Progress name=\"p\" width=\"520\"/>"
    L"</HorizontalLayout></Window>";

}  // namespace

TEST(Controls, ClickNeedsPressAndReleaseInside) {
    Built w(kButtons);
    ASSERT_NE(w.root, nullptr);
    CButtonUI* b = w.Find<CButtonUI>(L"b");
    ASSERT_NE(b, nullptr);
    POINT in = Centre(b), out = {250, 50};
    UiEvent down = Mouse(UIEVENT_BUTTONDOWN, in), move = Mouse(UIEVENT_MOUSEMOVE, out),
            up = Mouse(UIEVENT_BUTTONUP, out);
    b->Event(down);
    EXPECT_TRUE(b->GetButtonState() & CButtonUI::kPushed);
    b->Event(move);
    EXPECT_FALSE(b->GetButtonState() & CButtonUI::kPushed);
    EXPECT_TRUE(b->GetButtonState() & CButtonUI::kCaptured);
    b->Event(up);
    EXPECT_TRUE(w.rec.log.empty());
    // Dragging back in before releasing clicks.
    UiEvent back = Mouse(UIEVENT_MOUSEMOVE, in), upIn = Mouse(UIEVENT_BUTTONUP, in);
    b->Event(down);
    b->Event(move);
    b->Event(back);
    b->Event(upIn);
    EXPECT_EQ(w.rec.log, std::vector<std::wstring>{L"click:b"});
    // Space and Return activate.
    UiEvent key;
    key.Type = UIEVENT_KEYDOWN;
    key.chKey = VK_SPACE;
    b->Event(key);
    key.chKey = VK_RETURN;
    b->Event(key);
    EXPECT_EQ(w.rec.log.size(), 3u);
}

TEST(Controls, DisabledAndHiddenButtonsDoNotClick) {
    Built w(kButtons);
    CButtonUI* off = w.Find<CButtonUI>(L"off");
    ASSERT_NE(off, nullptr);
    UiEvent down = Mouse(UIEVENT_BUTTONDOWN, Centre(off)), up = Mouse(UIEVENT_BUTTONUP, Centre(off));
    off->Event(down);
    off->Event(up);
    EXPECT_FALSE(off->Activate());
    CButtonUI* b = w.Find<CButtonUI>(L"b");
    b->SetVisible(false);
    EXPECT_FALSE(b->Activate());
    EXPECT_TRUE(w.rec.log.empty());
}

TEST(Controls, HoverNotifiesEnterAndLeave) {
    Built w(kButtons);
    CButtonUI* b = w.Find<CButtonUI>(L"b");
    UiEvent enter = Mouse(UIEVENT_MOUSEENTER, Centre(b)), leave = Mouse(UIEVENT_MOUSELEAVE, POINT{-1, -1});
    b->Event(enter);
    EXPECT_TRUE(b->GetButtonState() & CButtonUI::kHot);
    b->Event(leave);
    EXPECT_EQ(w.rec.log, (std::vector<std::wstring>{L"mouseenter:b", L"mouseleave:b"}));
}

TEST(Controls, CheckBoxClickThenSelectChanged) {
    Built w(kButtons);
    CCheckBoxUI* cb = w.Find<CCheckBoxUI>(L"cb");
    ASSERT_NE(cb, nullptr);
    EXPECT_FALSE(cb->IsChecked());
    struct Probe : INotifyUI {
        CCheckBoxUI* cb;
        bool checkedAtChange = false;
        void OnNotification(NotifyMessage& m) override {
            if (m.sType == L"selectchanged") checkedAtChange = cb->IsChecked();
        }
    } probe;
    probe.cb = cb;
    w.pm.AddNotifier(&probe);
    EXPECT_TRUE(cb->Activate());
    EXPECT_EQ(w.rec.log, (std::vector<std::wstring>{L"click:cb", L"selectchanged:cb"}));
    EXPECT_TRUE(probe.checkedAtChange);
    w.rec.log.clear();
    cb->SetChecked(true);  // unchanged: nothing
    EXPECT_TRUE(w.rec.log.empty());
    cb->SetChecked(false, false);
    EXPECT_TRUE(w.rec.log.empty());
    EXPECT_FALSE(cb->IsChecked());
    w.pm.RemoveNotifier(&probe);
}

TEST(Controls, ProgressClampsAndFillsTruncated) {
    Built w(kButtons);
    CProgressUI* p = w.Find<CProgressUI>(L"p");
    ASSERT_NE(p, nullptr);
    p->SetPos(RECT{40, 344, 560, 352}, false);
    p->SetProgress(37);
    EXPECT_EQ(p->ForeDestination().right, 192);
    p->SetProgress(250);
    EXPECT_EQ(p->ProgressValue(), 100);
    p->SetProgress(-3);
    EXPECT_EQ(p->ProgressValue(), 0);
    p->SetMinValue(50);
    p->SetMaxValue(50);  // max becomes min + 1 when drawn
    p->ForeDestination();
    EXPECT_EQ(p->GetMaxValue(), 51);
}

TEST(Controls, TabSelectNotifiesAndHides) {
    Built w(L"<Window size=\"100,100\"><TabLayout name=\"t\"><Control name=\"a\"/><Control name=\"b\"/>"
            L"<Control name=\"c\"/></TabLayout></Window>");
    auto* t = static_cast<CTabLayoutUI*>(w.pm.FindByName(L"t")->GetInterface(L"TabLayout"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->ShownChild(), 0);
    EXPECT_TRUE(w.pm.FindByName(L"a")->IsVisible());
    EXPECT_FALSE(w.pm.FindByName(L"b")->IsVisible());
    EXPECT_TRUE(t->SelectChild(2));
    EXPECT_FALSE(t->SelectChild(3));
    EXPECT_TRUE(t->SelectChild(2));
    ASSERT_FALSE(w.rec.msgs.empty());
    const NotifyMessage& m = w.rec.msgs.back();
    EXPECT_EQ(m.sType, L"tabselect");
    EXPECT_EQ(m.wParam, 2u);
    EXPECT_EQ(m.lParam, 0);
    EXPECT_FALSE(w.pm.FindByName(L"a")->IsVisible());
    EXPECT_TRUE(w.pm.FindByName(L"c")->IsVisible());
}

TEST(Controls, BuilderRulesAndWindowInit) {
    Built w(L"<Window size=\"200,100\" caption=\"0,0,0,30\" showshadow=\"true\" shadowsize=\"6\">"
            L"<Font id=\"0\" name=\"Tahoma\" size=\"14\" default=\"true\"/><Font id=\"1\" name=\"Tahoma\" size=\"20\"/>"
            L"<Font id=\"1\" name=\"Tahoma\" size=\"30\"/>"
            L"<VerticalLayout name=\"root\"><Unknown name=\"gone\"><Label name=\"inner\"/></Unknown>"
            L"<Label name=\"dup\" visible=\"True\" hotborercolor=\"#FF5A9DFD\"/><Label name=\"dup\" text=\"second\"/>"
            L"<Label name=\"big\" font=\"1\"/><Label name=\"nofont\" font=\"9\"/></VerticalLayout></Window>");
    ASSERT_NE(w.root, nullptr);
    EXPECT_EQ(w.pm.FindByName(L"gone"), nullptr);
    EXPECT_EQ(w.pm.FindByName(L"inner"), nullptr);
    CControlUI* dup = w.pm.FindByName(L"dup");
    EXPECT_EQ(dup->GetText(), L"");  // the first control with a name wins
    EXPECT_FALSE(dup->IsVisible());  // "True" is not true
    EXPECT_EQ(dup->GetCustomAttribute(L"hotborercolor"), L"#FF5A9DFD");
    EXPECT_EQ(w.pm.GetCaptionRect().bottom, 30);
    EXPECT_EQ(w.pm.GetInitSize().cx, 200);
    ASSERT_NE(w.pm.GetCustomWindowAttribute(L"ShowShadow"), nullptr);
    EXPECT_EQ(*w.pm.GetCustomWindowAttribute(L"shadowsize"), L"6");
    // The later Font with the same id wins; a missing id falls back to the default font.
    EXPECT_EQ(w.pm.GetFontInfo(1)->size, 30);
    EXPECT_EQ(w.pm.GetFontInfo(9), w.pm.GetDefaultFontInfo());
    EXPECT_EQ(w.pm.GetDefaultFontInfo()->size, 14);
    // Label without height in a vertical layout: line height + 8.
    CControlUI* big = w.pm.FindByName(L"big");
    EXPECT_EQ(big->GetHeight(), w.pm.GetFontInfo(1)->tm.tmHeight + 8);
    // "windowinit" came once, with the first layout, from the root.
    EXPECT_EQ(w.initLog, std::vector<std::wstring>{L"windowinit:root"});
}

TEST(Controls, WindowInitReachesAReceiverAddedBeforeLayout) {
    CControlManagerUI pm;
    CSkinBuilder b;
    Recorder rec;
    CControlUI* root = b.Create(L"<Window><VerticalLayout name=\"r\"/></Window>", nullptr, &pm);
    pm.AttachRoot(root);
    pm.AddNotifier(&rec);
    pm.LayoutIfNeeded(10, 10);
    pm.NeedUpdate();
    pm.LayoutIfNeeded(10, 10);
    EXPECT_EQ(rec.log, std::vector<std::wstring>{L"windowinit:r"});
}

TEST(Controls, BrokenMarkupGivesNoRoot) {
    CControlManagerUI pm;
    CSkinBuilder b;
    EXPECT_EQ(b.Create(L"<Window><Label text='x'/></Window>", nullptr, &pm), nullptr);
    EXPECT_EQ(b.Markup().ErrorMessage(), L"Expected attribute value");
}

TEST(Controls, SkinPicturesDrawWithDestAndFallBack) {
    ASSERT_TRUE(OpenSkinResource(GetModuleHandleW(nullptr), 147));
    Built w(L"MainWnd.xml");
    ASSERT_NE(w.root, nullptr);
    auto* tab = static_cast<CTabLayoutUI*>(w.pm.FindByName(L"mainTabLt")->GetInterface(L"TabLayout"));
    ASSERT_TRUE(tab->SelectChild(0));
    w.pm.LayoutIfNeeded(600, 400);
    CControlUI* custome = w.pm.FindByName(L"customeBtn");
    ASSERT_NE(custome, nullptr);
    EXPECT_EQ(custome->GetPos().left, 489);
    // Paint into a white bitmap and look at the arrow picture's area.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 600;
    bmi.bmiHeader.biHeight = -400;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, hbm);
    RECT all = {0, 0, 600, 400};
    FillRect(mem, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    w.pm.PaintTo(mem, all, 600, 400);
    GdiFlush();
    const uint32_t* px = (const uint32_t*)bits;
    // Background picture everywhere: not plain white in the middle of the window.
    int nonWhite = 0;
    for (int x = 0; x < 600; x += 10) nonWhite += (px[200 * 600 + x] & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(nonWhite, 10);
    // Something dark is drawn inside the arrow's destination (573..589, 363..379) and its text.
    int dark = 0;
    for (int y = 363; y < 379; ++y)
        for (int x = 573; x < 589; ++x) {
            uint32_t v = px[y * 600 + x];
            if (((v >> 16) & 0xFF) < 160 && ((v >> 8) & 0xFF) < 160) ++dark;
        }
    EXPECT_GT(dark, 3);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(hbm);
    // The disabled picture is missing from the package: the normal one is drawn instead (no crash, same pixels).
    CButtonUI* minbtn = w.Find<CButtonUI>(L"minbtn");
    ASSERT_NE(minbtn, nullptr);
    ImageInfo* normal = w.pm.GetImage(L"res\\common\\minbtn1.png", L"", 0);
    EXPECT_NE(normal, nullptr);
    EXPECT_EQ(w.pm.GetImage(L"res\\common\\minbtn4.png", L"", 0), nullptr);
}

TEST(Controls, SequenceLabelAttributes) {
    Built w(L"<Window><VerticalLayout><SequenceLabel name=\"s\" sequencebkimage=\"f%.3d.png\" SEQUENCECOUNT=\"26\" "
            L"sequenceloop=\"False\" sequenceround=\"false\" sequencespan=\"30\" autostart=\"true\"/>"
            L"<SequenceLabel name=\"t\" SequenceBkImage=\"x%d.png\"/></VerticalLayout></Window>");
    auto* s = static_cast<CSequenceLabelUI*>(w.pm.FindByName(L"s"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetFrameCount(), 26);
    EXPECT_TRUE(s->Frames().loop);  // "False" counts as true
    EXPECT_FALSE(s->Frames().round);
    EXPECT_EQ(s->GetFrameSpan(), 30);
    EXPECT_EQ(s->GetFramePattern(), L"f%.3d.png");
    auto* t = static_cast<CSequenceLabelUI*>(w.pm.FindByName(L"t"));
    EXPECT_EQ(t->GetFramePattern(), L"");
    EXPECT_EQ(t->GetCustomAttribute(L"SequenceBkImage"), L"x%d.png");
    // autostart: the frame timer 2100 exists once; a restart does not add another.
    ASSERT_EQ(w.pm.Timers().Records().size(), 1u);
    EXPECT_EQ(w.pm.Timers().Records()[0].localId, 2100);
    s->Restart();
    EXPECT_EQ(w.pm.Timers().Records().size(), 1u);
    s->Stop();
    EXPECT_TRUE(w.pm.Timers().Records()[0].killed);
}

namespace {
struct SkinRect {
    const wchar_t* skin;
    int page;
    const wchar_t* cls;
    const wchar_t* key;  // name, text or background picture
    RECT rc;
};

const SkinRect kSkinRects[] = {
    {L"MainWnd.xml", 0, L"VerticalLayout", L"winCtn", {0, 0, 600, 400}},
    {L"MainWnd.xml", 0, L"TabLayout", L"titleTabLt", {10, 0, 210, 45}},
    {L"MainWnd.xml", 0, L"HorizontalLayout", L"titleGrpCtn", {514, 12, 586, 36}},
    {L"MainWnd.xml", 0, L"Button", L"minbtn", {514, 12, 538, 36}},
    {L"MainWnd.xml", 0, L"Button", L"closebtn", {562, 12, 586, 36}},
    {L"MainWnd.xml", 0, L"TabLayout", L"mainTabLt", {1, 45, 599, 400}},
    {L"MainWnd.xml", 0, L"Label", L"res\\mainWnd\\logo.png", {147, 105, 453, 175}},
    {L"MainWnd.xml", 0, L"Button", L"defaultInstallBtn", {183, 225, 417, 275}},
    {L"MainWnd.xml", 0, L"Button", L"customeBtn", {489, 361, 589, 379}},
    {L"MainWnd.xml", 1, L"Label", L"res\\mainWnd\\logo.png", {147, 75, 453, 145}},
    {L"MainWnd.xml", 1, L"Label", L"\x5B89\x88C5\x8DEF\x5F84\xFF1A", {53, 189, 123, 225}},
    {L"MainWnd.xml", 1, L"Edit", L"installDirEdit", {129, 189, 469, 225}},
    {L"MainWnd.xml", 1, L"Button", L"chDirBtn", {479, 189, 560, 225}},
    {L"MainWnd.xml", 1, L"Label", L"\x5176\x4ED6\x9009\x9879\xFF1A", {53, 245, 119, 263}},
    {L"MainWnd.xml", 1, L"CheckBox", L"createDSCb", {125, 245, 263, 263}},
    {L"MainWnd.xml", 1, L"CheckBox", L"createQSCb", {283, 245, 421, 263}},
    {L"MainWnd.xml", 1, L"Button", L"customeInstallBtn", {183, 312, 417, 362}},
    {L"MainWnd.xml", 2, L"SequenceLabel", L"progressAnLb", {225, 78, 375, 228}},
    {L"MainWnd.xml", 2, L"Label", L"progressLb", {120, 300, 480, 324}},
    {L"MainWnd.xml", 2, L"Progress", L"installPrg", {40, 344, 560, 352}},
    {L"MainWnd.xml", 3, L"Label", L"res\\mainWnd\\finished.png", {260, 95, 340, 175}},
    {L"MainWnd.xml", 3, L"Label", L"\x5B89\x88C5\x5B8C\x6210", {236, 200, 364, 242}},
    {L"MainWnd.xml", 3, L"Button", L"openProduceBtn", {183, 294, 417, 344}},
    {L"MessageBox1Wnd.xml", -1, L"Label", L"captionLbl", {10, 0, 169, 30}},
    {L"MessageBox1Wnd.xml", -1, L"Button", L"closebtn", {328, 3, 352, 27}},
    {L"MessageBox1Wnd.xml", -1, L"Label", L"textLbl", {1, 30, 359, 180}},
    {L"MessageBox2Wnd.xml", -1, L"Label", L"captionLbl", {10, 0, 167, 30}},
    {L"MessageBox2Wnd.xml", -1, L"Button", L"closebtn", {324, 3, 348, 27}},
    {L"MessageBox2Wnd.xml", -1, L"Label", L"textLbl", {1, 31, 359, 179}},
    {L"ExitTipWnd.xml", -1, L"Button", L"closebtn", {324, 8, 348, 32}},
    {L"ExitTipWnd.xml", -1, L"Label", L"res\\MessageBoxWnd\\icoQuest.png", {35, 70, 75, 110}},
    {L"ExitTipWnd.xml", -1, L"Label", L"abcc", {95, 70, 255, 110}},
    {L"ExitTipWnd.xml", -1, L"Button", L"okBtn", {167, 130, 243, 162}},
    {L"ExitTipWnd.xml", -1, L"Button", L"cancelBtn", {263, 130, 339, 162}},
    {L"NetworkTipWnd.xml", -1, L"Button", L"closebtn", {324, 3, 348, 27}},
    {L"NetworkTipWnd.xml", -1, L"Label", L"res\\MessageBoxWnd\\icoNetwork.png", {35, 60, 75, 100}},
    {L"NetworkTipWnd.xml", -1, L"Button", L"cancelBtn", {182, 130, 258, 160}},
    {L"NetworkTipWnd.xml", -1, L"Button", L"okBtn", {268, 130, 344, 160}},
    {L"InstalledPathTipWnd.xml", -1, L"Button", L"closebtn", {364, 3, 388, 27}},
    {L"InstalledPathTipWnd.xml", -1, L"Label", L"res\\MessageBoxWnd\\icoWarn.png", {35, 60, 75, 100}},
    {L"InstalledPathTipWnd.xml", -1, L"Button", L"cancelBtn", {131, 128, 231, 160}},
    {L"InstalledPathTipWnd.xml", -1, L"Button", L"okBtn", {246, 128, 356, 160}},
};

CControlUI* FindByKey(CControlUI* root, const wchar_t* cls, const wchar_t* key) {
    CControlUI* found = nullptr;
    root->ForEachControl([&](CControlUI* c) {
        if (found || !c->IsVisible() || std::wstring(c->GetClass()) != cls) return;
        if (c->GetName() == key || c->GetText() == key || c->GetBkImage() == key) found = c;
    });
    return found;
}
}  // namespace

// The six skins laid out by the layout rules give the windows' rectangles.
TEST(Controls, SkinsLayOutToTheirRectangles) {
    ASSERT_TRUE(OpenSkinResource(GetModuleHandleW(nullptr), 147));
    for (const SkinRect& r : kSkinRects) {
        Built w(r.skin);
        ASSERT_NE(w.root, nullptr);
        if (r.page >= 0) {
            auto* tab = static_cast<CTabLayoutUI*>(w.pm.FindByName(L"mainTabLt")->GetInterface(L"TabLayout"));
            ASSERT_TRUE(tab->SelectChild(r.page));
            w.pm.LayoutIfNeeded(600, 400);
        }
        CControlUI* c = FindByKey(w.root, r.cls, r.key);
        ASSERT_NE(c, nullptr) << r.cls;
        RECT got = c->GetPos();
        EXPECT_TRUE(EqualRect(&got, &r.rc)) << r.cls << " page " << r.page << ": " << got.left << "," << got.top
                                            << "," << got.right << "," << got.bottom;
    }
}
