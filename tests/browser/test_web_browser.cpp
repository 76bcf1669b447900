// The HTML view adapter: a requested navigation is reported once, before Navigate returns, in the
// caller's own words; a link the page follows is reported with its file path and its anchor.
#include <gtest/gtest.h>

#include "test_support.h"
#include "web_browser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
// Writes the pages (file name, content) into a folder whose name has a blank, a "#" and Cyrillic
// letters, inside root, and returns the folder.
QString PageFolder(const QTemporaryDir& root, std::initializer_list<std::pair<const char*, QByteArray>> pages)
{
    const QString folder = root.path() + "/Папка с #знаком";
    EXPECT_TRUE(QDir().mkpath(folder));
    for (const auto& [name, content] : pages) {
        QFile file(folder + '/' + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    return folder;
}
}  // namespace

TEST(WebBrowser, ReportsRequestedNavigationsOnceAndLinksWithTheirAnchor)
{
    QTemporaryDir root;
    const QString folder = PageFolder(root,
                                      {{"00001r.html", "<html><body><a href='02003r.html#top'>next</a></body></html>"},
                                       {"02003r.html", "<html><body id='top'>two</body></html>"}});

    TWebBrowser browser;
    browser.resize(400, 300);
    browser.show();
    QStringList reported;
    bool loaded = false;
    QObject::connect(&browser, &TWebBrowser::BeforeNavigate2, [&](const QString& url) { reported << url; });
    QObject::connect(&browser, &TWebBrowser::loadFinished, [&](bool ok) { loaded = ok; });

    const QString requested = "file://" + folder + "/00001r.html";
    browser.Navigate(requested);
    ASSERT_EQ(reported, QStringList{requested}) << "reported before Navigate returns";
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded; }, 60000)) << "the page in a folder with '#' did not load";
    EXPECT_EQ(reported.size(), 1) << "the engine's own report of a requested navigation is not repeated";

    loaded = false;
    browser.view()->page()->runJavaScript("document.querySelector('a').click()");
    ASSERT_TRUE(QTest::qWaitFor([&] { return reported.size() == 2; }, 60000));
    EXPECT_EQ(reported.last(), "file://" + folder + "/02003r.html#top");
}

// A page loaded ahead is taken by the Navigate that asks for it: nothing of it is reported before,
// then its address, then the navigation it made meanwhile, then the end of its load, once.
TEST(WebBrowser, APreloadedPageIsReportedOnlyWhenNavigateTakesIt)
{
    QTemporaryDir root;
    const QString folder = PageFolder(
        root,
        {{"00001r.html", "<html><body onload=\"setTimeout(() => location.replace('00002r.html'))\">one</body></html>"},
         {"00002r.html", "<html><body>two</body></html>"}});

    QStringList reported;
    int loads = 0;
    int engineLoads = 0;
    TWebBrowser browser;
    browser.resize(400, 300);
    QObject::connect(&browser, &TWebBrowser::BeforeNavigate2, [&](const QString& url) { reported << url; });
    QObject::connect(&browser, &TWebBrowser::loadFinished, [&](bool ok) { loads += ok ? 1 : 100; });

    const QString first = "file://" + folder + "/00001r.html";
    browser.Preload(first);
    QObject::connect(browser.view()->page(), &QWebEnginePage::loadFinished, [&] { ++engineLoads; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return engineLoads == 2; }, 60000)) << "the page and the one it forwards to";
    EXPECT_TRUE(reported.isEmpty());
    EXPECT_EQ(loads, 0);

    browser.show();
    browser.Navigate(first);
    EXPECT_EQ(reported, (QStringList{first, "file://" + folder + "/00002r.html"}));
    EXPECT_EQ(loads, 0) << "the end of a load is reported from the event loop";
    QTest::qWait(300);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(engineLoads, 2) << "the page was not loaded again";
}

// A preload given up for another page (before the engine began it, or while it loads) leaves the
// reports and the one end of a load of the page asked for; taken before the engine began it, it
// is reported as a page navigated to: the page, then its frame.
TEST(WebBrowser, APreloadReplacedOrTakenAtOnceEndsOnce)
{
    QTemporaryDir root;
    // The Russian page holds its load open for a while after it is shown: its frame is slow.
    const QString folder = PageFolder(
        root,
        {{"00001r.html", "<html><body>one<iframe src='slow.html'></iframe></body></html>"},
         {"slow.html",
          "<html><body><script>const t = Date.now(); while (Date.now() - t < 1500) {}</script></body></html>"},
         {"00001e.html", "<html><body>one in English</body></html>"}});
    const QString russian = "file://" + folder + "/00001r.html";
    const QString english = "file://" + folder + "/00001e.html";

    struct Case {
        QString chosen;
        bool afterItBegan;
    };
    for (const Case& c : {Case{english, false}, Case{english, true}, Case{russian, false}}) {
        SCOPED_TRACE(qPrintable(c.chosen + (c.afterItBegan ? " after the preload began" : "")));
        QStringList reported;
        QList<bool> loads;
        TWebBrowser browser;
        browser.resize(400, 300);
        browser.show();
        QObject::connect(&browser, &TWebBrowser::BeforeNavigate2, [&](const QString& url) { reported << url; });
        QObject::connect(&browser, &TWebBrowser::loadFinished, [&](bool ok) { loads << ok; });
        browser.Preload(russian);
        if (c.afterItBegan) {
            bool began = false;
            const auto watch =
                QObject::connect(browser.view()->page(), &QWebEnginePage::urlChanged, [&] { began = true; });
            const bool beganInTime = QTest::qWaitFor([&] { return began; }, 60000);
            QObject::disconnect(watch);
            ASSERT_TRUE(beganInTime);
        }
        browser.Navigate(c.chosen);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !loads.isEmpty(); }, 60000));
        QTest::qWait(c.chosen == russian ? 500 : 2000);
        const QStringList expected =
            c.chosen == russian ? QStringList{russian, "file://" + folder + "/slow.html"} : QStringList{c.chosen};
        EXPECT_EQ(reported, expected);
        EXPECT_EQ(loads, QList<bool>{true});
        EXPECT_EQ(browser.view()->url(), QUrl::fromLocalFile(c.chosen.mid(7)));
    }
}
