// Titles offered while typing, on the catalogue tool's largest synthetic catalogue (11 x 999
// projects, 33,000 page files): reading the titles (TitleSuggestions::Open), one Suggest call, and
// what a person sees: from the key that makes the text to the list of titles painted under the
// find bar's box. Peer in the same run: SQLite's full-text index (FTS5, in memory) over the same
// titles, asked for the first 10 titles with a word beginning with the typed text, as the
// program is (without other forms of words).
#include "find_bar.h"
#include "page_text.h"
#include "suggestion_list.h"
#include "title_suggestions.h"
#include "web_browser.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ProjectCount = 11 * 999;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Percentile90(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() * 9 / 10];
}

double Milliseconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

// What a person types: beginnings of words of the generated titles from two characters on, other
// forms of words, two words, Chinese characters.
QStringList Typed()
{
    const QStringList words = {QStringLiteral("насос"),    QStringLiteral("датчик"),   QStringLiteral("вакцина"),
                               QStringLiteral("цифровой"), QStringLiteral("pump"),     QStringLiteral("sensor"),
                               QStringLiteral("filter"),   QStringLiteral("reliable"), QStringLiteral("digital")};
    QStringList typed;
    for (const QString& word : words)
        for (int length = 2; length <= word.size(); ++length)
            typed << word.left(length);
    typed << QStringLiteral("насосы") << QStringLiteral("насосов") << QStringLiteral("датчиками")
          << QStringLiteral("вакцинами") << QStringLiteral("pumps") << QStringLiteral("насос над")
          << QStringLiteral("filter dig") << QStringLiteral("传感") << QStringLiteral("可靠") << QStringLiteral("合金");
    return typed;
}

// The peer: the same titles in an in-memory FTS5 table, one row per page.
class FtsPeer {
public:
    explicit FtsPeer(const QString& data)
    {
        sqlite3_open(":memory:", &db_);
        sqlite3_exec(db_, "CREATE VIRTUAL TABLE titles USING fts5(title)", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db_, "INSERT INTO titles(title) VALUES (?)", -1, &insert, nullptr);
        const QStringList pages = QDir(data).entryList({QStringLiteral("*.html")}, QDir::Files);
        for (const QString& page : pages) {
            QFile file(data + u'/' + page);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray title = fulltext::ExtractPageText(file.readAll()).title.toUtf8();
            sqlite3_bind_text(insert, 1, title.constData(), int(title.size()), SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db_, "SELECT title FROM titles WHERE titles MATCH ? ORDER BY rank LIMIT 10", -1, &query_,
                           nullptr);
    }
    ~FtsPeer()
    {
        sqlite3_finalize(query_);
        sqlite3_close(db_);
    }
    int Suggest(const QString& typed)
    {
        QStringList terms;
        for (const QString& word : typed.split(u' ', Qt::SkipEmptyParts))
            terms << u'"' + word + QStringLiteral("\"*");
        const QByteArray match = terms.join(u' ').toUtf8();
        sqlite3_bind_text(query_, 1, match.constData(), int(match.size()), SQLITE_TRANSIENT);
        int rows = 0;
        while (sqlite3_step(query_) == SQLITE_ROW)
            ++rows;
        sqlite3_reset(query_);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* query_ = nullptr;
};

// Counts the paints of the list, to know when the list a key asked for is on screen.
class PaintWatch : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void Press(QLineEdit* box, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &release);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    QTemporaryDir folder;
    std::printf("building the synthetic catalogue of %d projects...\n", ProjectCount);
    std::fflush(stdout);
    QProcess tool;
    tool.start(QStringLiteral(VELORA_BUILD_DIR "/velora-catalogue-tool"),
               {QStringLiteral("build"), QStringLiteral("--synthetic"), QString::number(ProjectCount), folder.path()});
    if (!tool.waitForFinished(1800000) || tool.exitCode() != 0)
        return 1;

    std::vector<double> opening;
    std::unique_ptr<fulltext::TitleSuggestions> titles;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        titles = fulltext::TitleSuggestions::Open(folder.path());
        opening.push_back(Milliseconds(timer));
        if (!titles)
            return 1;
    }

