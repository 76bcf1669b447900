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
void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}
}  // namespace

TEST(WebBrowser, ReportsRequestedNavigationsOnceAndLinksWithTheirAnchor)
{
    QTemporaryDir root;
    const QString folder = root.path() + "/Папка с #знаком";
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteFile(folder + "/00001r.html", "<html><body><a href='02003r.html#top'>next</a></body></html>");
    WriteFile(folder + "/02003r.html", "<html><body id='top'>two</body></html>");

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
