#include "ui/DrawKit.h"

#include <cstring>
#include <vector>

#include "ui/ControlManagerUI.h"
#include "ui/AttrSyntax.h"
#include "ui/ImageDecode.h"
#include "ui/SkinArchive.h"
#include "ui/UIDefs.h"

namespace SkinUI {

ImageInfo::~ImageInfo() {
    if (hBitmap) DeleteObject(hBitmap);
}

std::unique_ptr<ImageInfo> CDrawKit::FromPixels(const uint32_t* argb, int width, int height, bool hasAlpha) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hbm) return nullptr;
    std::unique_ptr<ImageInfo> info(new ImageInfo());
    info->hBitmap = hbm;
    info->bits = (uint32_t*)bits;
    info->width = width;
    info->height = height;
    info->hasAlpha = hasAlpha;
    std::memcpy(bits, argb, (size_t)width * height * 4);
    return info;
}

std::unique_ptr<ImageInfo> CDrawKit::LoadImage(const std::wstring& name, const std::wstring& type, uint32_t mask) {
    if (name.empty()) return nullptr;
    if (type == L"*COLOR*") {
        DecodedImage img = SolidColorImage(ParseColor(name.c_str()));
        return FromPixels(img.pixels.data(), 1, 1, img.hasAlpha);
    }
    std::vector<uint8_t> bytes;
    if (type.empty()) {
        SkinArchive* arc = SkinArchive::Current();
        if (arc) {
            int idx = arc->Find(name);
            if (idx >= 0) arc->Extract(idx, bytes);
        } else {
            ReadWholeFile(SkinArchive::ResourcePath() + name, bytes);
        }
        if (bytes.empty()) ReadWholeFile(name, bytes);
    } else {
        HRSRC res = FindResourceW(nullptr, name.c_str(), type.c_str());
        if (res) {
            HGLOBAL h = LoadResource(nullptr, res);
            DWORD size = SizeofResource(nullptr, res);
            const uint8_t* p = h ? (const uint8_t*)LockResource(h) : nullptr;
            if (p && size) bytes.assign(p, p + size);
        }
    }
    if (bytes.empty()) return nullptr;
    DecodedImage img;
    if (!DecodeImage(bytes.data(), bytes.size(), mask, img)) return nullptr;
    return FromPixels(img.pixels.data(), img.width, img.height, img.hasAlpha);
}

bool CDrawKit::DrawImage(HDC hdc, CControlManagerUI* manager, const RECT& rcControl, const RECT& rcPaint,
                         ImageSlot& slot) {
    if (slot.text.empty() || !manager) return false;
    if (!slot.parsed) {
        slot.spec = ParseImageDescriptor(slot.text);
        slot.parsed = true;
    }
    if (!slot.info) {
        if (slot.loadAttempted) return false;
        slot.loadAttempted = true;
        slot.info = manager->GetImage(slot.spec.file, slot.spec.resType, slot.spec.mask);
        if (!slot.info) return false;
    }
    const ImageInfo* img = slot.info;
    UiRect dst = ImageDestination(ToUiRect(rcControl), slot.spec.dest);
    RECT rcDst = ToRECT(dst), tmp;
    if (!IntersectRect(&tmp, &rcDst, &rcControl)) return false;
    if (!IntersectRect(&tmp, &rcDst, &rcPaint)) return false;
    RECT src = ToRECT(slot.spec.source);
    if (src.left == 0 && src.top == 0 && src.right == 0 && src.bottom == 0) {
        src.right = img->width;
        src.bottom = img->height;
    }
    if (src.right > img->width) src.right = img->width;
    if (src.bottom > img->height) src.bottom = img->height;
    DrawImagePieces(hdc, img, rcDst, src, ToRECT(slot.spec.corner), slot.spec.fade, slot.spec.hole, slot.spec.xtiled,
                    slot.spec.ytiled, rcPaint);
    return true;
}

