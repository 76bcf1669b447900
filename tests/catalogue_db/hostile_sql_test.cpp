// Hostile statements for the Access dialect: nesting of any depth ends in a message instead of a
// crash, the operators that SQLite reads otherwise answer as Access does, statements that are no
// Access SQL are refused, and a database path that is no regular file never blocks the opening.
#include "access_sql.h"
#include "ado_query.h"
#include "catalogue_fixture.h"

#include <gtest/gtest.h>

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace catalogue_fixture;

namespace {

class HostileSql : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeCatalogue(folder.databasePath(), {"INSERT INTO rus VALUES (1, 1, 'b', 'x', NULL, NULL, 'Яна', NULL)"});
        query.setConnectionString("Data Source=" + folder.databasePath());
    }

    // The engine's message for the statement, or "" when it runs.
    QString error(const QString& sql)
    {
        query.Close();
        query.setSql(sql);
        try {
            query.Open();
        } catch (const DatabaseError& e) {
            return e.message();
        }
        return QString();
    }

    QVariant scalar(const QString& sql)
    {
        const QString message = error(sql);
        EXPECT_TRUE(message.isEmpty()) << sql.toStdString() << ": " << message.toStdString();
        return message.isEmpty() && query.RecordCount() == 1 ? query.value(0, 0) : QVariant();
    }

    CatalogueFolder folder;
    TADOQuery query;
};

QString Repeated(const QString& piece, int times) { return piece.repeated(times); }

}  // namespace

// Each of these ended in SIGSEGV: the translation descended once per level without a limit.
TEST_F(HostileSql, DeepNestingIsTooComplexNeverACrash)
{
    const QString tooComplex = QStringLiteral("Expression too complex in query expression.");
    const QStringList deep = {
        "SELECT " + Repeated("(", 3000) + "1" + Repeated(")", 3000),
        "SELECT " + Repeated("(SELECT ", 3000) + "1" + Repeated(")", 3000),
        "SELECT " + Repeated("Len(", 10000) + "'a'" + Repeated(")", 10000),
        "SELECT " + Repeated("- ", 5000) + "1",
        "SELECT 1 WHERE " + Repeated("NOT ", 5000) + "1 = 1",
        "SELECT 1 FROM " + Repeated("(", 3000) + "rus" + Repeated(")", 3000),
        "SELECT 1 FROM rus WHERE n IN " + Repeated("(SELECT n FROM rus WHERE n IN ", 2000) + "(1)" +
            Repeated(")", 2000),
    };
    for (const QString& sql : deep)
        EXPECT_EQ(error(sql), tooComplex) << sql.left(40).toStdString();
    // Nesting as deep as real queries go still runs.
    EXPECT_EQ(scalar("SELECT " + Repeated("(", 20) + "1 + Len(Len(Len('ab')))" + Repeated(")", 20)).toInt(), 2);
    EXPECT_EQ(scalar("SELECT " + Repeated("(SELECT ", 10) + "7" + Repeated(")", 10)).toInt(), 7);
}

TEST_F(HostileSql, SignsAndAscAnswerAsInAccess)
{
    // "- -1" was written "--1", which SQLite reads as a comment: "incomplete input".
    EXPECT_EQ(scalar("SELECT - -1").toInt(), 1);
    EXPECT_EQ(scalar("SELECT 2 - - - 1").toInt(), 1);
    EXPECT_EQ(scalar("SELECT -(-(-3))").toInt(), -3);
    EXPECT_EQ(scalar("SELECT Asc('A') + asc(\"b\")").toInt(), 65 + 98);
}

TEST_F(HostileSql, DivisionByZeroIsReportedAndNullStaysNull)
{
    for (const QString sql : {"SELECT 1/0", "SELECT 1\\0", "SELECT 5 Mod 0", "SELECT 1/'0'", "SELECT 1.5/0.0",
                              "SELECT n FROM rus WHERE 10 / (n - 1) > 0"})
        EXPECT_EQ(error(sql), "Division by zero") << sql.toStdString();
    EXPECT_TRUE(scalar("SELECT Null/0").isNull());
    EXPECT_TRUE(scalar("SELECT Null Mod 0").isNull());
    EXPECT_TRUE(scalar("SELECT 4 \\ Null").isNull());
    EXPECT_DOUBLE_EQ(scalar("SELECT 7 / 2").toDouble(), 3.5);
    EXPECT_EQ(scalar("SELECT -7 Mod 4").toInt(), -3);
    EXPECT_EQ(scalar("SELECT 7.9 \\ 2").toInt(), 3);
}

// WITH RECURSIVE without an end ran on without a limit; WITH is no Access SQL, and neither are
// PRAGMA, EXPLAIN or VALUES.
TEST_F(HostileSql, StatementsThatAreNoAccessSqlAreRefused)
{
    const QString refused =
        QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
    for (const QString sql :
         {"WITH RECURSIVE r(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM r WHERE x < 5) SELECT x FROM r",
          "with t AS (SELECT 1) SELECT * FROM t", "EXPLAIN SELECT 1", "PRAGMA table_info(rus)", "VALUES (1)", ""})
        EXPECT_EQ(error(sql), refused) << sql.toStdString();
}

// A FIFO given as the database blocked the opening for good; a device was read without end.
TEST_F(HostileSql, ADatabaseThatIsNoRegularFileIsRefusedAtOnce)
{
    const QString fifo = folder.exeDir() + QStringLiteral("fifo.mdb");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero")}) {
        auto opening = std::async(std::launch::async, [path] {
            TADOQuery other;
            other.setConnectionString("Data Source=" + path);
            other.setSql("SELECT 1");
            try {
                other.Open();
            } catch (const DatabaseError& e) {
                return e.message();
            }
            return QString();
        });
        if (opening.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << path.toStdString() << ": the opening blocks";
            // Let a reader stuck on the FIFO go, so the test can end.
            close(open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_EQ(opening.get(), QStringLiteral("Unrecognized database format '%1'.").arg(path));
    }
}
