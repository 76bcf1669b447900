#pragma once
// The catalogue order: introductory pages 1 to 3, then each category's title page and its
// projects. A step answers the page to open, or nothing when the position does not move.
#include "catalogue_position.h"

#include <optional>

// Introductory page 1, where every session starts.
constexpr CataloguePosition FirstPage{FirstCategory, 1};
// The last project of category 11 (its title page while it has none).
CataloguePosition LastPage(const CategoryCounts& counts);
// The title page of a category.
constexpr CataloguePosition CategoryTitlePage(std::int32_t category) { return {category, 0}; }

// Next. Leaves a category after its last project for the title page of the following one and
// does not move at or beyond the last project of category 11. A position more than one beyond
// its category's count (reachable through a link) is reopened unchanged.
std::optional<CataloguePosition> StepForwardFrom(CataloguePosition from, const CategoryCounts& counts);

// Previous. Goes from a title page to the last project of the previous category (to introductory
// page 3 from category 1) and does not move at or before introductory page 1.
std::optional<CataloguePosition> StepBackFrom(CataloguePosition from, const CategoryCounts& counts);

struct StepButtonStates {
    bool previousEnabled = true;
    bool nextEnabled = true;
};

// Previous is off exactly at the first page, Next exactly at the last one.
StepButtonStates StepButtonsAt(CataloguePosition at, const CategoryCounts& counts);
