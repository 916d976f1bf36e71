// The drop shadow's shape with the skins' values.
#include <gtest/gtest.h>

#include "ui/ShadowShape.h"

using namespace SkinUI;

namespace {
uint32_t At(const std::vector<uint32_t>& bits, int W, int x, int y) { return bits[(size_t)y * W + x]; }
std::vector<RowSpan> Square(int w, int h) { return std::vector<RowSpan>(h, RowSpan{0, w}); }
}  // namespace

TEST(ShadowShape, PremultipliedColour) {
    // #26003B76 as a colour reference: red 0x76, green 0x3B, blue 0.
    EXPECT_EQ(ShadowPixel(0x003B76, 20), (20u << 24) | ((0x76u * 20 / 255) << 16) | ((0x3Bu * 20 / 255) << 8));
}

TEST(ShadowShape, SkinValuesOnASquareWindow) {
    const int w = 100, h = 80;
    ShadowParams p;
    p.size = 6;
    p.sharpness = 10;
    p.darkness = 20;
    p.offsetX = 1;
    p.offsetY = 1;
    p.colorRef = 0x003B76;
    auto bits = ComputeShadow(Square(w, h), w, h, p);
    const int W = w + 12, H = h + 12;
    ASSERT_EQ(bits.size(), (size_t)W * H);
    // The window itself (shifted by the offset) stays clear.
    EXPECT_EQ(At(bits, W, 6 + 50 - 1, 6 + 40 - 1), 0u);
    EXPECT_EQ(At(bits, W, 5, 5), 0u);  // parent pixel (0,0) lands at 6-1
    // Just outside the window's right edge (shadow column 105, 4 from the
    // eroded edge at 101): alpha truncate((1 - 4/11) * 20) = 12.
    EXPECT_EQ(At(bits, W, 6 + w - 1, 40), ShadowPixel(p.colorRef, 12));
    // Left of the window (shifted right by the offset) the band is one
    // pixel narrower: column 4 is 6 from the eroded edge, column 5 is covered.
    EXPECT_EQ(At(bits, W, 4, 40), ShadowPixel(p.colorRef, 9));
    EXPECT_EQ(At(bits, W, 5, 40), 0u);
    // Fading to the bitmap edge: the outermost column is faint, never darker inwards.
    uint32_t edge = At(bits, W, W - 1, H / 2);
    EXPECT_GT(edge >> 24, 0u);
    EXPECT_LT(edge >> 24, 5u);
    for (int x = W - 1; x > W - 7; --x) EXPECT_LE(At(bits, W, x, H / 2) >> 24, At(bits, W, x - 1, H / 2) >> 24);
    // Corner pixels of the bitmap are transparent (round kernel).
    EXPECT_EQ(At(bits, W, 0, 0), 0u);
}

TEST(ShadowShape, NoShapeNoShadow) {
    ShadowParams p;
    p.size = 6;
    p.sharpness = 10;
    p.darkness = 20;
    p.offsetX = p.offsetY = 1;
    std::vector<RowSpan> empty(50, RowSpan{0, 0});
    auto bits = ComputeShadow(empty, 60, 50, p);
    for (uint32_t v : bits) ASSERT_EQ(v, 0u);
    EXPECT_TRUE(ComputeShadow(empty, -20, -20, p).empty());
}
