// The drop shadow's pixels, computed from the rows of the parent window's
// shape: eroded, dilated with a round fading kernel, filled, and cleared
// where the window itself covers them.
#pragma once

#include <cstdint>
#include <vector>

namespace SkinUI {

struct RowSpan {
    int start = 0, end = 0;  // [start, end); empty when end <= start
};

struct ShadowParams {
    int size = 0;        // s
    int sharpness = 5;   // p
    int darkness = 150;  // d
    int offsetX = 5, offsetY = 5;
    uint32_t colorRef = 0;  // red in the lowest byte
};

// Premultiplied 0xAARRGGBB for the colour at alpha a.
uint32_t ShadowPixel(uint32_t colorRef, int alpha);

// parentRows: h spans in parent coordinates. Returns (w + 2s) * (h + 2s)
// pixels, row by row, top-down (empty when that size is not positive).
std::vector<uint32_t> ComputeShadow(const std::vector<RowSpan>& parentRows, int w, int h, const ShadowParams& prm);

}  // namespace SkinUI