void CDrawKit::DrawImagePieces(HDC hdc, const ImageInfo* img, const RECT& rcDest, const RECT& rcSource,
                               const RECT& rcCorner, int fade, bool hole, bool xtiled, bool ytiled,
                               const RECT& rcPaint) {
    if (!img || !img->hBitmap) return;
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, img->hBitmap);
    int oldMode = SetStretchBltMode(hdc, COLORONCOLOR);
    bool blend = img->hasAlpha || fade < 255;
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, (BYTE)fade, AC_SRC_ALPHA};
    auto pieces = NinePartPieces(ToUiRect(rcDest), ToUiRect(rcSource), ToUiRect(rcCorner), hole, xtiled, ytiled);
    for (const ImagePiece& pc : pieces) {
        RECT d = ToRECT(pc.dst), tmp;
        if (!IntersectRect(&tmp, &d, &rcPaint)) continue;
        int dw = pc.dst.Width(), dh = pc.dst.Height(), sw = pc.src.Width(), sh = pc.src.Height();
        if (blend) {
            AlphaBlend(hdc, d.left, d.top, dw, dh, mem, pc.src.left, pc.src.top, sw, sh, bf);
        } else if (dw == sw && dh == sh) {
            BitBlt(hdc, d.left, d.top, dw, dh, mem, pc.src.left, pc.src.top, SRCCOPY);
        } else {
            StretchBlt(hdc, d.left, d.top, dw, dh, mem, pc.src.left, pc.src.top, sw, sh, SRCCOPY);
        }
    }
    SetStretchBltMode(hdc, oldMode);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void CDrawKit::FillColor(HDC hdc, const RECT& rc, DWORD argb) {
    BYTE a = (BYTE)(argb >> 24);
    if (argb == 0 || a == 0 || IsRectEmpty(&rc)) return;
    if (a == 255) {
        HBRUSH br = CreateSolidBrush(ToColorRef(argb));
        FillRect(hdc, &rc, br);
        DeleteObject(br);
        return;
    }
    DecodedImage px = SolidColorImage(argb);
    auto img = FromPixels(px.pixels.data(), 1, 1, true);
    if (!img) return;
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, img->hBitmap);
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem, 0, 0, 1, 1, bf);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void CDrawKit::FillGradient(HDC hdc, const RECT& rc, DWORD c1, DWORD c2) {
    TRIVERTEX v[2];
    v[0].x = rc.left;
    v[0].y = rc.top;
    v[0].Red = (COLOR16)(((c1 >> 16) & 0xFF) << 8);
    v[0].Green = (COLOR16)(((c1 >> 8) & 0xFF) << 8);
    v[0].Blue = (COLOR16)((c1 & 0xFF) << 8);
    v[0].Alpha = 0xFF00;
    v[1].x = rc.right;
    v[1].y = rc.bottom;
    v[1].Red = (COLOR16)(((c2 >> 16) & 0xFF) << 8);
    v[1].Green = (COLOR16)(((c2 >> 8) & 0xFF) << 8);
    v[1].Blue = (COLOR16)((c2 & 0xFF) << 8);
    v[1].Alpha = 0xFF00;
    GRADIENT_RECT gr = {0, 1};
    GradientFill(hdc, v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
}

void CDrawKit::DrawRectBorder(HDC hdc, const RECT& rc, int size, DWORD argb, int style) {
    HPEN pen = CreatePen(PS_INSIDEFRAME | style, size, ToColorRef(argb));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(hdc, rc.left, rc.top, rc.right, rc.bottom);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
}

void CDrawKit::DrawRoundBorder(HDC hdc, const RECT& rc, int size, int cx, int cy, DWORD argb, int style) {
    HPEN pen = CreatePen(PS_INSIDEFRAME | style, size, ToColorRef(argb));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(HOLLOW_BRUSH));
    RoundRect(hdc, rc.left, rc.top, rc.right, rc.bottom, cx, cy);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
}

void CDrawKit::DrawLine(HDC hdc, const RECT& rc, int size, DWORD argb, int style) {
    HPEN pen = CreatePen(style, size, ToColorRef(argb));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    MoveToEx(hdc, rc.left, rc.top, nullptr);
    LineTo(hdc, rc.right, rc.bottom);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
}

void CDrawKit::DrawText(HDC hdc, CControlManagerUI* manager, RECT& rc, const std::wstring& text, DWORD argb,
                        int font, UINT style) {
    if (text.empty() || !manager) return;
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, ToColorRef(argb));
    HGDIOBJ old = SelectObject(hdc, manager->GetFont(font));
    ::DrawTextW(hdc, text.c_str(), (int)text.size(), &rc, style | DT_NOPREFIX);
    SelectObject(hdc, old);
}

SIZE CDrawKit::MeasureText(HDC hdc, CControlManagerUI* manager, const std::wstring& text, int font, UINT) {
    SIZE sz = {0, 0};
    if (!manager) return sz;
    HGDIOBJ old = SelectObject(hdc, manager->GetFont(font));
    GetTextExtentPoint32W(hdc, text.c_str(), (int)text.size(), &sz);
    SelectObject(hdc, old);
    return sz;
}

}  // namespace SkinUI
