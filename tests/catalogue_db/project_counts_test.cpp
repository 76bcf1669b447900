// Counting the projects of each category at start, and every way the database can fail to give
// them: the counts stay untouched, the dataset is left closed, the file is never changed.
#include "ado_query.h"
#include "catalogue_fixture.h"
#include "project_counts.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace catalogue_fixture;

namespace {

using Counts = std::array<std::int32_t, 12>;
const Counts kUntouched = {-7, -7, -7, -7, -7, -7, -7, -7, -7, -7, -7, -7};

// Rows of cc giving category i exactly i projects (department 1, numbers running on).
QStringList projectsPerCategory(int skipCategory = 0)
{
    QStringList rows;
    int n = 0;
    for (int cat = 1; cat <= 11; ++cat) {
        if (cat == skipCategory)
            continue;
        for (int p = 1; p <= cat; ++p)
            rows << QString("INSERT INTO cc VALUES (%1, 1, %2, %3)").arg(cat).arg(++n).arg(p);
    }
    return rows;
}

class ProjectCountsTest : public ::testing::Test {
protected:
    // Runs the counting; returns the engine's message, or "" when it did not throw.
    QString load(bool* result = nullptr)
    {
        counts = kUntouched;
        try {
            const bool ok = LoadProjectCounts(query, folder.exeDir(), counts);
            if (result)
                *result = ok;
            return QString();
        } catch (const DatabaseError& e) {
            return e.message();
        }
    }
    void expectEngineError(const QString& expected)
    {
        EXPECT_EQ(load(), expected);
        EXPECT_EQ(counts, kUntouched);
        EXPECT_FALSE(query.Active());
    }
    void expectRowCountRejected()
    {
        bool ok = true;
        EXPECT_EQ(load(&ok), "");
        EXPECT_FALSE(ok);
        EXPECT_EQ(counts, kUntouched);
        EXPECT_FALSE(query.Active());
    }
    QString unrecognized() const { return "Unrecognized database format '" + folder.databasePath() + "'."; }

