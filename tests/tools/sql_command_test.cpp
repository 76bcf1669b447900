// Queries through the browser's engine: the catalogue's own SQL on the demo database and the
// genuine Access files.
#include "tool_run.h"

namespace {

QString demoDatabase() { return testing_support::demoCatalogueDir() + QStringLiteral("/velora2014.mdb"); }
QString sample(const char* name) { return testing_support::jetSamplesDir() + QLatin1Char('/') + QLatin1String(name); }

QStringList lines(const QString& text)
{
    QStringList result = text.split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

}  // namespace

TEST(SqlCommand, CountQueryOnTheDemoDatabase)
{
    const ToolResult result = runTool({QStringLiteral("sql"), demoDatabase(),
                                       QStringLiteral("SELECT cc.cat, Count(cc.d) AS [Cnt] FROM cc GROUP BY cc.cat")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList rows = lines(result.out);
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows[0], QStringLiteral("cat\tCnt"));
    for (int category = 1; category <= 11; ++category)
        EXPECT_TRUE(rows[category].startsWith(QString::number(category) + QLatin1Char('\t')))
            << rows[category].toStdString();
}

TEST(SqlCommand, NullsPrintEmptyAndLineBreaksStayOnOneLine)
{
    // The organisation block of the search: a NULL address is left out, a line break is escaped.
    const ToolResult result =
        runTool({QStringLiteral("sql"), demoDatabase(),
                 QStringLiteral("SELECT rus.a, rus.odb+IIf(len(rus.a)>0,chr(13)+chr(10)+rus.a,\"\") AS odata FROM rus "
                                "WHERE rus.a Is Null OR rus.tdb like '%пшеницы%' ORDER BY rus.d, rus.n")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList rows = lines(result.out);
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(rows[0], QStringLiteral("a\todata"));
    int nullRows = 0;
    for (const QString& row : rows.mid(1)) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 2) << row.toStdString();
        if (cells[0].isEmpty()) {
            ++nullRows;
            EXPECT_FALSE(cells[1].contains(QStringLiteral("\\r\\n")));
        } else {
            EXPECT_TRUE(cells[1].contains(QStringLiteral("\\r\\n") + cells[0]));
        }
    }
    EXPECT_GE(nullRows, 1);
}

TEST(SqlCommand, GenuineAccessFiles)
{
    for (const char* file : {"testV1997.mdb", "testV2000.mdb"}) {
        const ToolResult result =
            runTool({QStringLiteral("sql"), sample(file), QStringLiteral("SELECT * FROM Table1 ORDER BY A")});
        ASSERT_EQ(result.exitCode, 0) << file << ": " << result.err.toStdString();
        const QStringList rows = lines(result.out);
        ASSERT_EQ(rows.size(), 3) << file;
        EXPECT_EQ(rows[0], QStringLiteral("A\tB\tC\tD\tE\tF\tG\tH\tI"));
        EXPECT_TRUE(rows[1].startsWith(QStringLiteral("a\tb\t0\t0\t0\t"))) << rows[1].toStdString();
        EXPECT_TRUE(rows[2].startsWith(QStringLiteral("abcdefg\thijklmnop\t2\t222\t333333333\t")))
            << rows[2].toStdString();
    }
    const ToolResult unicode = runTool({QStringLiteral("sql"), sample("testUnicodeCompV2003.mdb"),
                                        QStringLiteral("SELECT [Unicode] FROM [Table] WHERE ID = 3")});
    ASSERT_EQ(unicode.exitCode, 0) << unicode.err.toStdString();
    EXPECT_EQ(lines(unicode.out), (QStringList{QStringLiteral("Unicode"), QStringLiteral("Мир")}));
}

TEST(SqlCommand, EngineErrorsGoToStandardErrorWithExitCodeTwo)
{
    ToolResult result = runTool({QStringLiteral("sql"), demoDatabase(), QStringLiteral("SELECT nothing FROM nowhere")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_FALSE(result.err.trimmed().isEmpty());

    result = runTool({QStringLiteral("sql"), testing_support::buildDir() + QStringLiteral("/no-such.mdb"),
                      QStringLiteral("SELECT * FROM c")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("no-such.mdb"))) << result.err.toStdString();
}

TEST(SqlCommand, AnEngineErrorAmongTheRowsEndsTheListingWithItsMessage)
{
    // Departments 1 to 3 fit CInt's range, 4 and up overflow it, long after the first rows.
    const ToolResult result =
        runTool({QStringLiteral("sql"), demoDatabase(),
                 QStringLiteral("SELECT CInt(a.d * 10000) AS x FROM cc AS a, cc AS b ORDER BY a.d")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Overflow"))) << result.err.toStdString();
    const QStringList rows = lines(result.out);
    ASSERT_GT(rows.size(), 100);
    for (const QString& row : rows.mid(1))
        EXPECT_TRUE(row == QStringLiteral("10000") || row == QStringLiteral("20000") || row == QStringLiteral("30000"))
            << row.toStdString();
}

// Wrong arguments end every command alike: its usage on stderr and exit code 2, the code `find`
// and `index` gave as 1 while `sql` and `check` gave 2.
TEST(ToolArguments, WrongArgumentsExitWithTheSameCodeForEveryCommand)
{
    for (const QStringList& wrong :
         {QStringList{QStringLiteral("find")}, QStringList{QStringLiteral("index")},
          QStringList{QStringLiteral("sql"), QStringLiteral("x.mdb")}, QStringList{QStringLiteral("check")},
          QStringList{QStringLiteral("build"), QStringLiteral("--synthetic"), QStringLiteral("3"), QStringLiteral("x")},
          QStringList{QStringLiteral("suggest")}, QStringList{QStringLiteral("serve")},
          QStringList{QStringLiteral("frobnicate")}}) {
        const ToolResult result = runTool(wrong);
        EXPECT_EQ(result.exitCode, 2) << wrong.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("usage")) || result.err.contains(QStringLiteral("must be")))
            << result.err.toStdString();
    }
    EXPECT_TRUE(
        runTool({QStringLiteral("--help")}).out.contains(QStringLiteral("exits with code 2 when its arguments")));
}
