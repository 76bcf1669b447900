#include "catalogue_layout.h"

#include "page_names.h"

#include <algorithm>

CatalogueLayout::CatalogueLayout(const std::array<int, 12>& counts) : m_counts(counts)
{
    m_counts[0] = IntroductoryPageCount;
    for (std::size_t category = 0; category < m_counts.size(); ++category)
        m_paged[category] = std::min(m_counts[category], MostPagedProjects);
}
