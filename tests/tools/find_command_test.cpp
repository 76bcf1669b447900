// `index DIR` and `find DIR 'QUERY'`: the index written beside data/, the TSV of hits, best first,
// and the exit codes.
#include "tool_run.h"

#include <QTemporaryDir>

namespace {

QStringList lines(const QString& text)
{
    QStringList result = text.split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

class FindCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));
        page(QStringLiteral("05012e.html"), "Water pump", "<p>A pump that lifts water from deep wells.</p>");
        page(QStringLiteral("05012r.html"), "Насос", "<p>Насос поднимает воду из глубоких скважин.</p>");
        page(QStringLiteral("05013e.html"), "Valve", "<p>A valve for the pump station of a town.</p>");
        page(QStringLiteral("00001e.html"), "Welcome", "<p>The catalogue.</p>");
    }

    void page(const QString& name, const char* title, const char* body)
    {
        QFile file(dir.path() + QStringLiteral("/data/") + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("<html><head><meta charset=\"utf-8\"><title>") + title + "</title></head><body>" + body +
                   "</body></html>");
    }

    ToolResult find(QStringList more) { return runTool(QStringList{QStringLiteral("find"), dir.path()} + more); }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(FindCommandTest, PrintsHitsBestFirstWithOnePerProject)
{
    const ToolResult indexed = runTool({QStringLiteral("index"), dir.path()});
    ASSERT_EQ(indexed.exitCode, 0) << indexed.err.toStdString();
    EXPECT_TRUE(indexed.out.contains(QStringLiteral("indexed 4 page files"))) << indexed.out.toStdString();

    const ToolResult result = find({QStringLiteral("pumps"), QStringLiteral("--lang"), QStringLiteral("en")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList rows = lines(result.out);
    ASSERT_EQ(rows.size(), 3) << result.out.toStdString();
    EXPECT_EQ(rows[0], QStringLiteral("rank\tpage\tposition\ttitle\tsnippet"));
    // The title match first; the Russian page of 5.12 does not hold the English word.
    EXPECT_EQ(rows[1], QStringLiteral("1\t05012e.html\t5.12\tWater pump\tA pump that lifts water from deep wells."));
    EXPECT_TRUE(rows[2].startsWith(QStringLiteral("2\t05013e.html\t5.13\tValve\t"))) << rows[2].toStdString();

    // A Russian word typed with the English interface finds the Russian page of the project.
    const QStringList russian =
        lines(find({QStringLiteral("насосы"), QStringLiteral("--lang"), QStringLiteral("en")}).out);
    ASSERT_EQ(russian.size(), 2);
    EXPECT_TRUE(russian[1].startsWith(QStringLiteral("1\t05012r.html\t5.12\tНасос\t"))) << russian[1].toStdString();

    const QStringList limited =
        lines(find({QStringLiteral("pump"), QStringLiteral("--limit"), QStringLiteral("1")}).out);
    EXPECT_EQ(limited.size(), 2);
}

TEST_F(FindCommandTest, ExitCodesTellNothingFoundFromWrongArgumentsAndAMissingIndex)
{
    // No index yet.
    ToolResult result = find({QStringLiteral("pump")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("index"))) << result.err.toStdString();
    ASSERT_EQ(runTool({QStringLiteral("index"), dir.path()}).exitCode, 0);

    result = find({QStringLiteral("turbine")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(lines(result.out), QStringList{QStringLiteral("rank\tpage\tposition\ttitle\tsnippet")});
    result = find({QStringLiteral("\"unclosed AND OR NOT")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();

    for (const QStringList& wrong :
         {QStringList{}, QStringList{QStringLiteral("pump"), QStringLiteral("--lang"), QStringLiteral("de")},
          QStringList{QStringLiteral("pump"), QStringLiteral("--limit"), QStringLiteral("0")},
          QStringList{QStringLiteral("pump"), QStringLiteral("--limit")},
          QStringList{QStringLiteral("pump"), QStringLiteral("extra")}})
        EXPECT_EQ(find(wrong).exitCode, 2) << wrong.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(runTool({QStringLiteral("index")}).exitCode, 2);

    // A page changed after indexing: the index no longer matches.
    page(QStringLiteral("05013e.html"), "Valve", "<p>Changed.</p>");
    EXPECT_EQ(find({QStringLiteral("pump")}).exitCode, 2);
    QTemporaryDir empty;
    EXPECT_EQ(runTool({QStringLiteral("find"), empty.path(), QStringLiteral("pump")}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("index"), empty.path()}).exitCode, 2);
}

TEST(FindCommand, BuildWritesTheIndexOfTheDemoCatalogue)
{
    const ToolResult result = runTool({QStringLiteral("find"), testing_support::demoCatalogueDir(),
                                       QStringLiteral("пшеница"), QStringLiteral("--limit"), QStringLiteral("1")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList rows = lines(result.out);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("1\t01001r.html\t1.1\t"))) << rows[1].toStdString();
    const ToolResult help = runTool({QStringLiteral("--help")});
    for (const char* word : {"index DIR", "find DIR", "--lang", "--limit"})
        EXPECT_TRUE(help.out.contains(QLatin1String(word))) << word;
}
