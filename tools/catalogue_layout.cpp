#include "catalogue_layout.h"

#include "catalogue_content.h"

#include <algorithm>

CatalogueLayout::CatalogueLayout(const std::array<int, 12>& counts) : m_counts(counts)
{
    m_counts[0] = 3;
}

QString CatalogueLayout::pageFileName(int category, int position, const QString& letter)
{
    return QStringLiteral("%1%2%3.html")
        .arg(category, 2, 10, QLatin1Char('0'))
        .arg(position, 3, 10, QLatin1Char('0'))
        .arg(letter);
}

int CatalogueLayout::pagedProjectCount(int category) const
{
    return std::min(m_counts[category], kMaxProjectsPerCategory);
}

std::optional<PagePosition> CatalogueLayout::previous(PagePosition page) const
{
    if (page.category == 0)
        return page.position > 1 ? std::optional<PagePosition>({0, page.position - 1}) : std::nullopt;
    if (page.position > 0)
        return PagePosition{page.category, page.position - 1};
    const int before = page.category - 1;
    if (before == 0)
        return PagePosition{0, 3};
    return PagePosition{before, pagedProjectCount(before)};
}

std::optional<PagePosition> CatalogueLayout::next(PagePosition page) const
{
    const int last = page.category == 0 ? 3 : pagedProjectCount(page.category);
    if (page.position < last)
        return PagePosition{page.category, page.position + 1};
    if (page.category == kCategoryCount)
        return std::nullopt;
    return PagePosition{page.category + 1, 0};
}
