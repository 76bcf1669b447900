// `suggest DIR 'TEXT'`: the titles the find bar offers, as TSV, and the exit codes; and `find` on an
// index whose words another version stemmed.
// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "tool_run.h"

#include <QTemporaryDir>

namespace {

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

class SuggestCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));
        page(QStringLiteral("05012r.html"), "Мембрана для очистки воды");
        page(QStringLiteral("05012e.html"), "Water treatment by membrane");
        page(QStringLiteral("05012c.html"), "膜法水处理");
        page(QStringLiteral("06001e.html"), "Wind turbine");
    }

    void page(const QString& name, const char* title)
    {
        QFile file(dir.path() + QStringLiteral("/data/") + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("<html><head><meta charset=\"utf-8\"><title>") + title +
                   "</title></head><body><p>x</p></body></html>");
    }

    ToolResult suggest(const QStringList& more)
    {
        return runTool(QStringList{QStringLiteral("suggest"), dir.path()} + more);
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(SuggestCommandTest, PrintsTitlesInTheLanguageAskedWithPositionAndPage)
{
    ToolResult result = suggest({QStringLiteral("мембранами"), QStringLiteral("--lang"), QStringLiteral("zh")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(Lines(result.out),
              (QStringList{QStringLiteral("title\tposition\tpage"), QStringLiteral("膜法水处理\t5.12\t05012c.html")}));
    // Russian when no language is named.
    result = suggest({QStringLiteral("wat")});
    EXPECT_EQ(Lines(result.out).value(1), QStringLiteral("Мембрана для очистки воды\t5.12\t05012r.html"));
    result = suggest({QStringLiteral("turb"), QStringLiteral("--lang"), QStringLiteral("en")});
    EXPECT_EQ(Lines(result.out).value(1), QStringLiteral("Wind turbine\t6.1\t06001e.html"));
    // Nothing matches: the header alone, and success.
    result = suggest({QStringLiteral("насос")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(Lines(result.out), QStringList{QStringLiteral("title\tposition\tpage")});
}

TEST_F(SuggestCommandTest, WrongArgumentsAndAFolderWithoutPagesHaveTheirExitCodes)
{
    for (const QStringList& wrong :
         {QStringList{}, QStringList{QStringLiteral("wat"), QStringLiteral("--lang"), QStringLiteral("de")},
          QStringList{QStringLiteral("wat"), QStringLiteral("--lang")},
          QStringList{QStringLiteral("wat"), QStringLiteral("extra")}})
        EXPECT_EQ(suggest(wrong).exitCode, 2) << wrong.join(QLatin1Char(' ')).toStdString();
    QTemporaryDir empty;
    const ToolResult result = runTool({QStringLiteral("suggest"), empty.path(), QStringLiteral("wat")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("data"))) << result.err.toStdString();
}

TEST_F(SuggestCommandTest, FindNamesAnIndexWhoseWordsAnotherVersionStemmed)
{
    ASSERT_EQ(runTool({QStringLiteral("index"), dir.path()}).exitCode, 0);
    ASSERT_EQ(runTool({QStringLiteral("find"), dir.path(), QStringLiteral("мембранами")}).exitCode, 0);
    {
        // As an index from before the dictionaries: no stemmer recorded.
        Xapian::WritableDatabase index(QFile::encodeName(dir.path() + QStringLiteral("/index")).toStdString(),
                                       Xapian::DB_OPEN | Xapian::DB_BACKEND_GLASS);
        index.set_metadata("stemmer", std::string());
        index.commit();
    }
    const ToolResult result = runTool({QStringLiteral("find"), dir.path(), QStringLiteral("мембранами")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("made by another version"))) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("velora-catalogue-tool index"))) << result.err.toStdString();
}
