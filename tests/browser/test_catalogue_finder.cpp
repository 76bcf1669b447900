// The index holder: the catalogue's own index when it opens, else one built in memory on
// another thread with its progress counted; a failed build leaves the search unavailable
// instead of raising anything; destroying the holder stops a build under way, whatever it reads.
#include "catalogue_finder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Ctrl+Q waited for the build in memory: a page that was a FIFO blocked it for good, and the
// largest page could not be stopped halfway. The holder now goes at once whatever the build reads.
TEST(CatalogueFinder, TheHolderGoesAtOnceWhateverTheBuildIsReading)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("data")));
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile page(folder.path() + QStringLiteral("/data/") + QLatin1String(name));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(bytes);
    };
    write("00001e.html", "<html><body><p>start</p></body></html>");
    const QByteArray fifo = QFile::encodeName(folder.path() + QStringLiteral("/data/01001e.html"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    write("01002e.html", "<html><body>" + QByteArray("<div>x").repeated(2700000) + "</body></html>");

    // Lets a build stuck on the FIFO go in the end, so that a failure does not hang the tests.
    std::atomic_bool done{false};
    std::thread release([&] {
        for (int waited = 0; waited < 20000 && !done; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!done)
            ::close(::open(fifo.constData(), O_WRONLY | O_NONBLOCK));
    });
    QElapsedTimer clock;
    {
        CatalogueFinder finder;
        finder.Start(folder.path());
        QTest::qWait(1500);
        EXPECT_EQ(finder.state(), CatalogueFinder::State::Preparing);
        clock.start();
    }
    done = true;
    release.join();
    EXPECT_LT(clock.elapsed(), 10000) << "the holder waited for the build";
}