    // A catalogue without its index/: every page is read.
    double fromPagesMs = 0;
    {
        QDir(folder.path()).rename(QStringLiteral("index"), QStringLiteral("index.away"));
        QElapsedTimer timer;
        timer.start();
        const auto fromPages = fulltext::TitleSuggestions::Open(folder.path());
        fromPagesMs = Milliseconds(timer);
        QDir(folder.path()).rename(QStringLiteral("index.away"), QStringLiteral("index"));
        if (!fromPages || fromPages->ProjectCount() != titles->ProjectCount())
            return 1;
    }

    const QStringList typed = Typed();
    std::vector<double> calls, peer;
    int offered = 0;
    for (int run = 0; run < 5; ++run)
        for (const QString& text : typed) {
            QElapsedTimer timer;
            timer.start();
            offered += int(titles->Suggest(text, QStringLiteral("r"), 10).size());
            calls.push_back(Milliseconds(timer));
        }
    QElapsedTimer peerBuild;
    peerBuild.start();
    FtsPeer fts(folder.path() + QStringLiteral("/data"));
    const double peerBuildMs = Milliseconds(peerBuild);
    int peerRows = 0;
    for (int run = 0; run < 5; ++run)
        for (const QString& text : typed) {
            QElapsedTimer timer;
            timer.start();
            peerRows += fts.Suggest(text);
            peer.push_back(Milliseconds(timer));
        }

    // The find bar under a view, as in the main window, offering these titles.
    QWidget panel;
    panel.resize(1000, 700);
    auto* browser = new TWebBrowser(&panel);
    browser->setGeometry(0, 0, 1000, 700);
    FindBar bar(browser);
    bar.SetSuggestionSource([&](const QString& text) { return titles->Suggest(text, QStringLiteral("r"), 10); });
    panel.show();
    for (QElapsedTimer shown; !shown.isValid() || shown.elapsed() < 500;) {
        if (!shown.isValid())
            shown.start();
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    bar.Open(FindBar::Scope::Catalogue);
    auto* box = bar.findChild<QLineEdit*>(QStringLiteral("findText"));
    auto* list = panel.findChild<SuggestionList*>();
    if (!box || !list)
        return 1;
    PaintWatch watch;
    list->viewport()->installEventFilter(&watch);
    std::vector<double> keyToList;
    for (int run = 0; run < 3; ++run)
        for (const QString& text : typed) {
            box->clear();
            QApplication::processEvents();
            for (const QChar c : text.chopped(1))
                Press(box, c);
            QApplication::processEvents();
            const int paints = watch.paints;
            QElapsedTimer timer;
            timer.start();
            Press(box, text.back());
            while (watch.paints == paints && timer.elapsed() < 2000)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            if (watch.paints > paints)
                keyToList.push_back(Milliseconds(timer));
        }

    std::printf("%-58s %12s\n", "measure (median)", "");
    std::printf("%-58s %9.0f ms (first, with the dictionaries: %.0f ms)\n", "read the titles from index/",
                Median({opening.begin() + 1, opening.end()}), opening.front());
    std::printf("%-58s %9.0f ms\n", "read the titles of 33,000 pages (no index/)", fromPagesMs);
    std::printf("%-58s %9.3f ms (90%%: %.3f ms; %lld texts, %d titles offered)\n", "Suggest, 10 titles", Median(calls),
                Percentile90(calls), static_cast<long long>(typed.size()), offered);
    std::printf("%-58s %9.3f ms (90%%: %.3f ms; %d rows; table made in %.0f ms)\n",
                "peer: SQLite FTS5 prefix query, LIMIT 10", Median(peer), Percentile90(peer), peerRows, peerBuildMs);
    std::printf("%-58s %9.2f\n", "ratio Suggest / peer", Median(peer) > 0 ? Median(calls) / Median(peer) : 0);
    std::printf("%-58s %9.2f ms (90%%: %.2f ms; %zu of %lld lists painted)\n", "key to list painted, find bar",
                Median(keyToList), Percentile90(keyToList), keyToList.size(), 3LL * typed.size());
    return 0;
}
