// Picture decoding for the skins: any format stb_image reads, turned into
// a 32-bit top-down bitmap (bytes blue, green, red, alpha) with the colour
// channels premultiplied by alpha, and the mask colour made transparent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace SkinUI {

struct DecodedImage {
    int width = 0, height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, premultiplied, top-down
};

bool DecodeImage(const uint8_t* data, size_t size, uint32_t mask, DecodedImage& out);

// A one-pixel picture of the given 0xAARRGGBB colour (premultiplied).
DecodedImage SolidColorImage(uint32_t argb);

}  // namespace SkinUI
