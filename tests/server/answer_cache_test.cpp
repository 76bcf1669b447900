// Answers kept for reuse: bounded by bytes with the least recently used going first, never older
// than their lifetime, and all dropped once the catalogue's stamp changes.
#include "answer_cache.h"

#include <gtest/gtest.h>

namespace {

Answer Page(const char* text, int bytes)
{
    Answer answer;
    answer.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    answer.body = QByteArray(text) + QByteArray(bytes, 'x');
    return answer;
}

}  // namespace

TEST(AnswerCache, KeepsWithinItsBoundAndLifetimeWhileTheStampHolds)
{
    std::chrono::steady_clock::time_point now{};
    AnswerCache cache(10000, std::chrono::seconds(60), [&now] { return now; });
    // Three answers of about 3 KB fill 10 KB; using the first makes the second the oldest, which
    // the fourth pushes out.
    cache.Keep("/en/find?q=a", "s1", Page("a", 3000));
    cache.Keep("/en/find?q=b", "s1", Page("b", 3000));
    cache.Keep("/en/find?q=c", "s1", Page("c", 3000));
    ASSERT_TRUE(cache.Find("/en/find?q=a", "s1"));
    cache.Keep("/en/find?q=d", "s1", Page("d", 3000));
    EXPECT_FALSE(cache.Find("/en/find?q=b", "s1"));
    for (const char* kept : {"/en/find?q=a", "/en/find?q=c", "/en/find?q=d"}) {
        const std::optional<Answer> answer = cache.Find(kept, "s1");
        ASSERT_TRUE(answer) << kept;
        EXPECT_EQ(answer->body.at(0), kept[11]);
        // Kept with its tag and gzip form, made once.
        EXPECT_FALSE(answer->etag.isEmpty());
        EXPECT_FALSE(answer->packed.isEmpty());
    }
    EXPECT_LE(cache.bytes(), 10000);
    // One larger than the whole bound is not kept, and pushes nothing out.
    cache.Keep("/en/find?q=e", "s1", Page("e", 20000));
    EXPECT_FALSE(cache.Find("/en/find?q=e", "s1"));
    EXPECT_TRUE(cache.Find("/en/find?q=d", "s1"));

    // Past its lifetime an answer is gone, even when asked for often.
    now += std::chrono::seconds(59);
    EXPECT_TRUE(cache.Find("/en/find?q=a", "s1"));
    now += std::chrono::seconds(1);
    EXPECT_FALSE(cache.Find("/en/find?q=a", "s1"));

    // A new stamp (the database or the index changed) drops every answer, also those made later
    // under the old stamp and kept after the change was seen.
    cache.Keep("/en/find?q=f", "s1", Page("f", 100));
    EXPECT_FALSE(cache.Find("/en/find?q=f", "s2"));
    cache.Keep("/en/find?q=g", "s1", Page("g", 100));
    EXPECT_FALSE(cache.Find("/en/find?q=g", "s2"));
    EXPECT_EQ(cache.bytes(), 0);
}

TEST(AnswerCache, ABoundOfNothingKeepsNothing)
{
    AnswerCache cache(0, std::chrono::seconds(60));
    cache.Keep("/en/find?q=a", "s1", Page("a", 10));
    EXPECT_FALSE(cache.Find("/en/find?q=a", "s1"));
}
