// Layout arithmetic against the worked examples.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/LayoutMath.h"

using namespace SkinUI;

namespace {
struct Box : LayoutItem {
    int fw = 0, fh = 0, minW = 0, minH = 0, maxW = 9999, maxH = 9999;
    UiRect pad;
    int naturalH = -1;  // a label-like height reported when not fixed
    int GetFixedWidth() const override { return fw; }
    int GetFixedHeight() const override { return fh; }
    int GetMinWidth() const override { return minW; }
    int GetMinHeight() const override { return minH; }
    int GetMaxWidth() const override { return maxW; }
    int GetMaxHeight() const override { return maxH; }
    UiRect GetPadding() const override { return pad; }
    UiSize EstimateSize(UiSize) override { return UiSize{fw, fh ? fh : (naturalH >= 0 ? naturalH : 0)}; }
};

struct Boxes {
    std::vector<std::unique_ptr<Box>> own;
    std::vector<LayoutItem*> items;
    Box& Add(int fw, int fh) {
        own.emplace_back(new Box());
        own.back()->fw = fw;
        own.back()->fh = fh;
        items.push_back(own.back().get());
        return *own.back();
    }
};
}  // namespace

TEST(LayoutMath, VerticalSharesTheRestAndLastTakesRemainder) {
    Boxes b;
    b.Add(0, 30);
    b.Add(0, 30);
    b.Add(0, 0);
    b.Add(0, 0);
    auto r = LayoutVertical(b.items, MakeRect(0, 0, 50, 100), 0, kAlignStart);
    EXPECT_EQ(r[2], MakeRect(0, 60, 50, 80));
    EXPECT_EQ(r[3], MakeRect(0, 80, 50, 100));
    b.own[1]->fh = 31;
    r = LayoutVertical(b.items, MakeRect(0, 0, 50, 100), 0, kAlignStart);
    EXPECT_EQ(r[2].Height(), 19);
    EXPECT_EQ(r[3].Height(), 20);
}

TEST(LayoutMath, OversizedFixedChildrenRunPastTheEnd) {
    Boxes b;
    b.Add(0, 80);
    b.Add(0, 0);
    b.Add(0, 80);
    auto r = LayoutVertical(b.items, MakeRect(0, 0, 10, 100), 0, kAlignStart);
    EXPECT_EQ(r[0].Height(), 80);
    EXPECT_EQ(r[1].Height(), 0);
    EXPECT_EQ(r[2], MakeRect(0, 80, 10, 160));
}

TEST(LayoutMath, TitleBarOfTheMainWindow) {
    Boxes b;
    for (int w : {10, 200, 0, 10, 72, 14}) b.Add(w, 0);
    auto r = LayoutHorizontal(b.items, MakeRect(0, 0, 600, 45), 0, kAlignStart);
    const int xs[] = {0, 10, 210, 504, 514, 586, 600};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(r[i], MakeRect(xs[i], 0, xs[i + 1], 45)) << i;
    // The 72-wide column: 12-high spacer, 24-high group, adjustable rest.
    Boxes col;
    col.Add(0, 12);
    col.Add(0, 24);
    col.Add(0, 0);
    auto c = LayoutVertical(col.items, r[4], 0, kAlignStart);
    EXPECT_EQ(c[1], MakeRect(514, 12, 586, 36));
    EXPECT_EQ(c[2].Height(), 9);
    Boxes grp;
    grp.Add(24, 24);
    grp.Add(24, 0);
    grp.Add(24, 24);
    auto g = LayoutHorizontal(grp.items, c[1], 0, kAlignStart);
    EXPECT_EQ(g[0], MakeRect(514, 12, 538, 36));
    EXPECT_EQ(g[2], MakeRect(562, 12, 586, 36));
}

TEST(LayoutMath, PromptTitleBarWithPaddedLabel) {
    Boxes b;
    Box& label = b.Add(0, 0);
    label.pad = MakeRect(10, 0, 0, 0);
    b.Add(0, 0);
    b.Add(24, 0);
    b.Add(12, 0);
    auto r = LayoutHorizontal(b.items, MakeRect(0, 0, 360, 30), 0, kAlignStart);
    EXPECT_EQ(r[0], MakeRect(10, 0, 167, 30));
    EXPECT_EQ(r[1], MakeRect(167, 0, 324, 30));
    EXPECT_EQ(r[2], MakeRect(324, 0, 348, 30));
    EXPECT_EQ(r[3], MakeRect(348, 0, 360, 30));
}

TEST(LayoutMath, NaturalHeightsAlignmentPaddingAndInvisible) {
    Boxes b;
    Box& label = b.Add(0, 0);
    label.naturalH = 27;  // line height 19 + 8
    b.Add(0, 0);
    auto r = LayoutVertical(b.items, MakeRect(0, 0, 100, 100), 5, kAlignStart);
    EXPECT_EQ(r[0], MakeRect(0, 0, 100, 27));
    EXPECT_EQ(r[1], MakeRect(0, 32, 100, 100));  // child padding between the two only

    Boxes c;
    c.Add(5, 5);
    auto centred = LayoutVertical(c.items, MakeRect(0, 0, 10, 10), 0, kAlignCenter);
    EXPECT_EQ(centred[0], MakeRect(3, 0, 8, 5));
    auto right = LayoutVertical(c.items, MakeRect(0, 0, 10, 10), 0, kAlignEnd);
    EXPECT_EQ(right[0], MakeRect(5, 0, 10, 5));
    auto vcentred = LayoutHorizontal(c.items, MakeRect(0, 0, 10, 10), 0, kAlignCenter);
    EXPECT_EQ(vcentred[0], MakeRect(0, 3, 5, 8));

    // A 32-high child in a 30-high row is drawn 30 high.
    Boxes row;
    row.Add(76, 32);
    auto h = LayoutHorizontal(row.items, MakeRect(0, 130, 360, 160), 0, kAlignStart);
    EXPECT_EQ(h[0].Height(), 30);
}

TEST(LayoutMath, TabChildFillsLessPadding) {
    Box b;
    b.pad = MakeRect(1, 2, 3, 4);
    EXPECT_EQ(LayoutTabChild(&b, MakeRect(0, 0, 100, 50)), MakeRect(1, 2, 97, 46));
    b.fw = 20;
    b.fh = 10;
    EXPECT_EQ(LayoutTabChild(&b, MakeRect(0, 0, 100, 50)), MakeRect(1, 2, 21, 12));
}
