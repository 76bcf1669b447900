// The search texts of the search window, run verbatim on a small catalogue: rows, order, column
// names, the contact line and organisation block, case-insensitive matching and ordering.
#include "ado_query.h"
#include "catalogue_fixture.h"
#include "project_counts.h"

#include <gtest/gtest.h>

using namespace catalogue_fixture;

namespace {

const QString kRussianExample = QStringLiteral(
    "SELECT c.cn, c.ctrus, cc.d, cc.n, cc.pcat, rus.d, rus.tdb, rus.odb, rus.o_tdb, "
    "IIf(len(rus.r_d)>0,rus.r_d+\" \",\"\")+rus.r As cdata, "
    "rus.odb+IIf(len(rus.a)>0,chr(13)+chr(10)+rus.a,\"\")+"
    "IIf(len(rus.o_tdb)>0,chr(13)+chr(10)+rus.o_tdb,\"\") AS odata "
    "FROM (c INNER JOIN cc ON c.cn = cc.cat) INNER JOIN rus ON (cc.d = rus.d) AND (cc.n = rus.n) "
    "WHERE rus.tdb like '%насос%' and rus.odb like '%институт%' and c.cn=5 and r like '%ов%' and rus.a like '%факс%' "
    "and rus.d=6 ORDER BY c.cn, rus.d, rus.n;");

// The search text for language code `code`, as the search window assembles it.
QString searchText(const QString& code, const QStringList& conditions, int sortIndex)
{
    const QString& C = code;
    QString sql = QStringLiteral("SELECT c.cn, c.ct") + C + ", cc.d, cc.n, cc.pcat, " + C + ".d, " + C + ".tdb, " + C +
        ".odb, " + C + ".o_tdb, IIf(len(" + C + ".r_d)>0," + C + ".r_d+\" \",\"\")+" + C + ".r As cdata, " + C +
        ".odb+IIf(len(" + C + ".a)>0,chr(13)+chr(10)+" + C + ".a,\"\")+IIf(len(" + C + ".o_tdb)>0,chr(13)+chr(10)+" +
        C + ".o_tdb,\"\") AS odata";
    sql += " FROM (c INNER JOIN cc ON c.cn = cc.cat) INNER JOIN " + C + " ON (cc.d = " + C + ".d) AND (cc.n = " + C +
        ".n)";
    if (!conditions.isEmpty())
        sql += " WHERE " + conditions.join(" and ");
    const QStringList orders = {" ORDER BY " + C + ".d, " + C + ".n, c.cn", " ORDER BY c.cn, " + C + ".d, " + C + ".n",
                                " ORDER BY " + C + ".r"};
    return sql + orders[sortIndex] + ";";
}

class SearchTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeCatalogue(folder.databasePath(),
                       {
                           // Matches every Russian criterion, in capitals and mixed case.
                           "INSERT INTO cc VALUES (5, 6, 2, 2)",
                           "INSERT INTO rus VALUES (6, 2, 'Погружной НАСОС', 'НИИ ИНСТИТУТ', 'ФАКС 3', 'Лаборатория', "
                           "'Иванов', NULL)",
                           "INSERT INTO cc VALUES (5, 6, 1, 1)",
                           "INSERT INTO rus VALUES (6, 1, 'Насос центробежный', 'Институт механики', 'тел. 1, факс 2', "
                           "NULL, 'Петров', 'д.т.н.')",
                           // Fails the title, the category, the department, the contact (null) in turn.
                           "INSERT INTO cc VALUES (5, 6, 3, 3)",
                           "INSERT INTO rus VALUES (6, 3, 'Компрессор', 'Институт', 'факс', NULL, 'Сидоров', NULL)",
                           "INSERT INTO cc VALUES (4, 6, 4, 1)",
                           "INSERT INTO rus VALUES (6, 4, 'Насос', 'Институт', 'факс', NULL, 'Орлов', NULL)",
                           "INSERT INTO cc VALUES (5, 7, 1, 4)",
                           "INSERT INTO rus VALUES (7, 1, 'Насос', 'Институт', 'факс', NULL, 'Орлов', NULL)",
                           "INSERT INTO cc VALUES (5, 6, 5, 5)",
                           "INSERT INTO rus VALUES (6, 5, 'Насос', 'Институт', 'факс', NULL, NULL, 'проф.')",
                           // English rows, inserted out of order; one project without an English row.
                           "INSERT INTO eng VALUES (6, 2, 'Pump', 'Institute', NULL, 'Lab', 'Ivanov', '')",
                           "INSERT INTO eng VALUES (6, 1, 'Pump', 'Institute', 'fax', NULL, 'Petrov', 'Dr')",
                           "INSERT INTO eng VALUES (6, 4, 'Pump', NULL, 'fax', NULL, 'Orlov', NULL)",
                           "INSERT INTO eng VALUES (7, 1, 'Pump', 'Institute', '', '', 'Orlov', NULL)",
                       });
        query.setConnectionString(CatalogueConnectionString(folder.exeDir()));
    }

    void open(const QString& sql)
    {
        query.setSql(sql);
        query.Open();
    }
    QString text(int row, const QString& column) const { return query.displayText(row, query.columnIndex(column)); }

    CatalogueFolder folder;
    TADOQuery query;
};

