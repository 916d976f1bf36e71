// Picture decoding: premultiplied alpha, has-alpha flag, mask after premultiplication.
#include <gtest/gtest.h>

#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"
#include "ui/ImageDecode.h"

using namespace SkinUI;

namespace {
void Append(void* ctx, void* data, int size) {
    auto* v = static_cast<std::vector<uint8_t>*>(ctx);
    v->insert(v->end(), (uint8_t*)data, (uint8_t*)data + size);
}
std::vector<uint8_t> Png(const std::vector<uint8_t>& rgba, int w, int h) {
    std::vector<uint8_t> out;
    stbi_write_png_to_func(Append, &out, w, h, 4, rgba.data(), w * 4);
    return out;
}
}  // namespace

TEST(ImageDecode, OpaquePixelsCopiedAsBgra) {
    auto png = Png({255, 0, 0, 255, 0, 128, 255, 255}, 2, 1);
    DecodedImage img;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), 0, img));
    EXPECT_EQ(img.width, 2);
    EXPECT_EQ(img.height, 1);
    EXPECT_FALSE(img.hasAlpha);
    EXPECT_EQ(img.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(img.pixels[1], 0xFF0080FFu);
}

TEST(ImageDecode, TranslucentPixelsPremultiplied) {
    auto png = Png({200, 100, 50, 128}, 1, 1);
    DecodedImage img;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), 0, img));
    EXPECT_TRUE(img.hasAlpha);
    EXPECT_EQ(img.pixels[0], (128u << 24) | ((200u * 128 / 255) << 16) | ((100u * 128 / 255) << 8) | (50u * 128 / 255));
}

TEST(ImageDecode, MaskComparedAfterPremultiplication) {
    auto png = Png({255, 0, 0, 255, 0, 255, 0, 255}, 2, 1);
    DecodedImage img;
    // No alpha byte in the mask: an opaque red pixel is 0xFFFF0000 and does not match.
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), 0xFF0000, img));
    EXPECT_FALSE(img.hasAlpha);
    EXPECT_EQ(img.pixels[0], 0xFFFF0000u);
    // With the alpha byte the pixel becomes transparent.
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), 0xFFFF0000, img));
    EXPECT_TRUE(img.hasAlpha);
    EXPECT_EQ(img.pixels[0], 0u);
    EXPECT_EQ(img.pixels[1], 0xFF00FF00u);
}

TEST(ImageDecode, GarbageGivesNoPicture) {
    const uint8_t junk[] = {1, 2, 3, 4, 5};
    DecodedImage img;
    EXPECT_FALSE(DecodeImage(junk, sizeof junk, 0, img));
    EXPECT_FALSE(DecodeImage(nullptr, 0, 0, img));
    DecodedImage c = SolidColorImage(0x80FFFFFF);
    EXPECT_EQ(c.pixels[0], 0x80808080u);
}
