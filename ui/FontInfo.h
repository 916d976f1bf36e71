// One font of a window: what the Font element said, the created font and
// its text metrics.
#pragma once

#include <windows.h>

#include <string>

namespace SkinUI {

struct FontInfo {
    int id = -1;
    std::wstring face;  // at most 31 characters
    int size = 12;
    bool bold = false, underline = false, italic = false;
    HFONT hFont = nullptr;
    bool owned = false;
    TEXTMETRICW tm = {};

    FontInfo() = default;
    FontInfo(const FontInfo&) = delete;
    FontInfo& operator=(const FontInfo&) = delete;
    ~FontInfo();

    // Creates the font (a negative height of `size` pixels, the stock
    // interface font's other settings) and measures it on hdc.
    bool Create(HDC hdc);
    // The stock interface font, not owned.
    void UseStockFont(HDC hdc);
};

}  // namespace SkinUI
