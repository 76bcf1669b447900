#pragma once
// A catalogue position: category 0 holds the introductory pages 1 to 3, categories 1 to 11 a title
// page at position 0 and their projects from 1 up.
#include <QString>

#include <array>
#include <cstdint>

struct CataloguePosition {
    std::int32_t category = 0;
    std::int32_t position = 0;

    friend bool operator==(const CataloguePosition& a, const CataloguePosition& b)
    {
        return a.category == b.category && a.position == b.position;
    }
    friend bool operator!=(const CataloguePosition& a, const CataloguePosition& b) { return !(a == b); }
};

constexpr std::int32_t FirstCategory = 0;
constexpr std::int32_t LastCategory = 11;
constexpr std::int32_t IntroductoryPageCount = 3;

// Projects per category, indexed 0 to 11; entry 0 is the number of introductory pages.
using CategoryCounts = std::array<std::int32_t, 12>;

inline bool IsKnownCategory(std::int32_t category) { return category >= FirstCategory && category <= LastCategory; }

// "Cat=3 PosInCat=12": the position as the main window's position label shows it.
QString PositionLabelText(std::int32_t category, std::int32_t position);
