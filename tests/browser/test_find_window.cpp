// Finding text on the real main window: the find bar's keys and match count on a page, its place
// under the view, its labels per language, and the catalogue search's results page, which is no
// catalogue position while its links move the position like any link.
#include "catalogue_finder.h"
#include "catalogue_search.h"
#include "find_bar.h"
#include "main_window_under_test.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>

namespace {

QByteArray Page(const QByteArray& title, const QByteArray& body)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" + body +
        "</body></html>";
}

// A main window over a catalogue folder holding the given page files, shown and active, its first
// page loaded.
class FindWindow {
public:
    // prepare runs on the folder once the pages are written, before the window is shown.
    FindWindow(std::uint8_t language, const std::vector<std::pair<QString, QByteArray>>& pages,
               const std::function<void(const QString& folder)>& prepare = {})
        : window(language, false)
    {
        QDir(window.folder.path()).mkpath(QStringLiteral("data"));
        for (const auto& [name, content] : pages)
            writeFile(QStringLiteral("data/") + name, content);
        if (prepare)
            prepare(window.folder.path());
        window.session.ProjectCounts = {3, 2, 2, 2, 2, 20, 2, 2, 2, 2, 2, 2};
        QObject::connect(form().WebBrowser1, &TWebBrowser::loadFinished, [this] { ++loads; });
        form().show();
        form().activateWindow();
        started = QTest::qWaitForWindowActive(&form()) && waitLoaded(1);
    }

    void writeFile(const QString& name, const QByteArray& content) const
    {
        QFile file(window.folder.path() + u'/' + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    TForm1& form() const { return *window.form; }
    CatalogueFinder& finder() const { return *form().findChild<CatalogueFinder*>(); }
    bool waitIndexReady() const
    {
        return QTest::qWaitFor([&] { return finder().state() == CatalogueFinder::State::Ready; }, 60000);
    }
    FindBar& bar() const { return *form().findChild<FindBar*>(); }
    QLineEdit& text() const { return *bar().findChild<QLineEdit*>(QStringLiteral("findText")); }
    QString count() const { return bar().findChild<QLabel*>(QStringLiteral("findCount"))->text(); }
    QWebEngineView& view() const { return *form().WebBrowser1->view(); }
    bool waitLoaded(int count)
    {
        return QTest::qWaitFor([&] { return loads >= count; }, 60000);
    }
    // Runs a script in the page shown and waits for its result.
    QVariant evaluate(const QString& script)
    {
        QVariant result;
        bool done = false;
        view().page()->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
        });
        return QTest::qWaitFor([&] { return done; }, 20000) ? result : QVariant();
    }
    void goTo(std::int32_t category, std::int32_t position)
    {
        window.session.CurrentCategory = category;
        window.session.CurrentPosition = position;
        const int before = loads;
        form().OpenPage();
        waitLoaded(before + 1);
    }
    // Runs a catalogue search from the find bar and waits for its results page.
    bool searchCatalogue(const QString& query)
    {
        QTest::keyClick(&form(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        text().setText(query);
        QTest::keyClick(&text(), Qt::Key_Return);
        return QTest::qWaitFor([&] { return view().url() == CatalogueSearch::ResultsBaseUrl(window.session.ExeDir); },
                               30000) &&
            QTest::qWaitFor([&] { return !view().page()->isLoading(); }, 30000);
    }

    MainWindowUnderTest window;
    int loads = 0;
    bool started = false;
};

}  // namespace

TEST(FindInPage, KeysStepThroughEveryMatchCaseIgnoredAndEscClosesTheBarLeavingTheViewAsItWas)
{
    FindWindow w(LangEnglish, {{"00001e.html", Page("One", "<p>Pump house: the pump and the PUMP.</p><p>pumps</p>")}});
    ASSERT_TRUE(w.started);
    QWidget* view = w.form().WebBrowser1;
    const QRect viewAlone = view->geometry();
    ASSERT_TRUE(w.bar().isHidden());

    QTest::keyClick(&w.form(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(w.bar().isVisible());
    EXPECT_EQ(w.bar().parentWidget(), w.window.ui().pWB);
    EXPECT_EQ(w.bar().scope(), FindBar::Scope::Page);
    EXPECT_TRUE(w.text().hasFocus());
    // Along the view's bottom edge, as wide as the view, which gives up the bar's height.
    EXPECT_EQ(w.bar().geometry().top(), view->geometry().bottom() + 1);
    EXPECT_EQ(w.bar().geometry().left(), viewAlone.left());
    EXPECT_EQ(w.bar().geometry().right(), viewAlone.right());
    EXPECT_EQ(w.bar().geometry().bottom(), viewAlone.bottom());

    QTest::keyClicks(&w.text(), "pUmp");
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.count() == "1 of 4"; }, 20000)) << w.count().toStdString();
    const std::pair<std::pair<Qt::Key, Qt::KeyboardModifiers>, const char*> steps[] = {
        {{Qt::Key_Return, Qt::NoModifier}, "2 of 4"},    {{Qt::Key_Return, Qt::NoModifier}, "3 of 4"},
        {{Qt::Key_Return, Qt::ShiftModifier}, "2 of 4"}, {{Qt::Key_F3, Qt::NoModifier}, "3 of 4"},
        {{Qt::Key_F3, Qt::NoModifier}, "4 of 4"},        {{Qt::Key_F3, Qt::NoModifier}, "1 of 4"},
        {{Qt::Key_F3, Qt::ShiftModifier}, "4 of 4"},
    };
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(&w.text(), key.first, key.second);
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.count() == expected; }, 20000))
            << "after key " << key.first << " expected " << expected << ", shown " << w.count().toStdString();
    }

    // The window grows while the bar is open; closed, the view fills the panel again.
    w.form().resize(w.form().width() + 40, w.form().height() + 30);
    EXPECT_EQ(w.bar().geometry().bottom(), w.window.ui().pWB->height() - 1);
    QSignalSpy found(w.view().page(), &QWebEnginePage::findTextFinished);
    QTest::keyClick(&w.text(), Qt::Key_Escape);
    EXPECT_TRUE(w.bar().isHidden());
    EXPECT_EQ(view->geometry().bottom(), w.window.ui().pWB->height() - 1);
    EXPECT_EQ(view->geometry().top(), viewAlone.top());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !found.isEmpty(); }, 20000));
    EXPECT_EQ(found.last().at(0).value<QWebEngineFindTextResult>().numberOfMatches(), 0) << "highlights cleared";

    // Esc closes the bar also when the keys are in the page.
    QTest::keyClick(&w.form(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(w.bar().isVisible());
    w.view().setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.text().hasFocus(); }, 5000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(w.bar().isHidden());

    // No text: nothing found, nothing counted.
    QTest::keyClick(&w.form(), Qt::Key_F, Qt::ControlModifier);
    w.text().clear();
    QTest::keyClick(&w.text(), Qt::Key_Return);
    EXPECT_EQ(w.count(), "");
}

