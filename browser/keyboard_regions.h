#pragma once
// Moving the keyboard focus by region in the main window: F6 goes on to the next region, Shift+F6
// back, round in the order page, menu, bottom bar, find bar; on the menu panel the arrow keys,
// Home and End move between the entries that show. Plain rules, wired by the main window.
#include "catalogue_position.h"

#include <optional>
#include <vector>

enum class WindowRegion { Page, Menu, BottomBar, FindBar };

// The region after `current` (before it when backward) among the available ones, given in F6
// order; the first available one when `current` is not available. None when nothing is.
std::optional<WindowRegion> NextRegion(WindowRegion current, const std::vector<WindowRegion>& available, bool backward);

// Among `count` entries, the one a key moves to from `current`: Up and Down go round the ends,
// Home and End go to the first and the last. None for any other key or when there is no entry.
std::optional<int> MenuEntryAfterKey(int current, int count, int key);

// The menu entry (chain index: menu0, menu02, menu03, menu1 ... menu11) under which a position
// falls: an introductory page's own entry, a category's entry for its title page and projects.
// None for a position outside the catalogue.
std::optional<int> MenuEntryOfPosition(const CataloguePosition& at);
