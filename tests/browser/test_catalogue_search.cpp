// The results page while the index is still being prepared: it says so with the number of pages
// read, keeps that number up to date, and gives way to the results once the index is ready.
// Queries run off the window's thread, the newest replacing one still running, and an index that
// proves damaged gives way to one built in memory.
#include "catalogue_finder.h"
#include "catalogue_search.h"
#include "session.h"
#include "test_support.h"
#include "web_browser.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <QTimer>

#include <mutex>
#include <thread>

namespace {

// An index whose queries wait until released, and that records the queries it ran.
class SlowIndex : public fulltext::CatalogueIndex {
public:
    fulltext::Results Find(const QString& query, const QString&, int, int) const override
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            ran_ << query;
        }
        // Released by the test; the guard only keeps a broken run from hanging.
        for (int waited = 0; !released_ && waited < 30000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        fulltext::Hit hit;
        hit.category = 3;
        hit.position = 7;
        hit.letter = QStringLiteral("e");
        hit.pageFile = QStringLiteral("03007e.html");
        hit.title = QStringLiteral("Hit for ") + query;
        return {{hit}, 1};
    }
    int PageCount() const override { return 1; }
    QStringList ran() const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return ran_;
    }

    std::atomic_bool released_{false};

private:
    mutable std::mutex mutex_;
    mutable QStringList ran_;
};

class DamagedIndex : public fulltext::CatalogueIndex {
public:
    fulltext::Results Find(const QString&, const QString&, int, int) const override
    {
        throw fulltext::UnsoundIndex(QStringLiteral("index/postlist.glass: damaged"));
    }
    int PageCount() const override { return 1; }
};

class OneHitIndex : public fulltext::CatalogueIndex {
public:
    fulltext::Results Find(const QString&, const QString&, int, int) const override
    {
        fulltext::Hit hit;
        hit.category = 2;
        hit.position = 3;
        hit.letter = QStringLiteral("e");
        hit.pageFile = QStringLiteral("02003e.html");
        hit.title = QStringLiteral("Pump station");
        hit.snippet = QStringLiteral("a pump");
        return {{hit}, 1};
    }
    int PageCount() const override { return 1; }
};

QString TextOf(QWebEngineView& view, const QString& selector)
{
    QString text;
    bool done = false;
    view.page()->runJavaScript(
        QStringLiteral("(function(){var e=document.querySelector('%1');return e?e.textContent:'';})()").arg(selector),
        [&](const QVariant& value) {
            text = value.toString();
            done = true;
        });
    return QTest::qWaitFor([&] { return done; }, 20000) ? text : QString();
}

// A session with the view showing a page and a catalogue search on the given finder.
struct SearchSession {
    explicit SearchSession(CatalogueFinder& finder)
    {
        session.FillLanguages();
        session.CurrentLanguage = LangEnglish;
        session.ExeDir = folder.path() + u'/';
        browser.resize(600, 400);
        browser.show();
        browser.Navigate(QStringLiteral("file://") + session.ExeDir + QStringLiteral("data/00001e.html"));
        search = std::make_unique<CatalogueSearch>(session, &browser, &finder);
    }
    QString firstTitle() { return TextOf(*browser.view(), ".hit a"); }

    Session session;
    QTemporaryDir folder;
    TWebBrowser browser;
    std::unique_ptr<CatalogueSearch> search;
};

}  // namespace

// A long query froze the window: the search ran on its thread. The window's timers keep
// turning while the query runs, and its results come when it ends.
TEST(CatalogueSearch, TheWindowKeepsTurningWhileAQueryRuns)
{
    auto index = std::make_unique<SlowIndex>();
    SlowIndex& slow = *index;
    CatalogueFinder finder([&](const QString&) { return std::move(index); },
                           [](const QString&, const std::function<void(int)>&, const std::atomic_bool&) {
                               return std::unique_ptr<fulltext::CatalogueIndex>();
                           });
    finder.Start(QStringLiteral("/cat/"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finder.state() == CatalogueFinder::State::Ready; }, 10000));
    SearchSession s(finder);
    // Released from another thread in any case, so that a search on this thread would end too.
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        slow.released_ = true;
    });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    s.search->Search(QStringLiteral("pump"));
    QTest::qWait(500);
    EXPECT_GE(ticks, 10) << "the event loop stood still while the query ran";
    EXPECT_TRUE(s.search->Searching());
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.firstTitle() == "Hit for pump"; }, 20000));
    releaser.join();
}

