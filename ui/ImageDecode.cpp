#include "ui/ImageDecode.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include "stb_image.h"
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace SkinUI {

namespace {
uint32_t Premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a, bool& hasAlpha) {
    if (a < 255) {
        hasAlpha = true;
        r = (uint8_t)(r * a / 255);
        g = (uint8_t)(g * a / 255);
        b = (uint8_t)(b * a / 255);
    }
    return ((uint32_t)a << 24) | ((uint32_t)r << 16) | ((uint32_t)g << 8) | b;
}
}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, uint32_t mask, DecodedImage& out) {
    out = DecodedImage();
    if (!data || size == 0 || size > 0x7FFFFFFF) return false;
    int w = 0, h = 0, n = 0;
    stbi_uc* rgba = stbi_load_from_memory(data, (int)size, &w, &h, &n, 4);
    if (!rgba) return false;
    out.width = w;
    out.height = h;
    out.pixels.resize((size_t)w * h);
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const stbi_uc* px = rgba + i * 4;
        uint32_t v = Premultiply(px[0], px[1], px[2], px[3], out.hasAlpha);
        if (v == mask) {
            v = 0;
            out.hasAlpha = true;
        }
        out.pixels[i] = v;
    }
    stbi_image_free(rgba);
    return true;
}

DecodedImage SolidColorImage(uint32_t argb) {
    DecodedImage img;
    img.width = img.height = 1;
    img.pixels.push_back(Premultiply((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24, img.hasAlpha));
    return img;
}

}  // namespace SkinUI
