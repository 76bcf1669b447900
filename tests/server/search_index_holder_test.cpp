// The server's full-text index: each searching thread has its own opening of an index on disk, so
// one reader's search never waits for another's.
#include "search_index_holder.h"
#include "test_paths.h"

#include <future>

#include <gtest/gtest.h>

TEST(SearchIndexHolder, ThreadsSearchTheirOwnOpeningOfTheIndex)
{
    const SearchIndexHolder holder(testing_support::demoCatalogueDir());
    ASSERT_EQ(holder.state(), SearchIndexHolder::State::Ready);
    const auto search = [&holder] {
        const fulltext::CatalogueIndex* index = holder.index();
        const fulltext::Results results =
            index ? index->Find(QStringLiteral("pump"), QStringLiteral("e"), 0, 10) : fulltext::Results{};
        return std::make_pair(index, results.hits.empty() ? QString() : results.hits.front().pageFile);
    };
    const auto here = search();
    const auto there = std::async(std::launch::async, search).get();
    ASSERT_NE(here.first, nullptr);
    ASSERT_NE(there.first, nullptr);
    EXPECT_NE(here.first, there.first);
    EXPECT_EQ(here.first, holder.index());
    EXPECT_EQ(here.second, "06005e.html");
    EXPECT_EQ(there.second, here.second);
}