TEST_F(SearchTextTest, RussianExampleWithAllCriteria)
{
    open(kRussianExample);
    ASSERT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(query.RecNo(), 0);
    // Jet names the two selected d columns after their tables; every other column by its name or alias.
    EXPECT_EQ(query.columnNames(),
              QStringList({"cn", "ctrus", "cc.d", "n", "pcat", "rus.d", "tdb", "odb", "o_tdb", "cdata", "odata"}));
    EXPECT_EQ(text(0, "cn"), "5");
    EXPECT_EQ(text(0, "pcat"), "1");
    EXPECT_EQ(text(0, "tdb"), "Насос центробежный");
    EXPECT_EQ(text(0, "ctrus"), "Категория 5");
    EXPECT_EQ(text(0, "cdata"), "д.т.н. Петров");
    EXPECT_EQ(text(0, "odata"), "Институт механики\r\nтел. 1, факс 2");
    EXPECT_EQ(text(1, "pcat"), "2");
    EXPECT_EQ(text(1, "cdata"), "Иванов");
    EXPECT_EQ(text(1, "odata"), "НИИ ИНСТИТУТ\r\nФАКС 3\r\nЛаборатория");
    EXPECT_EQ(query.value(1, query.columnIndex("cn")).toInt(), 5);
    EXPECT_EQ(query.FieldByName("PCAT").toInt(), 1);
}

TEST_F(SearchTextTest, EnglishWithoutCriteriaListsJoinedProjectsByDepartment)
{
    const QString sql = searchText("eng", {}, 0);
    ASSERT_TRUE(sql.endsWith("INNER JOIN eng ON (cc.d = eng.d) AND (cc.n = eng.n) ORDER BY eng.d, eng.n, c.cn;"));
    open(sql);
    ASSERT_EQ(query.RecordCount(), 4);
    QStringList order;
    for (int row = 0; row < 4; ++row)
        order << text(row, "eng.d") + "." + text(row, "n");
    EXPECT_EQ(order, QStringList({"6.1", "6.2", "6.4", "7.1"}));
    EXPECT_EQ(text(0, "cteng"), "Category 5");
    // Empty and null parts are left out of the contact line and the organisation block...
    EXPECT_EQ(text(0, "cdata"), "Dr Petrov");
    EXPECT_EQ(text(1, "cdata"), "Ivanov");
    EXPECT_EQ(text(1, "odata"), "Institute\r\nLab");
    EXPECT_EQ(text(3, "odata"), "Institute");
    // ...but a null organisation makes the whole block null, shown empty.
    EXPECT_TRUE(query.value(2, query.columnIndex("odata")).isNull());
    EXPECT_EQ(text(2, "odata"), "");
}

