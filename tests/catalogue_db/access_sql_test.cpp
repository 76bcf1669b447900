// The Access dialect as SQLite runs it: operators and functions, names of result columns, group
// order, malformed texts, and the case-insensitive matching and ordering of texts.
#include "access_sql.h"
#include "ado_query.h"
#include "catalogue_fixture.h"
#include "jet_text.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace catalogue_fixture;

namespace {

class AccessSqlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeCatalogue(folder.databasePath(),
                       {"INSERT INTO cc VALUES (3, 1, 1, 1)", "INSERT INTO cc VALUES (1, 1, 2, 1)",
                        "INSERT INTO cc VALUES (3, NULL, 3, 2)",
                        "INSERT INTO rus VALUES (1, 1, 'b', 'x', NULL, NULL, 'Яна', NULL)",
                        "INSERT INTO rus VALUES (1, 2, 'B', 'y', NULL, NULL, 'ян', NULL)",
                        "INSERT INTO rus VALUES (1, 3, 'a', 'z', NULL, NULL, 'ЯНА', NULL)"});
        query.setConnectionString("Data Source=" + folder.databasePath());
    }
    // The single value of a one-row, one-column result.
    QVariant scalar(const QString& sql)
    {
        query.Close();
        query.setSql(sql);
        query.Open();
        EXPECT_EQ(query.RecordCount(), 1) << sql.toStdString();
        return query.value(0, 0);
    }

    CatalogueFolder folder;
    TADOQuery query;
};

TEST_F(AccessSqlTest, PlusJoinsTextsAddsNumbersAndRespectsPrecedence)
{
    EXPECT_EQ(scalar("SELECT \"ab\" + 'c' + \"d\"\"e\" AS x").toString(), "abcd\"e");
    EXPECT_EQ(scalar("SELECT 1 + 2 * 3 AS x").toLongLong(), 7);
    EXPECT_EQ(scalar("SELECT (1 + 2) * 3 - 4 AS x").toLongLong(), 5);
    EXPECT_EQ(scalar("SELECT 'n' + 1 * 2 AS x").toString(), "n2");
    EXPECT_EQ(scalar("SELECT '4' + 1 AS x").toLongLong(), 5);
    EXPECT_TRUE(scalar("SELECT 'a' + NULL AS x").isNull());
    EXPECT_TRUE(scalar("SELECT NULL + 1 AS x").isNull());
    EXPECT_EQ(scalar("SELECT 'a' & NULL & 'b' AS x").toString(), "ab");
    EXPECT_DOUBLE_EQ(scalar("SELECT 7 / 2 AS x").toDouble(), 3.5);
    EXPECT_EQ(scalar("SELECT 7 \\ 2 AS x").toLongLong(), 3);
    EXPECT_EQ(scalar("SELECT 7 mod 4 AS x").toLongLong(), 3);
    EXPECT_EQ(scalar("SELECT -2 + 5 AS x").toLongLong(), 3);
}

TEST_F(AccessSqlTest, FunctionsAndConditions)
{
    EXPECT_EQ(scalar("SELECT IIf(len(\"abc\")>2, chr(65) + chr(66), 'no') AS x").toString(), "AB");
    EXPECT_EQ(scalar("SELECT IIf(len(NULL)>0, 'yes', 'no') AS x").toString(), "no");
    EXPECT_EQ(scalar("SELECT UCase('ab') + LCase('CD') + Mid('xyz', 2, 1) AS x").toString(), "ABcdy");
    EXPECT_EQ(scalar("SELECT count(*) AS x FROM rus WHERE r like 'ЯН_' AND NOT n IN (1, 7)").toLongLong(), 1);
    EXPECT_EQ(
        scalar("SELECT count(*) AS x FROM rus WHERE n BETWEEN 2 AND 3 AND a IS NULL AND r NOT LIKE '%q%'").toLongLong(),
        2);
    EXPECT_EQ(scalar("SELECT count(*) AS x FROM cc WHERE d Is Not Null Or cat = 1").toLongLong(), 2);
    EXPECT_EQ(scalar("SELECT True AS x").toLongLong(), -1);
}

TEST_F(AccessSqlTest, ResultColumnsAreNamedAsJetNamesThem)
{
    query.setSql("SELECT rus.n, [rus].[tdb], r As [Contact person], rus.n + 1, len(r), cc.n FROM rus INNER JOIN cc "
                 "ON cc.n = rus.n;");
    query.Open();
    EXPECT_EQ(query.columnNames(), QStringList({"rus.n", "tdb", "Contact person", "Expr1000", "Expr1001", "cc.n"}));
    EXPECT_EQ(query.columnIndex("CONTACT PERSON"), 2);
    EXPECT_EQ(query.columnIndex("missing"), -1);
    EXPECT_THROW(query.FieldByName("missing"), DatabaseError);
}

TEST_F(AccessSqlTest, CountQueryGroupsInAscendingOrderWithoutEmptyDepartments)
{
    query.setSql("SELECT cc.cat, Count(cc.d) AS [Cnt] FROM cc GROUP BY cc.cat");
    query.Open();
    EXPECT_EQ(query.columnNames(), QStringList({"cat", "Cnt"}));
    ASSERT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(query.FieldByName("cat").toInt(), 1);
    query.Next();
    EXPECT_EQ(query.FieldByName("cnt").toInt(), 1);
    EXPECT_FALSE(query.Eof());
    query.Next();
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.RecNo(), 1);
}

