#pragma once
// The pages a catalogue build writes, in catalogue order: three introductory pages in category 0,
// then for each category 1..11 its title page (position 0) and its projects, up to the most a
// page name can carry.
#include "catalogue_order.h"

#include <array>
#include <optional>

class CatalogueLayout {
public:
    // counts[c] is the number of projects of category c (1..11); entry 0 is ignored.
    explicit CatalogueLayout(const std::array<int, 12>& counts);

    int projectCount(int category) const { return m_counts[category]; }
    // Projects that get a page.
    int pagedProjectCount(int category) const { return m_paged[category]; }

    // The neighbours of a page in catalogue order among the pages that are written;
    // empty at the two ends of the catalogue.
    std::optional<CataloguePosition> previous(CataloguePosition page) const { return StepBackFrom(page, m_paged); }
    std::optional<CataloguePosition> next(CataloguePosition page) const { return StepForwardFrom(page, m_paged); }

private:
    std::array<int, 12> m_counts;
    CategoryCounts m_paged;
};
