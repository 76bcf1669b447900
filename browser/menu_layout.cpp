#include "menu_layout.h"

namespace {
constexpr std::array<int, MenuEntryCount> russianHeights{33, 45, 21, 45, 45, 21, 45, 57, 21, 33, 45, 33, 33, 17};
constexpr std::array<int, MenuEntryCount> russianTops{8,   48,  100, 132, 184, 236, 264,
                                                      316, 380, 408, 448, 500, 540, 580};
// The Russian layout leaves the first separator alone.
constexpr std::array<int, MenuSeparatorCount> russianSeparatorTops{0,   92,  120, 176, 228, 256, 308,
                                                                   372, 400, 440, 492, 532, 572};
constexpr std::array<int, MenuEntryCount> englishHeights{33, 45, 33, 33, 21, 21, 33, 33, 21, 21, 45, 33, 33, 33};
}  // namespace

MenuLayout RussianMenuLayout(int menu0Top, int menu0Height)
{
    MenuLayout layout;
    layout.tops = russianTops;
    layout.heights = russianHeights;
    layout.tops[0] = menu0Top;
    layout.heights[0] = menu0Height;
    for (int i = 1; i < MenuSeparatorCount; ++i)
        layout.separatorTops[i] = russianSeparatorTops[i];
    return layout;
}

MenuLayout EnglishMenuLayout(int menu0Top, int menu0Height)
{
    MenuLayout layout;
    layout.heights = englishHeights;
    layout.tops[0] = menu0Top;
    layout.heights[0] = menu0Height;
    StackMenuEntries(layout);
    return layout;
}

void StackMenuEntries(MenuLayout& layout)
{
    for (int i = 1; i < MenuEntryCount; ++i) {
        layout.tops[i] = layout.tops[i - 1] + layout.heights[i - 1] + MenuStackGap;
        layout.separatorTops[i - 1] = layout.tops[i] - MenuSeparatorLift;
    }
}

PanelSpan BrowserPanelSpan(int windowWidth, int menuWidth, bool menuShown)
{
    constexpr int margin = 4;
    const int left = (menuShown ? menuWidth : 0) + margin;
    return {left, windowWidth - left - margin};
}
