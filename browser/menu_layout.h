#pragma once
// Places of the menu panel's text entries per language. The entries form one chain from top to
// bottom: menu0, menu02, menu03, menu1 ... menu11; separator i stands above chain entry i + 1
// (Shape1 above menu02, Shape2 above menu03, Shape3 above menu1, Shape4 to Shape13 above menu2
// to menu11).
#include "interface_texts.h"

#include <array>
#include <optional>

constexpr int MenuSeparatorCount = 13;

// Gap between an entry's bottom and the next entry's top in the stacked layout.
constexpr int MenuStackGap = 12;
// A separator stands this far above the entry below it in the stacked layout.
constexpr int MenuSeparatorLift = 10;

struct MenuLayout {
    // Indexed by chain position; entry 0 (menu0) keeps its place in every language.
    std::array<int, MenuEntryCount> tops{};
    std::array<int, MenuEntryCount> heights{};
    // An empty value leaves the separator where it is.
    std::array<std::optional<int>, MenuSeparatorCount> separatorTops{};
};

// Fixed heights and tops; the first separator is not moved.
MenuLayout RussianMenuLayout(int menu0Top, int menu0Height);

// English heights, each entry stacked below the one before it with a gap, every separator just
// above its entry.
MenuLayout EnglishMenuLayout(int menu0Top, int menu0Height);

// Stacks entries 1 and on below entry 0 and puts every separator above its entry: the rule the
// English layout follows, for any heights.
void StackMenuEntries(MenuLayout& layout);

// The browser panel's span across the main window: 4 pixels right of the menu panel, or of the
// window's left edge while the menu is hidden, and 4 pixels short of the right edge.
struct PanelSpan {
    int left;
    int width;
};
PanelSpan BrowserPanelSpan(int windowWidth, int menuWidth, bool menuShown);
