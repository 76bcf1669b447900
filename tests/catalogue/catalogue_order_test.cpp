// Previous and Next over a position and the counts.
#include "catalogue_order.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

const CategoryCounts kCounts{3, 4, 1, 2, 6, 20, 5, 1, 2, 3, 4, 7};

// The catalogue order written out: introductory pages 1 to 3, then each category's title page
// and its projects.
std::vector<CataloguePosition> CatalogueOrder(const CategoryCounts& counts)
{
    std::vector<CataloguePosition> order;
    for (std::int32_t p = 1; p <= counts[0]; ++p)
        order.push_back({0, p});
    for (std::int32_t c = 1; c <= 11; ++c)
        for (std::int32_t p = 0; p <= counts[c]; ++p)
            order.push_back({c, p});
    return order;
}

std::optional<CataloguePosition> Forward(std::int32_t c, std::int32_t p, const CategoryCounts& counts = kCounts)
{
    return StepForwardFrom({c, p}, counts);
}
std::optional<CataloguePosition> Back(std::int32_t c, std::int32_t p, const CategoryCounts& counts = kCounts)
{
    return StepBackFrom({c, p}, counts);
}

}  // namespace

TEST(CatalogueSteps, NextWalksTheWholeCatalogueInOrderAndPreviousWalksItBack)
{
    const std::vector<CataloguePosition> order = CatalogueOrder(kCounts);
    CataloguePosition at{0, 1};
    for (std::size_t i = 1; i < order.size(); ++i) {
        const auto next = StepForwardFrom(at, kCounts);
        ASSERT_TRUE(next) << "stopped at " << at.category << "." << at.position;
        ASSERT_EQ(*next, order[i]) << "after " << at.category << "." << at.position;
        at = *next;
    }
    EXPECT_FALSE(StepForwardFrom(at, kCounts)) << "Next moved past the last project of category 11";

    for (std::size_t i = order.size() - 1; i > 0; --i) {
        const auto previous = StepBackFrom(at, kCounts);
        ASSERT_TRUE(previous);
        ASSERT_EQ(*previous, order[i - 1]);
        at = *previous;
    }
    EXPECT_EQ(at, (CataloguePosition{0, 1}));
    EXPECT_FALSE(StepBackFrom(at, kCounts)) << "Previous moved before the first page";
}

TEST(CatalogueSteps, CategoryBoundaries)
{
    EXPECT_EQ(Forward(0, 3), (CataloguePosition{1, 0}));
    EXPECT_EQ(Back(1, 0), (CataloguePosition{0, 3}));
    EXPECT_EQ(Forward(4, 6), (CataloguePosition{5, 0}));
    EXPECT_EQ(Back(5, 0), (CataloguePosition{4, 6}));
    EXPECT_EQ(Forward(5, 0), (CataloguePosition{5, 1}));
    EXPECT_EQ(Back(5, 1), (CataloguePosition{5, 0}));
    EXPECT_EQ(Forward(10, 4), (CataloguePosition{11, 0}));
    EXPECT_EQ(Back(11, 0), (CataloguePosition{10, 4}));
}

TEST(CatalogueSteps, BothEndsDoNotMove)
{
    EXPECT_FALSE(Forward(11, 7));
    EXPECT_FALSE(Forward(11, 50));  // beyond the end, reached through a link
    EXPECT_FALSE(Back(0, 1));
    EXPECT_FALSE(Back(0, 0));  // an address like index.html reads as (0, 0)
    EXPECT_EQ(Forward(0, 0), (CataloguePosition{0, 1}));
}

TEST(CatalogueSteps, PositionsBeyondTheCountFromLinks)
{
    // One past the count leaves the category; further beyond, Next reopens the same page.
    EXPECT_EQ(Forward(2, 2), (CataloguePosition{3, 0}));
    EXPECT_EQ(Forward(2, 3), (CataloguePosition{2, 3}));
    EXPECT_EQ(Forward(0, 9), (CataloguePosition{0, 9}));
    EXPECT_EQ(Back(2, 9), (CataloguePosition{2, 8}));
}

TEST(CatalogueSteps, PositionsOutsideTheCatalogueDoNotMove)
{
    for (const auto& [c, p] : std::vector<std::pair<int, int>>{{-1, 3}, {12, 0}, {12, 5}, {99, 1}, {3, -1}, {3, -7}}) {
        EXPECT_FALSE(Forward(c, p)) << c << "." << p;
        EXPECT_FALSE(Back(c, p)) << c << "." << p;
    }
}

TEST(CatalogueSteps, EmptyCountsWalkTheTitlePagesAndNeverOpenBeforePageOne)
{
    const CategoryCounts empty{};
    CataloguePosition at{0, 1};
    std::vector<CataloguePosition> visited;
    while (const auto next = StepForwardFrom(at, empty)) {
        visited.push_back(*next);
        at = *next;
        ASSERT_LE(visited.size(), 20u);
    }
    ASSERT_EQ(visited.size(), 11u);
    for (std::int32_t c = 1; c <= 11; ++c)
        EXPECT_EQ(visited[c - 1], (CataloguePosition{c, 0}));

    while (const auto previous = StepBackFrom(at, empty)) {
        at = *previous;
        ASSERT_TRUE(at.category > 0 || at.position >= 1) << at.position;
    }
    EXPECT_EQ(at, (CataloguePosition{0, 1}));
}

TEST(CatalogueSteps, CountsAtTheEndsOfTheRange)
{
    CategoryCounts huge = kCounts;
    const std::int32_t top = std::numeric_limits<std::int32_t>::max();
    huge[3] = top;
    huge[11] = top;
    EXPECT_EQ(Forward(3, top - 1, huge), (CataloguePosition{3, top}));
    EXPECT_EQ(Forward(3, top, huge), (CataloguePosition{4, 0}));
    EXPECT_EQ(Back(4, 0, huge), (CataloguePosition{3, top}));
    EXPECT_FALSE(Forward(11, top, huge));

    // Negative counts are taken as empty categories, so Next never stays before the first page.
    CategoryCounts negative = kCounts;
    negative[0] = -5;
    negative[2] = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(Forward(0, 0, negative), (CataloguePosition{1, 0}));
    EXPECT_EQ(Forward(2, 0, negative), (CataloguePosition{3, 0}));
    EXPECT_EQ(Back(1, 0, negative), (CataloguePosition{0, 1}));
    EXPECT_EQ(Back(3, 0, negative), (CataloguePosition{2, 0}));
}
