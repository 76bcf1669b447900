#include "criteria_search.h"

#include "ado_query.h"
#include "project_counts.h"

#include <memory>

namespace {

// A whole number from 0 to `highest` in plain digits; an empty text gives 0.
std::optional<int> ReadIndex(const QString& text, int highest)
{
    if (text.isEmpty())
        return 0;
    if (text.size() > 9)
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const int value = text.toInt();
    if (value > highest)
        return std::nullopt;
    return value;
}

}  // namespace

CriteriaRequest ReadCriteriaRequest(const Request& request)
{
    CriteriaRequest read;
    for (const char* name : {"title", "org", "cat", "person", "address", "dep", "sort"})
        read.submitted = read.submitted || request.hasArgument(QLatin1String(name));
    SearchCriteria& criteria = read.criteria;
    criteria.title = request.argument(QStringLiteral("title"));
    criteria.organisation = request.argument(QStringLiteral("org"));
    criteria.contact = request.argument(QStringLiteral("person"));
    criteria.address = request.argument(QStringLiteral("address"));
    const auto index = [&](const char* name, int highest, int& into) {
        const std::optional<int> value = ReadIndex(request.argument(QLatin1String(name)), highest);
        if (value)
            into = *value;
        else if (read.badArgument.isEmpty())
            read.badArgument = QLatin1String(name);
    };
    index("cat", 11, criteria.categoryIndex);
    index("dep", 7, criteria.departmentIndex);
    const QString sort = request.argument(QStringLiteral("sort"));
    static const QString sorts[] = {QStringLiteral("dep"), QStringLiteral("cat"), QStringLiteral("person")};
    criteria.sortIndex = -1;
    for (int i = 0; i < 3; ++i)
        if (sort == sorts[i])
            criteria.sortIndex = i;
    if (sort.isEmpty())
        criteria.sortIndex = 0;
    if (criteria.sortIndex < 0) {
        criteria.sortIndex = 0;
        if (read.badArgument.isEmpty())
            read.badArgument = QStringLiteral("sort");
    }
    index("start", 999999999, read.start);
    return read;
}

FoundProjects RunCriteriaSearch(const QString& catalogueDir, const SearchCriteria& criteria, const QString& code,
                                int start, int count)
{
    // A dataset serves one thread; each thread keeps its own, with its connection, between searches.
    thread_local std::unique_ptr<TADOQuery> dataset;
    if (!dataset)
        dataset = std::make_unique<TADOQuery>();
    TADOQuery& query = *dataset;
    query.setConnectionString(CatalogueConnectionString(catalogueDir + u'/'));
    const SearchSql sql = BuildSearchSql(criteria, code);
    if (query.Active())
        query.Close();
    query.clearSql();
    query.setSql(sql.text);
    query.setCountSql(sql.countText);
    FoundProjects found;
    query.Open();
    found.total = query.RecordCount();
    const int cn = query.columnIndex(QStringLiteral("cn"));
    const int pcat = query.columnIndex(QStringLiteral("pcat"));
    const int title = query.columnIndex(QStringLiteral("tdb"));
    const int odata = query.columnIndex(QStringLiteral("odata"));
    const int cdata = query.columnIndex(QStringLiteral("cdata"));
    const int category = query.columnIndex(QStringLiteral("ct") + code);
    for (int row = start; row < found.total && row < start + count; ++row) {
        FoundProject project;
        project.position = {query.value(row, cn).toInt(), query.value(row, pcat).toInt()};
        project.title = query.displayText(row, title);
        project.organisation = query.displayText(row, odata);
        project.contact = query.displayText(row, cdata);
        project.category = query.displayText(row, category);
        found.rows.push_back(std::move(project));
    }
    query.Close();
    return found;
}
