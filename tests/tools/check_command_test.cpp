// Checking catalogue folders: a sound demo passes, and each way of breaking a copy is named.
#include "tool_run.h"

#include <QTemporaryDir>

namespace {

class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dest.isValid());
        const ToolResult built = runTool({QStringLiteral("build"), demoSources(), dest.path()});
        ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    }

    QString path(const QString& name) const { return dest.path() + QLatin1Char('/') + name; }
    ToolResult check() const { return runTool({QStringLiteral("check"), dest.path()}); }

    QTemporaryDir dest;
};

}  // namespace

TEST_F(CheckCommand, SoundDemoCatalogue)
{
    const ToolResult result = check();
    EXPECT_EQ(result.exitCode, 0) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("sound")));
}

TEST_F(CheckCommand, MissingPageIsNamed)
{
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/07002c.html"))));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/11000e.html"))));
    const ToolResult result = check();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains(QStringLiteral("data/07002c.html: missing")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("data/11000e.html: missing")));
    // The index still holds them.
    EXPECT_TRUE(result.out.contains(QStringLiteral("data/07002c.html: removed since the index was written")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("4 problems")));
}

TEST_F(CheckCommand, PositionGapAndRepeatAreNamed)
{
    {
        RawDatabase db(path(QStringLiteral("velora2014.mdb")));
        // Category 2: position 4 moves to 9. Category 6: position 2 becomes a second 1.
        db.exec("UPDATE cc SET pcat = 9 WHERE cat = 2 AND pcat = 4");
        db.exec("UPDATE cc SET pcat = 1 WHERE cat = 6 AND pcat = 2");
    }
    const ToolResult result = check();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains(QStringLiteral("category 2 has no project at pcat 4"))) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("category 2 has a project at pcat 9")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("category 6 has 2 projects at pcat 1")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("category 6 has no project at pcat 2")));
}

TEST_F(CheckCommand, MissingLanguageRowIsNamed)
{
    QStringList project;
    {
        RawDatabase db(path(QStringLiteral("velora2014.mdb")));
        project = db.rows("SELECT d, n FROM cc WHERE cat = 3 AND pcat = 2").at(0);
        db.exec(
            QStringLiteral("DELETE FROM eng WHERE d = %1 AND n = %2").arg(project[0], project[1]).toUtf8().constData());
    }
    const ToolResult result = check();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains(
        QStringLiteral("table eng: no row for project d=%1 n=%2 (category 3, pcat 2)").arg(project[0], project[1])))
        << result.out.toStdString();
    EXPECT_FALSE(result.out.contains(QStringLiteral("table rus")));
}

TEST_F(CheckCommand, CategoryWithoutProjectsIsNamed)
{
    {
        RawDatabase db(path(QStringLiteral("velora2014.mdb")));
        db.exec("DELETE FROM cc WHERE cat = 5");
    }
    const ToolResult result = check();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains(QStringLiteral("gives 10 rows instead of 11"))) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("category 5 has no project")));
}

TEST_F(CheckCommand, OverfullCategoryIsNamed)
{
    {
        RawDatabase db(path(QStringLiteral("velora2014.mdb")));
        const int start = db.number("SELECT count(*) FROM cc WHERE cat = 3") + 1;
        db.exec("BEGIN");
        for (int position = start; position <= 1000; ++position)
            db.exec(QStringLiteral("INSERT INTO cc VALUES (3, 7, %1, %2)")
                        .arg(1000 + position)
                        .arg(position)
                        .toUtf8()
                        .constData());
        db.exec("COMMIT");
    }
    const ToolResult result = check();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains(QStringLiteral("category 3 holds 1000 projects, more than the 999")))
        << result.out.left(2000).toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("data/03999r.html: missing")));
    // Position 1000 has no three-digit page name, so no page is looked for.
    EXPECT_FALSE(result.out.contains(QStringLiteral("031000")));
}

TEST_F(CheckCommand, UnreadableDatabaseGivesExitCodeTwo)
{
    QFile file(path(QStringLiteral("velora2014.mdb")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("this is not a database at all, just some text");
    file.close();
    ToolResult result = check();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.contains(QStringLiteral("velora2014.mdb: cannot be read")));

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("velora2014.mdb"))));
    result = check();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.contains(QStringLiteral("velora2014.mdb: cannot be read")));
}
