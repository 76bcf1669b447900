// Rules of the main window's layout without widgets: the menu panel's places per language, the
// anchoring rule and the fitting of pictures into their boxes.
#include "anchors.h"
#include "fitted_picture.h"
#include "menu_layout.h"

#include <gtest/gtest.h>

namespace {

// Chain order: menu0, menu02, menu03, menu1 ... menu11.
const std::array<int, MenuEntryCount> englishTops{8, 53, 110, 155, 200, 233, 266, 311, 356, 389, 422, 479, 524, 569};
const std::array<int, MenuEntryCount> englishHeights{33, 45, 33, 33, 21, 21, 33, 33, 21, 21, 45, 33, 33, 33};
const std::array<int, MenuSeparatorCount> englishSeparators{43,  100, 145, 190, 223, 256, 301,
                                                            346, 379, 412, 469, 514, 559};
const std::array<int, MenuEntryCount> russianTops{8, 48, 100, 132, 184, 236, 264, 316, 380, 408, 448, 500, 540, 580};
const std::array<int, MenuEntryCount> russianHeights{33, 45, 21, 45, 45, 21, 45, 57, 21, 33, 45, 33, 33, 17};

TEST(MenuLayout, EnglishStacksEveryEntryWithItsSeparatorAboveIt)
{
    const MenuLayout layout = EnglishMenuLayout(8, 33);
    EXPECT_EQ(layout.tops, englishTops);
    EXPECT_EQ(layout.heights, englishHeights);
    for (int i = 0; i < MenuSeparatorCount; ++i) {
        ASSERT_TRUE(layout.separatorTops[i].has_value()) << "separator " << i + 1;
        EXPECT_EQ(*layout.separatorTops[i], englishSeparators[i]) << "separator " << i + 1;
    }
}

TEST(MenuLayout, EnglishFollowsWhereverTheFirstEntryIs)
{
    const MenuLayout layout = EnglishMenuLayout(20, 40);
    EXPECT_EQ(layout.tops[1], 20 + 40 + 12);
    EXPECT_EQ(layout.tops[13], 569 + 12 + 7);
    EXPECT_EQ(*layout.separatorTops[0], 20 + 40 + 12 - 10);
}

TEST(MenuLayout, RussianHasFixedPlacesAndLeavesTheFirstSeparator)
{
    const MenuLayout layout = RussianMenuLayout(8, 33);
    EXPECT_EQ(layout.tops, russianTops);
    EXPECT_EQ(layout.heights, russianHeights);
    EXPECT_FALSE(layout.separatorTops[0].has_value());
    const std::array<int, MenuSeparatorCount - 1> separators{92, 120, 176, 228, 256, 308, 372, 400, 440, 492, 532, 572};
    for (int i = 1; i < MenuSeparatorCount; ++i)
        EXPECT_EQ(layout.separatorTops[i].value_or(-1), separators[i - 1]) << "separator " << i + 1;
}

TEST(AnchoredRect, EachAxisFollowsItsAnchoredEdges)
{
    const QRect rect(10, 20, 100, 50);
    const QSize base(400, 300);
    const QSize grown(460, 340);  // dx 60, dy 40
    EXPECT_EQ(AnchoredRect(rect, base, grown, AnchorLeft | AnchorTop), rect);
    EXPECT_EQ(AnchoredRect(rect, base, grown, AnchorLeft | AnchorTop | AnchorRight), QRect(10, 20, 160, 50));
    EXPECT_EQ(AnchoredRect(rect, base, grown, AnchorLeft | AnchorRight | AnchorBottom), QRect(10, 60, 160, 50));
    EXPECT_EQ(AnchoredRect(rect, base, grown, AnchorAll), QRect(10, 20, 160, 90));
    EXPECT_EQ(AnchoredRect(rect, base, grown, AnchorRight | AnchorBottom), QRect(70, 60, 100, 50));
    // Shrinking undoes growing.
    EXPECT_EQ(AnchoredRect(QRect(10, 20, 160, 90), grown, base, AnchorAll), rect);
}

TEST(AnchoredRect, WithoutAnchorsOnAnAxisTheCentreKeepsItsRelativePlace)
{
    // Centre at 200 of 400 stays at the middle of 600.
    EXPECT_EQ(AnchoredRect(QRect(150, 0, 100, 10), QSize(400, 100), QSize(600, 100), AnchorTop),
              QRect(250, 0, 100, 10));
}

TEST(AnchoredRect, NeverGivesANegativeSize)
{
    const QRect r = AnchoredRect(QRect(0, 0, 20, 20), QSize(100, 100), QSize(50, 50), AnchorAll);
    EXPECT_EQ(r.size(), QSize(0, 0));
}

TEST(FittedPictureSize, OnlyLargerPicturesShrinkAndKeepTheirProportions)
{
    EXPECT_EQ(FittedPictureSize(QSize(700, 90), QSize(829, 97)), QSize(700, 90));
    EXPECT_EQ(FittedPictureSize(QSize(147, 96), QSize(157, 97)), QSize(147, 96));
    EXPECT_EQ(FittedPictureSize(QSize(829, 97), QSize(829, 97)), QSize(829, 97));
    EXPECT_EQ(FittedPictureSize(QSize(700, 90), QSize(350, 97)), QSize(350, 45));
    EXPECT_EQ(FittedPictureSize(QSize(600, 68), QSize(829, 34)), QSize(300, 34));
}

}  // namespace