TEST_F(AccessSqlTest, TextGroupsAndOrderIgnoreCase)
{
    query.setSql("SELECT r, count(*) AS k FROM rus GROUP BY r");
    query.Open();
    ASSERT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(query.displayText(0, 0).toLower(), "ян");
    EXPECT_EQ(query.displayText(1, 1), "2");
    query.Close();
    query.setSql("SELECT tdb FROM rus ORDER BY tdb DESC, n");
    query.Open();
    EXPECT_EQ(query.displayText(0, 0) + query.displayText(1, 0) + query.displayText(2, 0), "bBa");
}

TEST_F(AccessSqlTest, MalformedTextsAreErrors)
{
    for (const QString sql :
         {"SELECT 'open", "SELECT [open FROM c", "SELECT cn FROM c; SELECT cn FROM c", "SELECT cn FROM c WHERE",
          "SELECT # FROM c", "SELECT cn FROM (c", "SELECT 1 +", "", "SELECT cn FROM c ORDER cn"}) {
        query.setSql(sql);
        EXPECT_THROW(query.Open(), DatabaseError) << sql.toStdString();
        EXPECT_FALSE(query.Active());
    }
    EXPECT_NO_THROW(TranslateAccessSql("SELECT cn FROM c;;"));
}

TEST_F(AccessSqlTest, SqliteCatalogueRefusesWrites)
{
    for (const QString sql : {"DELETE FROM c", "UPDATE c SET cn = 1", "CREATE TABLE t (x)", "PRAGMA user_version = 3",
                              "ATTACH 'other.db' AS other"}) {
        query.setSql(sql);
        EXPECT_THROW(query.ExecSQL(), DatabaseError) << sql.toStdString();
    }
    EXPECT_EQ(scalar("SELECT count(*) AS x FROM c").toInt(), 11);
}

TEST(JetText, LikeMatchesAnyAlphabetIgnoringCase)
{
    auto like = [](const char* text, const char* pattern) {
        return JetLikeMatch(pattern, std::strlen(pattern), text, std::strlen(text));
    };
    EXPECT_TRUE(like("Насос", "%НАС%"));
    EXPECT_TRUE(like("ΚΎΚΛΩΠΑ", "%κύκλωπα"));
    EXPECT_TRUE(like("ÄÄKKÖSIÄ", "ää_kösiä"));
    EXPECT_TRUE(like("Rock", "r_c%"));
    EXPECT_TRUE(like("", "%"));
    EXPECT_TRUE(like("a%b", "a%b"));
    EXPECT_FALSE(like("Насос", "Нас"));
    EXPECT_FALSE(like("ab", "a_b"));
    EXPECT_FALSE(like("abc", "%d%"));
    EXPECT_TRUE(like("aaaaaaaaaaaaaaaaaaaaab", "%a%a%a%b"));
}

TEST(JetText, OrderIsAlphabeticalAndCaseBlind)
{
    auto compare = [](const char* a, const char* b) { return JetCompareText(a, std::strlen(a), b, std::strlen(b)); };
    EXPECT_EQ(compare("Apple", "apple"), 0);
    EXPECT_EQ(compare("ЁЖ", "ёж"), 0);
    EXPECT_LT(compare("apple", "Banana"), 0);
    EXPECT_LT(compare("Елена", "ёлка"), 0);
    EXPECT_LT(compare("ёлка", "Жук"), 0);
    EXPECT_LT(compare("Zebra", "альфа"), 0);
    EXPECT_LT(compare("ab", "abc"), 0);
    EXPECT_GT(compare("Я", "а"), 0);
}

}  // namespace

TEST(AccessSqlTranslation, KeysOnNumericColumnsKeepTheirIndexOrderAndTextKeysIgnoreCase)
{
    const NumericColumnLookup numeric = [](const QString& table, const QString& column) {
        return table == "eng" && (column == "d" || column == "n");
    };
    const QString sql = TranslateAccessSql("SELECT eng.tdb FROM eng ORDER BY eng.d, eng.n, eng.r, tdb;", numeric);
    EXPECT_TRUE(sql.endsWith(R"(ORDER BY "eng"."d", "eng"."n", "eng"."r" COLLATE jet_text, "tdb" COLLATE jet_text)"))
        << sql.toStdString();
    // Without a lookup every key takes the case-insensitive order.
    EXPECT_TRUE(TranslateAccessSql("SELECT d FROM eng ORDER BY eng.d").endsWith(R"("eng"."d" COLLATE jet_text)"));
}

TEST_F(AccessSqlTest, ANulInsideAQuotedTextStaysInsideIt)
{
    // SQLite would end the text at the NUL and fail on the rest of the statement.
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM rus WHERE tdb like '%") + QChar(0) + QStringLiteral("%'")),
              0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Right('a") + QChar(0) + QStringLiteral("b', 2)")),
              QStringLiteral("") + QChar(0) + "b");
}
