#include "ui/ImageDescriptor.h"

#include <cwchar>

#include "ui/AttrSyntax.h"

namespace SkinUI {

namespace {
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
}  // namespace

ImageDescriptor ParseImageDescriptor(const std::wstring& text) {
    ImageDescriptor spec;
    spec.file = text;
    const wchar_t* p = text.c_str();
    for (;;) {
        while (IsSpace(*p)) ++p;
        std::wstring key;
        while (*p && *p != L'=' && !IsSpace(*p)) key.push_back(*p++);
        while (IsSpace(*p)) ++p;
        if (*p != L'=') break;
        ++p;
        while (IsSpace(*p)) ++p;
        if (*p != L'\'') break;
        ++p;
        std::wstring value;
        while (*p && *p != L'\'') value.push_back(*p++);
        if (*p != L'\'') break;
        ++p;
        if (!value.empty()) {
            const wchar_t* v = value.c_str();
            if (key == L"file" || key == L"res") spec.file = value;
            else if (key == L"restype") spec.resType = value;
            else if (key == L"color") { spec.file = value; spec.resType = L"*COLOR*"; }
            else if (key == L"dest") spec.dest = ParseRect(v);
            else if (key == L"source") spec.source = ParseRect(v);
            else if (key == L"corner" || key == L"scale9") spec.corner = ParseRect(v);
            else if (key == L"mask") spec.mask = ParseColor(v);
            else if (key == L"fade") {
                long f = ParseLong(v);
                spec.fade = f < 0 ? 0 : f > 255 ? 255 : (int)f;
            }
            else if (key == L"hole") spec.hole = ParseBool(v);
            else if (key == L"xtiled") spec.xtiled = ParseBool(v);
            else if (key == L"ytiled") spec.ytiled = ParseBool(v);
            else if (key == L"hsl") spec.hsl = ParseBool(v);
        }
        if (*p != L' ') break;
    }
    return spec;
}

UiRect ImageDestination(const UiRect& control, const UiRect& dest) {
    UiRect rc = control;
    if (dest.left || dest.top || dest.right || dest.bottom) {
        rc.left = control.left + dest.left;
        rc.top = control.top + dest.top;
        rc.right = control.left + dest.right;
        rc.bottom = control.top + dest.bottom;
        if (rc.right > control.right) rc.right = control.right;
        if (rc.bottom > control.bottom) rc.bottom = control.bottom;
    }
    return rc;
}

namespace {

void AddPiece(std::vector<ImagePiece>& out, const UiRect& d, const UiRect& s) {
    if (d.Empty() || s.Empty()) return;
    out.push_back(ImagePiece{d, s});
}

// The middle part, stretched or tiled along each axis.
void AddMiddle(std::vector<ImagePiece>& out, const UiRect& d, const UiRect& s, bool xt, bool yt) {
    if (d.Empty() || s.Empty()) return;
    if (!xt && !yt) {
        AddPiece(out, d, s);
        return;
    }
    int sw = s.Width(), sh = s.Height();
    int stepX = xt ? sw : d.Width();
    int stepY = yt ? sh : d.Height();
    for (int y = d.top; y < d.bottom; y += stepY) {
        int h = yt ? (d.bottom - y < sh ? d.bottom - y : sh) : d.Height();
        for (int x = d.left; x < d.right; x += stepX) {
            int w = xt ? (d.right - x < sw ? d.right - x : sw) : d.Width();
            UiRect dd = MakeRect(x, y, x + w, y + h);
            UiRect ss = s;
            if (xt) ss.right = s.left + w;
            if (yt) ss.bottom = s.top + h;
            AddPiece(out, dd, ss);
        }
    }
}

}  // namespace

std::vector<ImagePiece> NinePartPieces(const UiRect& d, const UiRect& s, const UiRect& c, bool hole, bool xtiled,
                                       bool ytiled) {
    std::vector<ImagePiece> out;
    if (!(c.left || c.top || c.right || c.bottom)) {
        if (!hole) AddMiddle(out, d, s, xtiled, ytiled);
        return out;
    }
    // Middle.
    if (!hole)
        AddMiddle(out, MakeRect(d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom),
                  MakeRect(s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom), xtiled, ytiled);
    // Corners.
    AddPiece(out, MakeRect(d.left, d.top, d.left + c.left, d.top + c.top),
             MakeRect(s.left, s.top, s.left + c.left, s.top + c.top));
    AddPiece(out, MakeRect(d.right - c.right, d.top, d.right, d.top + c.top),
             MakeRect(s.right - c.right, s.top, s.right, s.top + c.top));
    AddPiece(out, MakeRect(d.left, d.bottom - c.bottom, d.left + c.left, d.bottom),
             MakeRect(s.left, s.bottom - c.bottom, s.left + c.left, s.bottom));
    AddPiece(out, MakeRect(d.right - c.right, d.bottom - c.bottom, d.right, d.bottom),
             MakeRect(s.right - c.right, s.bottom - c.bottom, s.right, s.bottom));
    // Edges.
    AddPiece(out, MakeRect(d.left + c.left, d.top, d.right - c.right, d.top + c.top),
             MakeRect(s.left + c.left, s.top, s.right - c.right, s.top + c.top));
    AddPiece(out, MakeRect(d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom),
             MakeRect(s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom));
    AddPiece(out, MakeRect(d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom),
             MakeRect(s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom));
    AddPiece(out, MakeRect(d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom),
             MakeRect(s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom));
    return out;
}

}  // namespace SkinUI
