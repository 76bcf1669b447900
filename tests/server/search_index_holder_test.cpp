// The server's full-text index: searches that run at the same time each hold an opening of an
// index on disk of their own, so one reader's search never waits for another's.
#include "search_index_holder.h"
#include "test_paths.h"

#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

TEST(SearchIndexHolder, SearchesAtTheSameTimeHoldOpeningsOfTheirOwn)
{
    const SearchIndexHolder holder(testing_support::demoCatalogueDir(), 2);
    ASSERT_EQ(holder.state(), SearchIndexHolder::State::Ready);
    // The openings come in the background; until then searches share the first. With two openings
    // ready, three searches at once hold three different ones: two of their own and the shared.
    bool own = false;
    for (int i = 0; i < 1000 && !own; ++i) {
        const SearchIndexHolder::Lease first = holder.index();
        const SearchIndexHolder::Lease second = holder.index();
        const SearchIndexHolder::Lease third = holder.index();
        own = first.get() != second.get() && third.get() != first.get() && third.get() != second.get();
        if (!own)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(own);
    const auto search = [&holder] {
        const SearchIndexHolder::Lease index = holder.index();
        const fulltext::Results results = index->Find(QStringLiteral("pump"), QStringLiteral("e"), 0, 10);
        return results.hits.empty() ? QString() : results.hits.front().pageFile;
    };
    {
        const SearchIndexHolder::Lease first = holder.index();
        const SearchIndexHolder::Lease second = holder.index();
        const SearchIndexHolder::Lease third = holder.index();
        ASSERT_TRUE(third);
        EXPECT_NE(first.get(), second.get());
        EXPECT_NE(third.get(), first.get());
        EXPECT_NE(third.get(), second.get());
        EXPECT_EQ(std::async(std::launch::async, search).get(), "06005e.html");
    }
    // Openings go back when their search ends.
    const SearchIndexHolder::Lease first = holder.index();
    const SearchIndexHolder::Lease second = holder.index();
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(search(), "06005e.html");
}