TEST(FindInPage, BarLabelsFollowTheInterfaceLanguage)
{
    MainWindowUnderTest window(LangEnglish);
    FindBar* bar = window.form->findChild<FindBar*>();
    auto* text = bar->findChild<QLineEdit*>(QStringLiteral("findText"));
    auto* scope = bar->findChild<QComboBox*>(QStringLiteral("findScope"));
    window.form->ShowFindInPage();
    EXPECT_EQ(text->placeholderText(), "Find in page");
    EXPECT_EQ(scope->itemText(0), "This page");
    EXPECT_EQ(scope->itemText(1), "Whole catalogue");

    window.form->cmdLangChnClick();
    EXPECT_EQ(text->placeholderText(), "在本页中查找");
    EXPECT_EQ(scope->itemText(1), "整个目录");

    window.form->cmdLangRusClick();
    window.form->ShowCatalogueSearch();
    EXPECT_EQ(scope->currentIndex(), 1);
    EXPECT_EQ(text->placeholderText(), "Найти в каталоге");
    EXPECT_EQ(scope->itemText(0), "Эта страница");
}

TEST(CatalogueSearch, ResultsPagesLeaveThePositionAndNextGoesOnFromIt)
{
    // 60 projects about pumps: two pages of results.
    std::vector<std::pair<QString, QByteArray>> pages{{"00001e.html", Page("One", "start")}};
    for (int i = 1; i <= 60; ++i)
        pages.emplace_back(QStringLiteral("01%1e.html").arg(i, 3, 10, QLatin1Char('0')),
                           Page("Project " + QByteArray::number(i), "a pump, number " + QByteArray::number(i)));
    FindWindow w(LangEnglish, pages);
    ASSERT_TRUE(w.started);
    w.window.session.ProjectCounts[1] = 60;
    ASSERT_TRUE(w.waitIndexReady());
    w.goTo(1, 7);

    ASSERT_TRUE(w.searchCatalogue("pump"));
    EXPECT_EQ(w.evaluate("document.querySelectorAll('.hit').length").toInt(), 50);
    EXPECT_EQ(w.window.session.CurrentCategory, 1);
    EXPECT_EQ(w.window.session.CurrentPosition, 7);

    // The link to the next results shows them in place, and leaves the position too.
    const int loads = w.loads;
    w.view().page()->runJavaScript("document.querySelector('.more a').click()");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return w.loads > loads && w.view().url() == CatalogueSearch::ResultsBaseUrl(w.window.session.ExeDir) &&
                !w.view().page()->isLoading();
        },
        30000));
    EXPECT_EQ(w.evaluate("document.querySelectorAll('.hit').length").toInt(), 10);
    EXPECT_EQ(w.evaluate("document.querySelector('.summary').textContent").toString(), "Pages 51–60 of about 60");
    EXPECT_EQ(w.window.session.CurrentCategory, 1);
    EXPECT_EQ(w.window.session.CurrentPosition, 7);

    // An empty query does nothing: the results stay.
    w.text().setText("   ");
    QTest::keyClick(&w.text(), Qt::Key_Return);
    QTest::qWait(200);
    EXPECT_EQ(w.view().url(), CatalogueSearch::ResultsBaseUrl(w.window.session.ExeDir));

    w.window.ui().cmdNext->click();
    EXPECT_EQ(w.window.session.CurrentPosition, 8);
    EXPECT_TRUE(w.window.navigations.last().endsWith("/data/01008e.html")) << w.window.navigations.last().toStdString();
    EXPECT_EQ(w.window.messages.count(), 0);
}

