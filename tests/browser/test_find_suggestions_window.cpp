// The catalogue search on the real main window as a reader uses it: titles offered while typing,
// the way back to the results at the place they were left, the results kept over a change of
// language, and the query's words marked on a page opened from them.
#include "catalogue_finder.h"
#include "catalogue_search.h"
#include "find_bar.h"
#include "main_window_under_test.h"
#include "query_marks.h"
#include "suggestion_list.h"
#include "title_suggester.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

QByteArray Page(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head><body>"
                          "<h1>%1</h1>%2</body></html>")
        .arg(title, body)
        .toUtf8();
}

// A shown main window over a catalogue of category 1 (projects 1 to `projects`, pages in the three
// languages) whose first page has loaded.
class SearchWindow {
public:
    SearchWindow(std::uint8_t language, int projects) : window(language, false)
    {
        QDir(window.folder.path()).mkpath(QStringLiteral("data"));
        for (const char* letter : {"r", "e", "c"})
            write(QStringLiteral("00001%1.html").arg(QLatin1String(letter)), Page(QStringLiteral("Velora"), "start"));
        for (int at = 1; at <= projects; ++at) {
            const QString position = QStringLiteral("01%1").arg(at, 3, 10, QLatin1Char('0'));
            write(position + QStringLiteral("r.html"),
                  Page(QStringLiteral("Мембрана номер %1").arg(at),
                       QStringLiteral("<p>Очистка воды мембранами, насос %1.</p>").arg(at)));
            write(position + QStringLiteral("e.html"),
                  Page(QStringLiteral("Membrane number %1").arg(at),
                       QStringLiteral("<p>A pump and a membrane, number %1.</p>").arg(at)));
            write(position + QStringLiteral("c.html"),
                  Page(QStringLiteral("第%1号温度传感器").arg(at), QStringLiteral("<p>膜法水处理 %1</p>").arg(at)));
        }
        window.session.ProjectCounts = {3, projects, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QObject::connect(form().WebBrowser1, &TWebBrowser::loadFinished, [this] { ++loads; });
        form().show();
        form().activateWindow();
        started = QTest::qWaitForWindowActive(&form()) && QTest::qWaitFor([&] { return loads >= 1; }, 60000) &&
            QTest::qWaitFor([&] { return finder().state() == CatalogueFinder::State::Ready; }, 60000) &&
            QTest::qWaitFor([&] { return form().findChild<TitleSuggester*>()->ready(); }, 60000);
    }

    void write(const QString& name, const QByteArray& content) const
    {
        QFile file(window.folder.path() + QStringLiteral("/data/") + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    TForm1& form() const { return *window.form; }
    CatalogueFinder& finder() const { return *form().findChild<CatalogueFinder*>(); }
    FindBar& bar() const { return *form().findChild<FindBar*>(); }
    QLineEdit& text() const { return *bar().findChild<QLineEdit*>(QStringLiteral("findText")); }
    QWebEngineView& view() const { return *form().WebBrowser1->view(); }
    bool resultsShown() const { return view().url() == CatalogueSearch::ResultsBaseUrl(window.session.ExeDir); }
    bool waitIdle() const
    {
        return QTest::qWaitFor([&] { return !view().page()->isLoading(); }, 30000);
    }
    QVariant evaluate(const QString& script) const
    {
        QVariant result;
        bool done = false;
        view().page()->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
        });
        return QTest::qWaitFor([&] { return done; }, 20000) ? result : QVariant();
    }
    // The rows of the list of titles, "title|position".
    QStringList suggestionRows() const
    {
        QStringList rows;
        if (const SuggestionList* list = bar().suggestionList())
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                rows << list->topLevelItem(row)->text(0) + u'|' + list->topLevelItem(row)->text(1);
        return rows;
    }
    // Types into the find bar's box as the keyboard would, letters of any alphabet.
    void type(const QString& typed) const
    {
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&text(), &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&text(), &release);
        }
    }
    bool search(const QString& query)
    {
        QTest::keyClick(&form(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        text().setText(query);
        QTest::keyClick(&text(), Qt::Key_Return);
        return QTest::qWaitFor([&] { return resultsShown(); }, 30000) && waitIdle();
    }
    // Clicks the link of hit `index` on the results page and waits for its page.
    bool openHit(int index)
    {
        const int before = loads;
        view().page()->runJavaScript(QStringLiteral("document.querySelectorAll('.hit a')[%1].click()").arg(index));
        return QTest::qWaitFor([&] { return loads > before; }, 30000) && waitIdle();
    }
    QStringList marks() const
    {
        return evaluate("Array.from(document.querySelectorAll('mark[data-velora-query]')).map(m => m.textContent)")
            .toStringList();
    }

    MainWindowUnderTest window;
    int loads = 0;
    bool started = false;
};

}  // namespace

