// Hostile catalogue folders through the tool: `find` names a damaged or out-of-date index and
// exits 2 instead of answering "nothing found"; `check` names the index's damage and staleness,
// files that are almost page names and pages that cannot be read whole; `index` takes turns and
// never blocks on a page that is no regular file.
#include "tool_run.h"

#include <QLockFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

class HostileCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dest.isValid());
        const ToolResult built = runTool({QStringLiteral("build"), demoSources(), dest.path()});
        ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    }

    QString path(const QString& name) const { return dest.path() + QLatin1Char('/') + name; }
    ToolResult find(const QString& query) const { return runTool({QStringLiteral("find"), dest.path(), query}); }

    // Rewrites a page with the same number of bytes, one letter changed.
    void editInPlace(const QString& name) const
    {
        QFile page(path(QStringLiteral("data/") + name));
        ASSERT_TRUE(page.open(QIODevice::ReadWrite));
        QByteArray bytes = page.readAll();
        const qsizetype body = bytes.indexOf("<body");
        ASSERT_GT(body, 0);
        bytes[body + 1] = 'B';
        page.seek(0);
        page.write(bytes);
    }

    QTemporaryDir dest;
};

}  // namespace

// A table cut to half its size gave exit 0 and no hits; a page edited without changing its size
// was answered from its old words.
TEST_F(HostileCatalogue, FindNamesADamagedOrOutdatedIndexAndExitsTwo)
{
    ASSERT_EQ(find(QStringLiteral("пшеница")).exitCode, 0);
    QFile postlist(path(QStringLiteral("index/postlist.glass")));
    ASSERT_TRUE(postlist.resize(postlist.size() / 2));
    ToolResult result = find(QStringLiteral("пшеница"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(path(QStringLiteral("index/postlist.glass: damaged")))) << result.err.toStdString();

    ASSERT_EQ(runTool({QStringLiteral("index"), dest.path()}).exitCode, 0);
    editInPlace(QStringLiteral("01001r.html"));
    result = find(QStringLiteral("пшеница"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(path(QStringLiteral("data/01001r.html: changed since the index was written"))))
        << result.err.toStdString();
}

// `check` called such folders sound: it never looked at index/.
TEST_F(HostileCatalogue, CheckNamesTheIndexAndPagesItCannotReadWhole)
{
    editInPlace(QStringLiteral("02001e.html"));
    QFile termlist(path(QStringLiteral("index/termlist.glass")));
    ASSERT_TRUE(termlist.open(QIODevice::ReadWrite));
    termlist.seek(termlist.size() / 2);
    termlist.write(QByteArray(64, '\x5A'));
    termlist.close();
    QFile odd(path(QStringLiteral("data/0501234e.html")));
    ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
    odd.close();
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/03001c.html"))));
    ASSERT_EQ(mkfifo(QFile::encodeName(path(QStringLiteral("data/03001c.html"))).constData(), 0600), 0);

    const ToolResult result = runTool({QStringLiteral("check"), dest.path()});
    EXPECT_EQ(result.exitCode, 1);
    for (const char* line : {"data/02001e.html: changed since the index was written", "index/termlist.glass: damaged",
                             "data/0501234e.html: not a page name", "data/03001c.html: no regular file"})
        EXPECT_TRUE(result.out.contains(QLatin1String(line))) << line << "\n" << result.out.toStdString();
}

// Two runs at once both failed inside the engine, and now and then the good index went; a page
// that is a FIFO or a link to /dev/zero was read without end.
TEST_F(HostileCatalogue, IndexTakesTurnsAndLeavesOutWhatIsNoRegularFile)
{
    {
        QLockFile running(path(QStringLiteral("index.lock")));
        ASSERT_TRUE(running.tryLock(0));
        const ToolResult refused = runTool({QStringLiteral("index"), dest.path()});
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("another index run"))) << refused.err.toStdString();
        EXPECT_EQ(find(QStringLiteral("пшеница")).exitCode, 0) << "the good index stays";
    }
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/04001e.html"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("data/04001e.html"))));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/04001r.html"))));
    ASSERT_EQ(mkfifo(QFile::encodeName(path(QStringLiteral("data/04001r.html"))).constData(), 0600), 0);
    const ToolResult indexed = runTool({QStringLiteral("index"), dest.path()}, 60000);
    EXPECT_EQ(indexed.exitCode, 0) << indexed.err.toStdString();
    EXPECT_TRUE(indexed.err.contains(QStringLiteral("data/04001e.html: no regular file"))) << indexed.err.toStdString();
    EXPECT_TRUE(indexed.err.contains(QStringLiteral("data/04001r.html: no regular file")));
    EXPECT_EQ(find(QStringLiteral("пшеница")).exitCode, 0);
}