TEST(CatalogueSearch, AHitInAnotherLanguageOpensTheInterfaceLanguagesPageAndMovesThePosition)
{
    FindWindow w(LangRussian,
                 {{"00001r.html", Page("Velora", "начало")},
                  {"00001e.html", Page("Velora", "start")},
                  {"05012r.html", Page("&lt;b&gt;Турбина&lt;/b&gt; &amp;lt;", "Ветряная установка")},
                  {"05012e.html", Page("&lt;b&gt;Wind&lt;/b&gt; &amp;lt;", "A wind turbine for farms")},
                  {"05013r.html", Page("Следующий", "Насос")},
                  {"05013e.html", Page("Next", "Pump")}});
    ASSERT_TRUE(w.started);
    ASSERT_TRUE(w.waitIndexReady());
    EXPECT_TRUE(w.finder().builtInMemory()) << "the catalogue has no index/ folder";
    EXPECT_EQ(w.finder().index()->PageCount(), 6);

    ASSERT_TRUE(w.searchCatalogue("turbine"));
    EXPECT_EQ(w.window.session.CurrentCategory, 0);
    EXPECT_EQ(w.window.session.CurrentPosition, 1);
    // The title taken from the page shows as written, markup and all.
    EXPECT_EQ(w.evaluate("document.querySelector('.hit a').textContent").toString(), "<b>Wind</b> &lt;");
    EXPECT_EQ(w.evaluate("document.querySelector('.hit a').getAttribute('href')").toString(), "05012r.html");
    EXPECT_EQ(w.evaluate("document.querySelector('.found-in').textContent").toString(), "найдено в английском тексте");

    const int loads = w.loads;
    w.view().page()->runJavaScript("document.querySelector('.hit a').click()");
    ASSERT_TRUE(w.waitLoaded(loads + 1));
    EXPECT_TRUE(w.window.navigations.last().endsWith("/data/05012r.html")) << w.window.navigations.last().toStdString();
    EXPECT_EQ(w.window.session.CurrentCategory, 5);
    EXPECT_EQ(w.window.session.CurrentPosition, 12);
    w.window.ui().cmdNext->click();
    EXPECT_TRUE(w.window.navigations.last().endsWith("/data/05013r.html")) << w.window.navigations.last().toStdString();
}

TEST(CatalogueSearch, TheCataloguesOwnIndexIsUsedWhileItMatchesThePages)
{
    const std::vector<std::pair<QString, QByteArray>> pages = {{"00001e.html", Page("One", "start")},
                                                               {"01001e.html", Page("Pump", "a pump")}};
    const auto writeIndex = [](const QString& folder) { fulltext::WriteIndex(folder + u'/'); };
    {
        FindWindow w(LangEnglish, pages, writeIndex);
        ASSERT_TRUE(w.started);
        ASSERT_TRUE(w.waitIndexReady());
        EXPECT_FALSE(w.finder().builtInMemory());
        EXPECT_EQ(w.finder().index()->PageCount(), 2);
    }
    // A page changed after the index was written: the index no longer matches, and the one built
    // in memory finds the page's new words.
    FindWindow changed(LangEnglish, pages, [&](const QString& folder) {
        writeIndex(folder);
        QFile page(folder + QStringLiteral("/data/01001e.html"));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(Page("Valve", "a valve for the pump"));
    });
    ASSERT_TRUE(changed.started);
    ASSERT_TRUE(changed.waitIndexReady());
    EXPECT_TRUE(changed.finder().builtInMemory());
    ASSERT_TRUE(changed.searchCatalogue("valve"));
    EXPECT_EQ(changed.evaluate("document.querySelector('.hit a').getAttribute('href')").toString(), "01001e.html");
}