    CatalogueFolder folder;
    TADOQuery query;
    Counts counts = kUntouched;
};

TEST(CatalogueConnectionString, PutsTheFolderUnquoted)
{
    EXPECT_EQ(CatalogueConnectionString("/opt/Мой каталог/"),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/Мой каталог/velora2014.mdb;Persist Security "
              "Info=False;Jet OLEDB:Database Locking Mode=0");
}

TEST_F(ProjectCountsTest, CountsLandInCategoryOrderAndLeaveFileUntouched)
{
    // Rows inserted from category 11 down: the groups still come back in ascending order.
    QStringList rows = projectsPerCategory();
    std::reverse(rows.begin(), rows.end());
    writeCatalogue(folder.databasePath(), rows);
    const QByteArray before = testing_support::FileSha256(folder.databasePath());
    const QStringList filesBefore = QDir(folder.exeDir()).entryList(QDir::Files);
    bool ok = false;
    EXPECT_EQ(load(&ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(counts, (Counts{3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(query.sql(), QString::fromUtf8(kProjectCountQuery));
    // A second run on the kept connection gives the same.
    EXPECT_EQ(load(&ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(counts[11], 11);
    EXPECT_EQ(testing_support::FileSha256(folder.databasePath()), before);
    EXPECT_EQ(QDir(folder.exeDir()).entryList(QDir::Files), filesBefore);
}

TEST_F(ProjectCountsTest, CategoryWithOnlyEmptyDepartmentsCountsZero)
{
    QStringList rows = projectsPerCategory(4);
    rows << "INSERT INTO cc VALUES (4, NULL, 1, 1)"
         << "INSERT INTO cc VALUES (4, NULL, 2, 2)";
    writeCatalogue(folder.databasePath(), rows);
    bool ok = false;
    EXPECT_EQ(load(&ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(counts[4], 0);
    EXPECT_EQ(counts[5], 5);
}

TEST_F(ProjectCountsTest, ExtraOrMissingCategoryIsRejected)
{
    writeCatalogue(folder.databasePath(), projectsPerCategory() << "INSERT INTO cc VALUES (12, 1, 99, 1)");
    expectRowCountRejected();

    CatalogueFolder without5;
    writeCatalogue(without5.databasePath(), projectsPerCategory(5));
    counts = kUntouched;
    bool ok = true;
    EXPECT_FALSE(LoadProjectCounts(query, without5.exeDir(), counts) && ok);
    EXPECT_EQ(counts, kUntouched);
    EXPECT_FALSE(query.Active());

    CatalogueFolder empty;
    writeCatalogue(empty.databasePath(), {});
    EXPECT_FALSE(LoadProjectCounts(query, empty.exeDir(), counts));
    EXPECT_EQ(counts, kUntouched);
}

TEST_F(ProjectCountsTest, MissingTableOrColumnIsAnEngineError)
{
    writeDatabase(folder.databasePath(), {"CREATE TABLE c (cn INTEGER)"});
    expectEngineError("no such table: cc");

    CatalogueFolder noColumn;
    writeDatabase(noColumn.databasePath(), {"CREATE TABLE cc (cat INTEGER, n INTEGER)"});
    counts = kUntouched;
    try {
        LoadProjectCounts(query, noColumn.exeDir(), counts);
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.message(), "no such column: cc.d");
    }
    EXPECT_EQ(counts, kUntouched);
}

TEST_F(ProjectCountsTest, AbsentFileOrFolderCannotBeFound)
{
    expectEngineError("Could not find file '" + folder.databasePath() + "'.");
    ASSERT_TRUE(QDir().mkdir(folder.databasePath()));
    expectEngineError("Could not find file '" + folder.databasePath() + "'.");
}

TEST_F(ProjectCountsTest, FilesThatAreNoDatabaseAreUnrecognized)
{
    QFile file(folder.databasePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    expectEngineError(unrecognized());

    QByteArray noise(8192, '\0');
    QRandomGenerator random(42);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(noise);
    file.close();
    expectEngineError(unrecognized());
}

TEST_F(ProjectCountsTest, TruncatedFilesFailWithAnError)
{
    // A catalogue large enough to span many pages, cut in half.
    QStringList rows = projectsPerCategory();
    for (int i = 0; i < 3000; ++i)
        rows
            << QString("INSERT INTO rus VALUES (1, %1, '%2', 'o', 'a', NULL, 'r', NULL)").arg(i).arg(QString(200, 'x'));
    writeCatalogue(folder.databasePath(), rows);
    QFile file(folder.databasePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray whole = file.readAll();
    file.resize(whole.size() / 2);
    file.close();
    query.setConnectionString(CatalogueConnectionString(folder.exeDir()));
    query.setSql("SELECT count(*) AS n FROM rus");
    EXPECT_THROW(query.Open(), DatabaseError);
    EXPECT_FALSE(query.Active());

    CatalogueFolder jet;
    QFile sample(testing_support::jetSamplesDir() + "/testV2000.mdb");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QFile cut(jet.databasePath());
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(sample.read(4096 * 3));
    cut.close();
    counts = kUntouched;
    EXPECT_THROW(LoadProjectCounts(query, jet.exeDir(), counts), DatabaseError);
    EXPECT_EQ(counts, kUntouched);
    EXPECT_FALSE(query.Active());
}

TEST_F(ProjectCountsTest, UnreadableFileIsRefused)
{
    writeCatalogue(folder.databasePath(), projectsPerCategory());
    ASSERT_TRUE(QFile::setPermissions(folder.databasePath(), QFileDevice::Permissions()));
    QFile::setPermissions(folder.dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    if (geteuid() != 0) {
        expectEngineError(
            "Cannot open the file '" + folder.databasePath() +
            "'. It is already opened exclusively by another user, or you need permission to view its data.");
        return;
    }
    // Root reads every file, so the check runs in a child that gives up root for an unprivileged user.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        TADOQuery own;
        Counts values = kUntouched;
        try {
            LoadProjectCounts(own, folder.exeDir(), values);
        } catch (const DatabaseError& e) {
            _exit(e.message().startsWith("Cannot open the file '") && values == kUntouched && !own.Active() ? 0 : 3);
        }
        _exit(4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: cannot drop root, 3: wrong error, 4: file was read";
}

}  // namespace

TEST(CatalogueFolderNames, ASemicolonInTheFolderDoesNotCutTheDataSource)
{
    QTemporaryDir root;
    const QString exeDir = root.path() + "/Каталог; выпуск 2014/";
    ASSERT_TRUE(QDir().mkpath(exeDir));
    writeCatalogue(exeDir + "velora2014.mdb",
                   {"INSERT INTO cc VALUES (1, 1, 1, 1)", "INSERT INTO cc VALUES (2, 1, 2, 1)",
                    "INSERT INTO cc VALUES (3, 1, 3, 1)", "INSERT INTO cc VALUES (4, 1, 4, 1)",
                    "INSERT INTO cc VALUES (5, 1, 5, 1)", "INSERT INTO cc VALUES (6, 1, 6, 1)",
                    "INSERT INTO cc VALUES (7, 1, 7, 1)", "INSERT INTO cc VALUES (8, 1, 8, 1)",
                    "INSERT INTO cc VALUES (9, 1, 9, 1)", "INSERT INTO cc VALUES (10, 1, 10, 1)",
                    "INSERT INTO cc VALUES (11, 1, 11, 1)"});
    TADOQuery query;
    std::array<std::int32_t, 12> counts{};
    EXPECT_TRUE(LoadProjectCounts(query, exeDir, counts));
    EXPECT_EQ(counts, (std::array<std::int32_t, 12>{3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}
