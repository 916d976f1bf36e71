// SkinShot.exe SKINFILE [PAGE] OUT.png
// Builds SKINFILE from the embedded skin package, lays it out at the
// window's size (PAGE selects the shown child of "mainTabLt"), paints it
// off-screen exactly as the window would, writes OUT.png and prints one
// line per control in document order: class name left top right bottom.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "PngWriter.h"
#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"
#include "ui/SequenceButtonUI.h"
#include "ui/SequenceLabelUI.h"
#include "ui/SkinBuilder.h"
#include "ui/SkinResource.h"
#include "ui/TabLayoutUI.h"

namespace {

class ShotCallback : public SkinUI::IDialogBuilderCallback {
public:
    SkinUI::CControlUI* MakeCustomControl(const wchar_t* cls) override {
        if (SkinUI::EqualsNoCase(cls, L"SequenceButton")) return new SkinUI::CSequenceButtonUI();
        if (SkinUI::EqualsNoCase(cls, L"SequenceLabel")) return new SkinUI::CSequenceLabelUI();
        return nullptr;
    }
};

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: SkinShot.exe SKINFILE [PAGE] OUT.png\n");
        return 2;
    }
    std::wstring skin = argv[1];
    int page = argc == 4 ? _wtoi(argv[2]) : -1;
    std::wstring out = argv[argc - 1];

    if (!SkinUI::OpenSkinResource(GetModuleHandleW(nullptr), 147)) {
        std::fprintf(stderr, "SkinShot: no skin package in this program\n");
        return 3;
    }
    SkinUI::CControlManagerUI pm;
    pm.Init(nullptr);
    ShotCallback callback;
    SkinUI::CSkinBuilder builder;
    SkinUI::CControlUI* root = builder.Create(skin, &callback, &pm);
    if (!root) {
        std::fprintf(stderr, "SkinShot: cannot build %s: %s at \"%s\"\n", Utf8(skin).c_str(),
                     Utf8(builder.Markup().ErrorMessage()).c_str(), Utf8(builder.Markup().ErrorLocation()).c_str());
        return 1;
    }
    pm.AttachRoot(root);
    if (page >= 0) {
        auto* tab = static_cast<SkinUI::CTabLayoutUI*>(
            pm.FindByName(L"mainTabLt") ? pm.FindByName(L"mainTabLt")->GetInterface(L"TabLayout") : nullptr);
        if (!tab || !tab->SelectChild(page)) {
            std::fprintf(stderr, "SkinShot: no page %d\n", page);
            return 4;
        }
    }
    SIZE size = pm.GetInitSize();
    int w = size.cx > 0 ? size.cx : 600, h = size.cy > 0 ? size.cy : 400;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, hbm);
    RECT rc = {0, 0, w, h};
    FillRect(mem, &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
    pm.PaintTo(mem, rc, w, h);
    GdiFlush();

    std::vector<uint8_t> rgba((size_t)w * h * 4);
    const uint8_t* src = (const uint8_t*)bits;
    for (size_t i = 0; i < (size_t)w * h; ++i) {
        rgba[i * 4 + 0] = src[i * 4 + 2];
        rgba[i * 4 + 1] = src[i * 4 + 1];
        rgba[i * 4 + 2] = src[i * 4 + 0];
        rgba[i * 4 + 3] = 255;
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(hbm);
    if (!WritePng(out, rgba.data(), w, h)) {
        std::fprintf(stderr, "SkinShot: cannot write %s\n", Utf8(out).c_str());
        return 5;
    }
    root->ForEachControl([](SkinUI::CControlUI* c) {
        RECT r = c->GetPos();
        std::string name = c->GetName().empty() ? std::string("-") : Utf8(c->GetName());
        std::printf("%s %s %ld %ld %ld %ld\n", Utf8(c->GetClass()).c_str(), name.c_str(), r.left, r.top, r.right,
                    r.bottom);
    });
    std::fflush(stdout);
    return 0;
}
