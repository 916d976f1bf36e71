// Attribute value syntax and the image attribute mini-language.
#include <gtest/gtest.h>

#include "ui/AttrSyntax.h"
#include "ui/ImageDescriptor.h"

using namespace SkinUI;

TEST(AttrSyntax, IntegersListsAndRects) {
    EXPECT_EQ(ParseLong(L"  -12abc"), -12);
    EXPECT_EQ(ParseLong(L""), 0);
    EXPECT_EQ(ParseLong(L"x1"), 0);
    EXPECT_EQ(ParseRect(L"1,2,3,4"), MakeRect(1, 2, 3, 4));
    EXPECT_EQ(ParseRect(L"1;2 3x4"), MakeRect(1, 2, 3, 4));  // any single separator
    EXPECT_EQ(ParseRect(L"5,6"), MakeRect(5, 6, 0, 0));       // missing numbers are 0
    EXPECT_EQ(ParseRect(L"7"), MakeRect(7, 0, 0, 0));         // never reads past the end
    UiSize s = ParseSize(L"600,400");
    EXPECT_EQ(s.cx, 600);
    EXPECT_EQ(s.cy, 400);
}

TEST(AttrSyntax, BooleansAndColours) {
    EXPECT_TRUE(ParseBool(L"true"));
    EXPECT_FALSE(ParseBool(L"True"));
    EXPECT_FALSE(ParseBool(L"1"));
    EXPECT_TRUE(ParseBoolNotFalse(L"False"));
    EXPECT_TRUE(ParseBoolNotFalse(L"no"));
    EXPECT_FALSE(ParseBoolNotFalse(L"false"));
    EXPECT_EQ(ParseColor(L"#FF1890FF"), 0xFF1890FFu);
    EXPECT_EQ(ParseColor(L"0xFF1890FF"), 0xFF1890FFu);
    EXPECT_EQ(ParseColor(L"FF1890FF"), 0xFF1890FFu);
    EXPECT_EQ(ParseColor(L"  #00000000"), 0u);
    EXPECT_EQ(ParseColor(L"#12zz"), 0x12u);
    EXPECT_TRUE(EqualsNoCase(L"verticallayout", L"VerticalLayout"));
}

TEST(ImageDescriptor, PlainNameAndPairs) {
    ImageDescriptor plain = ParseImageDescriptor(L"res\\mainWnd\\bg1.png");
    EXPECT_EQ(plain.file, L"res\\mainWnd\\bg1.png");
    EXPECT_EQ(plain.fade, 255);
    EXPECT_EQ(plain.mask, 0u);

    ImageDescriptor s = ParseImageDescriptor(
        L"file='res\\mainWnd\\installPrg2.png'  corner='2,2,2,2' mask='#FF0000' fade='128' hole='true' "
        L"xtiled='true' ytiled='false' dest='84,2,100,18' source='1,1,5,5' unknown='x'");
    EXPECT_EQ(s.file, L"res\\mainWnd\\installPrg2.png");
    EXPECT_EQ(s.corner, MakeRect(2, 2, 2, 2));
    EXPECT_EQ(s.mask, 0xFF0000u);
    EXPECT_EQ(s.fade, 128);
    EXPECT_TRUE(s.hole);
    EXPECT_TRUE(s.xtiled);
    EXPECT_FALSE(s.ytiled);
    EXPECT_EQ(s.dest, MakeRect(84, 2, 100, 18));
    EXPECT_EQ(s.source, MakeRect(1, 1, 5, 5));

    ImageDescriptor c = ParseImageDescriptor(L"color='#FF00FF00'");
    EXPECT_EQ(c.resType, L"*COLOR*");
    EXPECT_EQ(c.file, L"#FF00FF00");
}

TEST(ImageDescriptor, TabOrEndAfterValueEndsTheList) {
    ImageDescriptor s = ParseImageDescriptor(L"file='a.png'\tdest='1,2,3,4'");
    EXPECT_EQ(s.file, L"a.png");
    EXPECT_EQ(s.dest, MakeRect(0, 0, 0, 0));
    ImageDescriptor t = ParseImageDescriptor(L"file='a.png' fade='9'x dest='1,2,3,4'");
    EXPECT_EQ(t.fade, 9);
    EXPECT_EQ(t.dest, MakeRect(0, 0, 0, 0));
    ImageDescriptor e = ParseImageDescriptor(L"file='' fade='7'");
    EXPECT_EQ(e.file, L"file='' fade='7'");  // an empty value is ignored
    EXPECT_EQ(e.fade, 7);
}

TEST(ImageDescriptor, DestinationRelativeAndClipped) {
    UiRect button = MakeRect(489, 361, 589, 381);  // 100 by 20
    EXPECT_EQ(ImageDestination(button, MakeRect(84, 2, 100, 18)), MakeRect(573, 363, 589, 379));
    UiRect narrow = MakeRect(0, 0, 90, 20);
    EXPECT_EQ(ImageDestination(narrow, MakeRect(84, 2, 100, 18)), MakeRect(84, 2, 90, 18));
    EXPECT_EQ(ImageDestination(button, UiRect()), button);
}

TEST(ImageDescriptor, NinePartGeometry) {
    // 10x10 picture with 2-pixel corners into a 520x8 bar.
    auto pieces = NinePartPieces(MakeRect(0, 0, 520, 8), MakeRect(0, 0, 10, 10), MakeRect(2, 2, 2, 2), false,
                                 false, false);
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_EQ(pieces[0].dst, MakeRect(2, 2, 518, 6));  // middle, stretched
    EXPECT_EQ(pieces[0].src, MakeRect(2, 2, 8, 8));
    EXPECT_EQ(pieces[1].dst, MakeRect(0, 0, 2, 2));  // top-left corner at its size
    EXPECT_EQ(pieces[4].src, MakeRect(8, 8, 10, 10));
    EXPECT_EQ(pieces[5].dst, MakeRect(2, 0, 518, 2));  // top edge scaled horizontally
    auto holed = NinePartPieces(MakeRect(0, 0, 20, 20), MakeRect(0, 0, 10, 10), MakeRect(2, 2, 2, 2), true, false,
                                false);
    EXPECT_EQ(holed.size(), 8u);
    // Tiled middle: 6-wide source repeated over 16 columns, the last copy cut.
    auto tiled = NinePartPieces(MakeRect(0, 0, 20, 10), MakeRect(0, 0, 10, 10), MakeRect(2, 2, 2, 2), false, true,
                                false);
    EXPECT_EQ(tiled[0].dst, MakeRect(2, 2, 8, 8));
    EXPECT_EQ(tiled[1].dst, MakeRect(8, 2, 14, 8));
    EXPECT_EQ(tiled[2].dst, MakeRect(14, 2, 18, 8));
    EXPECT_EQ(tiled[2].src, MakeRect(2, 2, 6, 8));
}