// Queries typed one after another while the first still runs: the last one's results are shown,
// the one in between never runs, and the first one's results are dropped.
TEST(CatalogueSearch, TheNewestQueryReplacesOneStillRunning)
{
    auto index = std::make_unique<SlowIndex>();
    SlowIndex& slow = *index;
    CatalogueFinder finder([&](const QString&) { return std::move(index); },
                           [](const QString&, const std::function<void(int)>&, const std::atomic_bool&) {
                               return std::unique_ptr<fulltext::CatalogueIndex>();
                           });
    finder.Start(QStringLiteral("/cat/"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finder.state() == CatalogueFinder::State::Ready; }, 10000));
    SearchSession s(finder);
    s.search->Search(QStringLiteral("first"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.ran().size() == 1; }, 10000));
    s.search->Search(QStringLiteral("second"));
    s.search->Search(QStringLiteral("third"));
    slow.released_ = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.search->Searching(); }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.firstTitle() == "Hit for third"; }, 20000))
        << s.firstTitle().toStdString();
    EXPECT_EQ(slow.ran(), (QStringList{QStringLiteral("first"), QStringLiteral("third")}));
}

// An index that proves damaged while it is searched answered "nothing found"; now the search
// waits for one built in memory and shows its results.
TEST(CatalogueSearch, ADamagedIndexGivesWayToOneBuiltInMemory)
{
    int builds = 0;
    CatalogueFinder finder([](const QString&) { return std::make_unique<DamagedIndex>(); },
                           [&](const QString&, const std::function<void(int)>&, const std::atomic_bool&) {
                               ++builds;
                               return std::make_unique<OneHitIndex>();
                           });
    finder.Start(QStringLiteral("/cat/"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finder.state() == CatalogueFinder::State::Ready; }, 10000));
    SearchSession s(finder);
    s.search->Search(QStringLiteral("pump"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.firstTitle() == "Pump station"; }, 20000))
        << s.firstTitle().toStdString();
    EXPECT_TRUE(finder.builtInMemory());
    EXPECT_EQ(builds, 1);
}

TEST(CatalogueSearch, TheNoticeCountsThePagesReadAndGivesWayToTheResults)
{
    Session session;
    session.FillLanguages();
    session.CurrentLanguage = LangEnglish;
    QTemporaryDir folder;
    session.ExeDir = folder.path() + u'/';

    std::atomic_bool release{false};
    CatalogueFinder finder([](const QString&) { return nullptr; },
                           [&](const QString&, const std::function<void(int)>& progress,
                               const std::atomic_bool& cancel) -> std::unique_ptr<fulltext::CatalogueIndex> {
                               progress(12);
                               while (!release && !cancel)
                                   std::this_thread::sleep_for(std::chrono::milliseconds(5));
                               progress(40);
                               return std::make_unique<OneHitIndex>();
                           });
    TWebBrowser browser;
    browser.resize(600, 400);
    browser.show();
    browser.Navigate(QStringLiteral("file://") + session.ExeDir + QStringLiteral("data/00001e.html"));
    CatalogueSearch search(session, &browser, &finder);

    search.Search(QStringLiteral("pump"));
    QWebEngineView& view = *browser.view();
    EXPECT_TRUE(QTest::qWaitFor([&] { return TextOf(view, "#pages-read") == "12"; }, 20000))
        << TextOf(view, ".summary").toStdString();
    EXPECT_TRUE(TextOf(view, ".summary").startsWith("The catalogue index is still being built"));

    release = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return TextOf(view, ".hit a") == "Pump station"; }, 20000))
        << TextOf(view, ".summary").toStdString();
    EXPECT_EQ(view.url(), CatalogueSearch::ResultsBaseUrl(session.ExeDir));
}
