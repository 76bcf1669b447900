// The results page while the index is still being prepared: it says so with the number of pages
// read, keeps that number up to date, and gives way to the results once the index is ready.
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

#include <thread>

namespace {

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

}  // namespace

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
