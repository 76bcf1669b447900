// The index holder: the catalogue's own index when it opens, else one built in memory on
// another thread with its progress counted; a failed build leaves the search unavailable
// instead of raising anything; destroying the holder stops a build under way.
#include "catalogue_finder.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <stdexcept>
#include <thread>

namespace {

class FakeIndex : public fulltext::CatalogueIndex {
public:
    explicit FakeIndex(int pages) : pages_(pages) {}
    fulltext::Results Find(const QString&, const QString&, int, int) const override { return {}; }
    int PageCount() const override { return pages_; }

private:
    int pages_;
};

// Waits for the holder's one report that the index is prepared (or cannot be).
bool WaitPrepared(CatalogueFinder& finder)
{
    QSignalSpy prepared(&finder, &CatalogueFinder::prepared);
    return prepared.wait(10000) && prepared.count() == 1;
}

}  // namespace

TEST(CatalogueFinder, OpensTheCataloguesIndexOrBuildsOneInMemory)
{
    int builds = 0;
    CatalogueFinder withIndex([](const QString&) { return std::make_unique<FakeIndex>(7); },
                              [&](const QString&, const std::function<void(int)>&, const std::atomic_bool&) {
                                  ++builds;
                                  return std::make_unique<FakeIndex>(1);
                              });
    EXPECT_EQ(withIndex.index(), nullptr);
    withIndex.Start("/cat/");
    ASSERT_TRUE(WaitPrepared(withIndex));
    ASSERT_EQ(withIndex.state(), CatalogueFinder::State::Ready);
    EXPECT_EQ(withIndex.index()->PageCount(), 7);
    EXPECT_FALSE(withIndex.builtInMemory());
    EXPECT_EQ(builds, 0);

    QString builtFrom;
    std::thread::id builtOn;
    CatalogueFinder without([](const QString&) { return nullptr; },
                            [&](const QString& dir, const std::function<void(int)>& progress, const std::atomic_bool&) {
                                builtFrom = dir;
                                builtOn = std::this_thread::get_id();
                                progress(40);
                                progress(99);
                                return std::make_unique<FakeIndex>(99);
                            });
    without.Start("/cat/");
    without.Start("/other/");  // a second start changes nothing
    ASSERT_TRUE(WaitPrepared(without));
    ASSERT_EQ(without.state(), CatalogueFinder::State::Ready);
    EXPECT_TRUE(without.builtInMemory());
    EXPECT_EQ(without.pagesRead(), 99);
    EXPECT_EQ(builtFrom, "/cat/");
    EXPECT_NE(builtOn, std::this_thread::get_id()) << "the build must not hold up the window's thread";
}

TEST(CatalogueFinder, AFailedBuildLeavesTheSearchUnavailable)
{
    CatalogueFinder failing(
        [](const QString&) -> std::unique_ptr<fulltext::CatalogueIndex> { throw std::runtime_error("damaged"); },
        [](const QString&, const std::function<void(int)>&, const std::atomic_bool&)
            -> std::unique_ptr<fulltext::CatalogueIndex> { throw std::runtime_error("unreadable"); });
    failing.Start("/cat/");
    ASSERT_TRUE(WaitPrepared(failing));
    EXPECT_EQ(failing.state(), CatalogueFinder::State::Unavailable);
    EXPECT_EQ(failing.index(), nullptr);
}

TEST(CatalogueFinder, DestroyingTheHolderStopsABuildUnderWay)
{
    std::atomic_bool building{false};
    std::atomic_bool sawCancel{false};
    {
        CatalogueFinder finder([](const QString&) { return nullptr; },
                               [&](const QString&, const std::function<void(int)>& progress,
                                   const std::atomic_bool& cancel) -> std::unique_ptr<fulltext::CatalogueIndex> {
                                   building = true;
                                   // Long enough to outlast the holder by far, short enough not to hang.
                                   for (int page = 0; page < 5000 && !cancel; ++page) {
                                       progress(page);
                                       std::this_thread::sleep_for(std::chrono::milliseconds(1));
                                   }
                                   sawCancel = cancel.load();
                                   return nullptr;
                               });
        finder.Start("/cat/");
        ASSERT_TRUE(QTest::qWaitFor([&] { return building.load(); }, 5000));
    }
    EXPECT_TRUE(sawCancel) << "the holder went while the build ran on";
}
