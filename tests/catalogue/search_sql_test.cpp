// The search statement: exact texts, one condition per filled criterion, orders, and quoting.
#include "search_sql.h"

#include <gtest/gtest.h>

namespace {

const QString RussianSelect =
    QStringLiteral("SELECT c.cn, c.ctrus, cc.d, cc.n, cc.pcat, rus.d, rus.tdb, rus.odb, rus.o_tdb, "
                   "IIf(len(rus.r_d)>0,rus.r_d+\" \",\"\")+rus.r As cdata, "
                   "rus.odb+IIf(len(rus.a)>0,chr(13)+chr(10)+rus.a,\"\")+"
                   "IIf(len(rus.o_tdb)>0,chr(13)+chr(10)+rus.o_tdb,\"\") AS odata "
                   "FROM (c INNER JOIN cc ON c.cn = cc.cat) INNER JOIN rus ON (cc.d = rus.d) AND (cc.n = rus.n)");

// The part between the from clause and the order: " WHERE ..." or nothing.
QString WherePart(const QString& sql)
{
    const int from = sql.indexOf(QStringLiteral("(cc.n = rus.n)")) + 14;
    const int order = sql.indexOf(QStringLiteral(" ORDER BY "));
    return sql.mid(from, order - from);
}

TEST(SearchSql, RussianExampleWithEveryCriterion)
{
    SearchCriteria criteria;
    criteria.title = QStringLiteral("насос");
    criteria.organisation = QStringLiteral("институт");
    criteria.categoryIndex = 5;
    criteria.contact = QStringLiteral("ов");
    criteria.address = QStringLiteral("факс");
    criteria.departmentIndex = 6;
    criteria.sortIndex = 1;
    EXPECT_EQ(BuildSearchSql(criteria, QStringLiteral("rus")).text,
              RussianSelect +
                  QStringLiteral(" WHERE rus.tdb like '%насос%' and rus.odb like '%институт%' and c.cn=5 and "
                                 "r like '%ов%' and rus.a like '%факс%' and rus.d=6 ORDER BY c.cn, rus.d, rus.n;"));
}

TEST(SearchSql, EnglishWithoutCriteriaHasNoWhere)
{
    const QString sql = BuildSearchSql(SearchCriteria{}, QStringLiteral("eng")).text;
    EXPECT_TRUE(sql.startsWith(QStringLiteral("SELECT c.cn, c.cteng, cc.d, cc.n, cc.pcat, eng.d, eng.tdb, ")));
    EXPECT_TRUE(sql.endsWith(
        QStringLiteral("INNER JOIN eng ON (cc.d = eng.d) AND (cc.n = eng.n) ORDER BY eng.d, eng.n, c.cn;")));
    EXPECT_FALSE(sql.contains(QStringLiteral("WHERE")));
    EXPECT_FALSE(sql.contains(QStringLiteral("rus")));
    EXPECT_EQ(sql.count(QStringLiteral("eng")), 18);  // 13 in the select list, 3 in the joins, 2 in the order
}

TEST(SearchSql, EachCriterionAloneGivesOneCondition)
{
    struct Case {
        void (*fill)(SearchCriteria&);
        const char* where;
    };
    const Case cases[] = {
        {[](SearchCriteria& s) { s.title = QStringLiteral("rock'n'roll"); }, " WHERE rus.tdb like '%rocknroll%'"},
        {[](SearchCriteria& s) { s.title = QStringLiteral(" "); }, " WHERE rus.tdb like '% %'"},
        {[](SearchCriteria& s) { s.title = QStringLiteral("'''"); }, ""},
        {[](SearchCriteria& s) { s.organisation = QStringLiteral("O'Brien"); }, " WHERE rus.odb like '%O''Brien%'"},
        {[](SearchCriteria& s) { s.categoryIndex = 11; }, " WHERE c.cn=11"},
        {[](SearchCriteria& s) { s.contact = QStringLiteral("ов"); }, " WHERE r like '%ов%'"},
        {[](SearchCriteria& s) { s.contact = QStringLiteral("O'Brien"); }, " WHERE r like '%O''Brien%'"},
        {[](SearchCriteria& s) { s.address = QStringLiteral("'"); }, " WHERE rus.a like '%''%'"},
        {[](SearchCriteria& s) { s.address = QStringLiteral("5_%"); }, " WHERE rus.a like '%5_%%'"},
        {[](SearchCriteria& s) { s.departmentIndex = 7; }, " WHERE rus.d=7"},
        {[](SearchCriteria& s) {
             s.categoryIndex = -1;
             s.departmentIndex = -1;
         },
         ""},
    };
    for (const Case& c : cases) {
        SearchCriteria criteria;
        c.fill(criteria);
        EXPECT_EQ(WherePart(BuildSearchSql(criteria, QStringLiteral("rus")).text), QString::fromUtf8(c.where))
            << c.where;
    }
}

TEST(SearchSql, TitleIsReturnedWithoutApostrophesAndOthersUnchanged)
{
    SearchCriteria criteria;
    criteria.title = QStringLiteral("'rock'n'roll'");
    criteria.organisation = QStringLiteral("a'b");
    const SearchSql sql = BuildSearchSql(criteria, QStringLiteral("eng"));
    EXPECT_EQ(sql.title, QStringLiteral("rocknroll"));
    EXPECT_EQ(TitleWithoutApostrophes(QStringLiteral("''")), QString());
    // Each quoted pattern stays closed: the apostrophes outside doubled pairs come in pairs.
    EXPECT_EQ(sql.text.count(u'\'') - 2 * sql.text.count(QStringLiteral("''")), 4);
}

TEST(SearchSql, OrderFollowsTheSortIndex)
{
    SearchCriteria criteria;
    criteria.contact = QStringLiteral("ов");
    criteria.sortIndex = 2;
    EXPECT_TRUE(BuildSearchSql(criteria, QStringLiteral("rus"))
                    .text.endsWith(QStringLiteral("(cc.n = rus.n) WHERE r like '%ов%' ORDER BY rus.r;")));
    const char* endings[] = {" ORDER BY eng.d, eng.n, c.cn;", " ORDER BY c.cn, eng.d, eng.n;", " ORDER BY eng.r;",
                             "(cc.n = eng.n);"};
    for (int index = 0; index < 4; ++index) {
        SearchCriteria sorted;
        sorted.sortIndex = index == 3 ? -1 : index;
        EXPECT_TRUE(BuildSearchSql(sorted, QStringLiteral("eng")).text.endsWith(QString::fromUtf8(endings[index])))
            << index;
    }
}

}  // namespace
