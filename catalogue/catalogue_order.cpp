#include "catalogue_order.h"

// Positions outside the catalogue (a category outside 0 to 11, a negative position) never move, so
// no step indexes the counts out of range.
//
// Empty categories (all counts are 0 when the database could not be read) are kept simple: such a
// category shows only its title page. Next then walks the title pages up to category 11; Previous
// enters an empty category at its title page and enters category 0 at page 1 at the lowest, so no
// step opens a position before the first page.

namespace {
bool InsideCatalogue(CataloguePosition at) { return IsKnownCategory(at.category) && at.position >= 0; }
}  // namespace

std::optional<CataloguePosition> StepForwardFrom(CataloguePosition from, const CategoryCounts& counts)
{
    if (!InsideCatalogue(from))
        return std::nullopt;
    // A negative count (never read from a sound database) counts as an empty category.
    const std::int64_t count = counts[from.category] < 0 ? 0 : counts[from.category];
    if (from.category == LastCategory && from.position >= count)
        return std::nullopt;
    // Wide arithmetic: a count at the top of the 32-bit range must not overflow.
    std::int64_t position = from.position;
    if (position <= count)
        ++position;
    if (position == count + 1)
        return CataloguePosition{from.category + 1, 0};
    return CataloguePosition{from.category, static_cast<std::int32_t>(position)};
}

std::optional<CataloguePosition> StepBackFrom(CataloguePosition from, const CategoryCounts& counts)
{
    if (!InsideCatalogue(from))
        return std::nullopt;
    if (from.category == FirstCategory && from.position <= 1)
        return std::nullopt;
    if (from.position > 0)
        return CataloguePosition{from.category, from.position - 1};
    const std::int32_t previous = from.category - 1;
    const std::int32_t lowest = previous == FirstCategory ? 1 : 0;
    const std::int32_t last = counts[previous];
    return CataloguePosition{previous, last < lowest ? lowest : last};
}

CataloguePosition LastPage(const CategoryCounts& counts) { return {LastCategory, counts[LastCategory]}; }

StepButtonStates StepButtonsAt(CataloguePosition at, const CategoryCounts& counts)
{
    StepButtonStates states;
    states.nextEnabled = at != LastPage(counts);
    states.previousEnabled = at != FirstPage;
    return states;
}
