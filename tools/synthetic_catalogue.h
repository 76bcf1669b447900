#pragma once
// A generated catalogue of any size for benchmarks and soak tests: N projects spread evenly
// over the eleven categories, with varied texts in the three languages.
#include "catalogue_content.h"

#include <array>

class SyntheticCatalogue {
public:
    explicit SyntheticCatalogue(int projectCount);

    // Names, labels and introductory pages; no projects.
    const CatalogueContent& furniture() const { return m_furniture; }
    const std::array<int, 12>& counts() const { return m_counts; }
    // Project `position` (from 1) of `category`.
    ProjectRecord project(int category, int position) const;

private:
    int m_projectCount;
    std::array<int, 12> m_counts{};
    std::array<int, 12> m_firstIndex{};
    CatalogueContent m_furniture;
};