TEST_F(SearchTextTest, NullContactMakesContactLineNull)
{
    open(searchText("rus", {"rus.n=5"}, 0));
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_TRUE(query.value(0, query.columnIndex("cdata")).isNull());
}

TEST_F(SearchTextTest, LikeIgnoresCaseInCyrillicAndKeepsWildcards)
{
    open(searchText("rus", {"rus.tdb like '%насос%'"}, 1));
    EXPECT_EQ(query.RecordCount(), 5);
    query.Close();
    open(searchText("rus", {"rus.tdb like '%Н_СОС%'", "r like '%ОВ%'"}, 1));
    EXPECT_EQ(query.RecordCount(), 4);
    query.Close();
    open(searchText("rus", {"rus.tdb like '%нассос%'"}, 1));
    EXPECT_EQ(query.RecordCount(), 0);
    EXPECT_EQ(query.RecNo(), -1);
    EXPECT_TRUE(query.Eof());
}

TEST_F(SearchTextTest, ContactOrderFollowsAlphabetIgnoringCase)
{
    CatalogueFolder other;
    QStringList rows;
    const QStringList names = {"яков",    "Ёлкин", "Елена", "Жуков", "абрамов",
                               "Борисов", "Zed",   "alpha", "Ωμέγα", "άλφα"};
    for (int i = 0; i < names.size(); ++i) {
        rows << QString("INSERT INTO cc VALUES (1, 1, %1, %1)").arg(i + 1);
        rows << QString("INSERT INTO rus VALUES (1, %1, 't', 'o', NULL, NULL, '%2', NULL)").arg(i + 1).arg(names[i]);
    }
    writeCatalogue(other.databasePath(), rows);
    query.setConnectionString(CatalogueConnectionString(other.exeDir()));
    open(searchText("rus", {}, 2));
    QStringList sorted;
    for (int row = 0; row < query.RecordCount(); ++row)
        sorted << text(row, "cdata");
    EXPECT_EQ(sorted,
              QStringList({"alpha", "Zed", "άλφα", "Ωμέγα", "абрамов", "Борисов", "Елена", "Ёлкин", "Жуков", "яков"}));
}

TEST_F(SearchTextTest, EveryCombinationOfCriteriaAndOrderRuns)
{
    for (const QString code : {QStringLiteral("rus"), QStringLiteral("eng")}) {
        const QStringList criteria = {code + ".tdb like '%a%'", code + ".odb like '%и%'", "c.cn=5",
                                      "r like '% %'",           code + ".a like '%ф%'",   code + ".d=6"};
        for (int mask = 0; mask < 64; ++mask) {
            QStringList conditions;
            for (int k = 0; k < 6; ++k)
                if (mask & (1 << k))
                    conditions << criteria[k];
            for (int sort = 0; sort < 3; ++sort) {
                query.Close();
                const QString sql = searchText(code, conditions, sort);
                ASSERT_NO_THROW(open(sql)) << sql.toStdString();
                ASSERT_EQ(query.columnNames().size(), 11);
                ASSERT_GE(query.columnIndex("ct" + code), 0);
            }
        }
    }
}

TEST_F(SearchTextTest, EngineErrorsCarryTheEngineTextAndLeaveTheDatasetClosed)
{
    open(searchText("rus", {}, 0));
    ASSERT_TRUE(query.Active());
    // A contact text with an apostrophe breaks the text; a missing column names itself.
    EXPECT_THROW(open(searchText("rus", {"r like '%O'Brien%'"}, 0)), DatabaseError);
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(query.RecordCount(), 0);
    try {
        open("SELECT x FROM c");
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.message(), "no such column: x");
    }
    try {
        open("SELECT cn FROM missing;");
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.message(), "no such table: missing");
    }
    EXPECT_FALSE(query.Active());
}

}  // namespace
