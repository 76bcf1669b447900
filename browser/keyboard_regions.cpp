#include "keyboard_regions.h"

#include "menu_layout.h"

#include <Qt>
#include <algorithm>

std::optional<WindowRegion> NextRegion(WindowRegion current, const std::vector<WindowRegion>& available, bool backward)
{
    if (available.empty())
        return std::nullopt;
    const auto found = std::find(available.begin(), available.end(), current);
    if (found == available.end())
        return available.front();
    const int count = static_cast<int>(available.size());
    const int at = static_cast<int>(found - available.begin());
    return available[(at + (backward ? count - 1 : 1)) % count];
}

std::optional<int> MenuEntryAfterKey(int current, int count, int key)
{
    if (count <= 0)
        return std::nullopt;
    switch (key) {
    case Qt::Key_Up: return current <= 0 || current >= count ? count - 1 : current - 1;
    case Qt::Key_Down: return current < 0 || current >= count - 1 ? 0 : current + 1;
    case Qt::Key_Home: return 0;
    case Qt::Key_End: return count - 1;
    default: return std::nullopt;
    }
}

std::optional<int> MenuEntryOfPosition(const CataloguePosition& at)
{
    if (at.category == 0 && at.position >= 1 && at.position <= IntroductoryPageCount)
        return at.position - 1;
    if (at.category >= 1 && at.category <= LastCategory && at.position >= 0)
        return FirstCategoryEntry + at.category - 1;
    return std::nullopt;
}