TEST(FindSuggestions, TitlesInTheInterfaceLanguageFromTheSecondCharacterArrowsAndEnterOpenOne)
{
    SearchWindow w(LangEnglish, 3);
    ASSERT_TRUE(w.started);
    QTest::keyClick(&w.form(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    // One character offers nothing; the second a list of the English titles with their positions,
    // here found through the Russian titles' other form of the word.
    w.type("м");
    EXPECT_TRUE(w.suggestionRows().isEmpty());
    w.type("ембранами");
    EXPECT_EQ(w.suggestionRows(),
              (QStringList{"Membrane number 1|1.1", "Membrane number 2|1.2", "Membrane number 3|1.3"}));
    // Chinese from a character inside the title.
    w.text().clear();
    w.type("传感");
    EXPECT_EQ(w.suggestionRows().size(), 3);

    // Esc closes the list alone; typing brings it back; Down, Down, Up, Enter opens the second.
    QTest::keyClick(&w.text(), Qt::Key_Escape);
    EXPECT_TRUE(w.suggestionRows().isEmpty());
    EXPECT_TRUE(w.bar().isVisible());
    w.type("器");
    ASSERT_EQ(w.suggestionRows().size(), 3);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
        QTest::keyClick(&w.text(), key);
    QTest::keyClick(&w.text(), Qt::Key_Return);
    EXPECT_TRUE(w.suggestionRows().isEmpty());
    EXPECT_EQ(w.window.session.CurrentCategory, 1);
    EXPECT_EQ(w.window.session.CurrentPosition, 2);
    EXPECT_TRUE(w.window.navigations.last().endsWith("/data/01002e.html")) << w.window.navigations.last().toStdString();

    // Enter with no title chosen runs the full-text search as before.
    w.text().clear();
    w.type("membr");
    ASSERT_FALSE(w.suggestionRows().isEmpty());
    QTest::keyClick(&w.text(), Qt::Key_Return);
    EXPECT_TRUE(w.suggestionRows().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.resultsShown(); }, 30000));
    EXPECT_EQ(w.window.session.CurrentPosition, 2);

    // Finding in the page offers no titles.
    QTest::keyClick(&w.form(), Qt::Key_F, Qt::ControlModifier);
    w.type("me");
    EXPECT_TRUE(w.suggestionRows().isEmpty());
}

TEST(BackToResults, TheLastResultsComeBackWhereTheyWereLeftAndFollowALanguageChange)
{
    SearchWindow w(LangEnglish, 60);
    ASSERT_TRUE(w.started);
    auto* button = w.bar().findChild<QToolButton*>(QStringLiteral("findBackToResults"));
    ASSERT_TRUE(button);
    EXPECT_FALSE(button->isEnabled());
    ASSERT_TRUE(w.search(QStringLiteral("pump")));
    EXPECT_TRUE(button->isEnabled());
    w.evaluate("window.scrollTo(0, 900)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.view().page()->scrollPosition().y() > 800; }, 20000));
    ASSERT_TRUE(w.openHit(30));
    ASSERT_FALSE(w.resultsShown());
    const CataloguePosition opened = w.window.session.Position();
    EXPECT_EQ(opened.category, 1);

    // Alt+Up: the same results, scrolled as they were; the position stays the hit's.
    QTest::keyClick(&w.form(), Qt::Key_Up, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.resultsShown(); }, 30000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.evaluate("window.scrollY").toInt() == 900; }, 20000))
        << w.evaluate("window.scrollY").toInt();
    EXPECT_EQ(w.evaluate("document.querySelectorAll('.hit').length").toInt(), 50);
    EXPECT_EQ(w.window.session.Position(), opened);

    // A change of language keeps the results page: the same query's results in Russian.
    w.window.ui().cmdLangRus->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w.evaluate("document.querySelector('h1').textContent").toString() == "Поиск в каталоге: pump"; },
        30000));
    EXPECT_TRUE(w.resultsShown());
    EXPECT_EQ(w.evaluate("document.querySelector('.hit a').getAttribute('href')").toString().right(6), "r.html");
    EXPECT_EQ(w.window.session.Position(), opened);

    // The button does what the key does, after any page.
    w.window.ui().cmdNext->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.resultsShown(); }, 30000));
    button->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.resultsShown(); }, 30000));
    EXPECT_EQ(w.window.messages.count(), 0);
}

TEST(QueryMarks, ThePageOpenedFromTheResultsShowsTheQuerysWordsUntilEscOrTheNextPage)
{
    SearchWindow w(LangRussian, 2);
    ASSERT_TRUE(w.started);
    auto* marks = w.form().findChild<QueryMarks*>();
    QSignalSpy shown(marks, &QueryMarks::marksShown);
    ASSERT_TRUE(w.search(QStringLiteral("мембрана насос")));
    ASSERT_TRUE(w.openHit(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 20000));
    // The forms the page uses, title and text alike.
    QStringList marked = w.marks();
    marked.sort();
    EXPECT_EQ(marked, (QStringList{"Мембрана", "мембранами", "насос"})) << marked.join(',').toStdString();
    // Esc closes the open find bar and takes the marks away with it.
    QTest::keyClick(&w.text(), Qt::Key_Escape);
    EXPECT_TRUE(w.bar().isHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.marks().isEmpty(); }, 20000));

    // With the bar closed, Esc in the page takes them away.
    QTest::keyClick(&w.form(), Qt::Key_Up, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.resultsShown(); }, 30000) && w.waitIdle());
    shown.clear();
    ASSERT_TRUE(w.openHit(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 20000));
    ASSERT_FALSE(w.marks().isEmpty());
    w.view().setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.marks().isEmpty(); }, 20000));

    // A page reached from the results page otherwise than by its links is not marked.
    QSignalSpy viewLoads(&w.view(), &QWebEngineView::loadFinished);
    QTest::keyClick(&w.form(), Qt::Key_Up, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.resultsShown() && !viewLoads.isEmpty(); }, 30000));
    shown.clear();
    const int before = w.loads;
    // The other project, whose page holds the query's words too.
    w.form().OpenPageAt(1, w.window.session.CurrentPosition == 1 ? 2 : 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.loads > before; }, 30000) && w.waitIdle());
    QTest::qWait(300);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(w.marks().isEmpty());
}
