#include "search_sql.h"

#include <QStringList>

namespace {

// A like pattern that finds `text` anywhere in a column's value.
QString Pattern(QString text, bool doubleApostrophes)
{
    if (doubleApostrophes)
        text.replace(u'\'', QStringLiteral("''"));
    return QStringLiteral("'%") + text + QStringLiteral("%'");
}

QString SelectList(const QString& c)
{
    return QStringLiteral("c.cn, c.ct") + c + QStringLiteral(", cc.d, cc.n, cc.pcat, ") + c + QStringLiteral(".d, ") +
        c + QStringLiteral(".tdb, ") + c + QStringLiteral(".odb, ") + c + QStringLiteral(".o_tdb, IIf(len(") + c +
        QStringLiteral(".r_d)>0,") + c + QStringLiteral(".r_d+\" \",\"\")+") + c + QStringLiteral(".r As cdata, ") + c +
        QStringLiteral(".odb+IIf(len(") + c + QStringLiteral(".a)>0,chr(13)+chr(10)+") + c +
        QStringLiteral(".a,\"\")+IIf(len(") + c + QStringLiteral(".o_tdb)>0,chr(13)+chr(10)+") + c +
        QStringLiteral(".o_tdb,\"\") AS odata");
}

QString FromClause(const QString& c)
{
    return QStringLiteral(" FROM (c INNER JOIN cc ON c.cn = cc.cat) INNER JOIN ") + c + QStringLiteral(" ON (cc.d = ") +
        c + QStringLiteral(".d) AND (cc.n = ") + c + QStringLiteral(".n)");
}

QString OrderBy(int sortIndex, const QString& c)
{
    switch (sortIndex) {
    case 0: return QStringLiteral(" ORDER BY ") + c + QStringLiteral(".d, ") + c + QStringLiteral(".n, c.cn");
    case 1: return QStringLiteral(" ORDER BY c.cn, ") + c + QStringLiteral(".d, ") + c + QStringLiteral(".n");
    case 2: return QStringLiteral(" ORDER BY ") + c + QStringLiteral(".r");
    default:  // no order chosen (an empty list): the engine's order
        return QString();
    }
}

}  // namespace

QString TitleWithoutApostrophes(const QString& title)
{
    QString result = title;
    result.remove(u'\'');
    return result;
}

SearchSql BuildSearchSql(const SearchCriteria& criteria, const QString& code)
{
    const QString& c = code;
    SearchSql sql;
    sql.title = TitleWithoutApostrophes(criteria.title);

    QStringList conditions;
    if (!sql.title.isEmpty())
        conditions << c + QStringLiteral(".tdb like ") + Pattern(sql.title, false);
    if (!criteria.organisation.isEmpty())
        conditions << c + QStringLiteral(".odb like ") + Pattern(criteria.organisation, true);
    if (criteria.categoryIndex > 0)
        conditions << QStringLiteral("c.cn=") + QString::number(criteria.categoryIndex);
    if (!criteria.contact.isEmpty())
        // No table prefix: only the language table has a column r.
        conditions << QStringLiteral("r like ") + Pattern(criteria.contact, true);
    if (!criteria.address.isEmpty())
        conditions << c + QStringLiteral(".a like ") + Pattern(criteria.address, true);
    if (criteria.departmentIndex > 0)
        conditions << c + QStringLiteral(".d=") + QString::number(criteria.departmentIndex);

    QString fromWhere = FromClause(c);
    if (!conditions.isEmpty())
        fromWhere += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" and "));
    sql.text = QStringLiteral("SELECT ") + SelectList(c) + fromWhere + OrderBy(criteria.sortIndex, c) + u';';
    sql.countText = QStringLiteral("SELECT Count(*)") + fromWhere + u';';
    return sql;
}
