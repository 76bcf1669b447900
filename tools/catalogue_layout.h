#pragma once
// The order of the catalogue's pages and their file names: three introductory pages in
// category 0, then for each category 1..11 its title page (position 0) and its projects.
#include <QString>
#include <array>
#include <optional>

struct PagePosition {
    int category = 0;
    int position = 0;
    bool operator==(const PagePosition& other) const
    {
        return category == other.category && position == other.position;
    }
};

class CatalogueLayout {
public:
    // counts[c] is the number of projects of category c (1..11); entry 0 is ignored.
    explicit CatalogueLayout(const std::array<int, 12>& counts);

    // "01007r.html": two category digits, at least three position digits, the language letter.
    static QString pageFileName(int category, int position, const QString& letter);

    int projectCount(int category) const { return m_counts[category]; }
    // Projects that get a page: page names only have room for three position digits.
    int pagedProjectCount(int category) const;

    // The neighbours of a page in catalogue order among the pages that are written;
    // empty at the two ends of the catalogue.
    std::optional<PagePosition> previous(PagePosition page) const;
    std::optional<PagePosition> next(PagePosition page) const;

private:
    std::array<int, 12> m_counts;
};
