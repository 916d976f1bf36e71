// Drawing helpers of the toolkit: pictures (decoded once per window),
// nine-part drawing with tiling and fade, colour fills, borders and text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/ImageDescriptor.h"

namespace SkinUI {

class CControlManagerUI;

// A decoded picture: 32-bit top-down DIB, premultiplied alpha.
struct ImageInfo {
    HBITMAP hBitmap = nullptr;
    uint32_t* bits = nullptr;
    int width = 0, height = 0;
    bool hasAlpha = false;
    ImageInfo() = default;
    ImageInfo(const ImageInfo&) = delete;
    ImageInfo& operator=(const ImageInfo&) = delete;
    ~ImageInfo();
};

// One image attribute of a control ("normalimage", "bkimage", ...):
// parsed and loaded on first draw; a failed load is not retried until the
// text changes.
struct ImageSlot {
    std::wstring text;
    bool parsed = false;
    ImageDescriptor spec;
    ImageInfo* info = nullptr;  // owned by the window's cache
    bool loadAttempted = false;

    void Set(const std::wstring& t) {
        text = t;
        parsed = false;
        spec = ImageDescriptor();
        info = nullptr;
        loadAttempted = false;
    }
    bool Empty() const { return text.empty(); }
};

class CDrawKit {
public:
    // Loads a picture: from the skin package (or the resource folder, then
    // the path as given) with no type; a colour with "*COLOR*"; otherwise a
    // program resource of that type. nullptr if nothing decodes.
    static std::unique_ptr<ImageInfo> LoadImage(const std::wstring& name, const std::wstring& type, uint32_t mask);
    static std::unique_ptr<ImageInfo> FromPixels(const uint32_t* argb, int width, int height, bool hasAlpha);

    // Draws an image attribute into a control; false when nothing was drawn.
    static bool DrawImage(HDC hdc, CControlManagerUI* manager, const RECT& rcControl, const RECT& rcPaint,
                          ImageSlot& slot);
    // Nine-part drawing of (part of) a picture.
    static void DrawImagePieces(HDC hdc, const ImageInfo* img, const RECT& rcDest, const RECT& rcSource,
                                const RECT& rcCorner, int fade, bool hole, bool xtiled, bool ytiled,
                                const RECT& rcPaint);

    // Fill with 0xAARRGGBB: opaque for alpha 255, blended below, nothing for 0.
    static void FillColor(HDC hdc, const RECT& rc, DWORD argb);
    static void FillGradient(HDC hdc, const RECT& rc, DWORD argbTop, DWORD argbBottom);
    static void DrawRectBorder(HDC hdc, const RECT& rc, int size, DWORD argb, int style);
    static void DrawRoundBorder(HDC hdc, const RECT& rc, int size, int cx, int cy, DWORD argb, int style);
    static void DrawLine(HDC hdc, const RECT& rc, int size, DWORD argb, int style);
    static void DrawText(HDC hdc, CControlManagerUI* manager, RECT& rc, const std::wstring& text, DWORD argb,
                         int font, UINT style);
    // The text as one line in the font: width and height in pixels.
    static SIZE MeasureText(HDC hdc, CControlManagerUI* manager, const std::wstring& text, int font, UINT style);
};

}  // namespace SkinUI
