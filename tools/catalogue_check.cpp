#include "catalogue_check.h"

#include "ado_query.h"
#include "catalogue_content.h"
#include "catalogue_index.h"
#include "catalogue_layout.h"

#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <array>

namespace {

const char* const kCountQuery = "SELECT cc.cat, Count(cc.d) AS [Cnt] FROM cc GROUP BY cc.cat";

struct Placement {
    int cat = 0;
    QVariant pcat;
    QVariant d;
    QVariant n;
};

QString describe(const Placement& row)
{
    return QStringLiteral("d=%1 n=%2 (category %3, pcat %4)")
        .arg(row.d.isNull() ? QStringLiteral("NULL") : row.d.toString(),
             row.n.isNull() ? QStringLiteral("NULL") : row.n.toString())
        .arg(row.cat)
        .arg(row.pcat.isNull() ? QStringLiteral("NULL") : row.pcat.toString());
}

QString key(const QVariant& d, const QVariant& n) { return d.toString() + QLatin1Char('/') + n.toString(); }

void open(TADOQuery& query, const QString& sql)
{
    query.Close();
    query.setSql(sql);
    query.Open();
}

using Counts = std::array<int, 12>;

// The count query, exactly as the browser runs it at start. False when the database cannot be
// read at all.
bool readCounts(TADOQuery& query, const QString& database, CatalogueCheck::Report& report, Counts& counts)
{
    QSet<int> counted;
    try {
        open(query, QString::fromLatin1(kCountQuery));
        const int countColumn = query.columnIndex(QStringLiteral("cnt"));
        for (int row = 0; row < query.RecordCount(); ++row) {
            const int category = query.value(row, 0).toInt();
            const int count = query.value(row, countColumn).toInt();
            if (category < 1 || category > kCategoryCount) {
                report.problems << QStringLiteral("table cc: category %1 is outside 1 to 11 (%2 projects)")
                                       .arg(query.displayText(row, 0))
                                       .arg(count);
                continue;
            }
            counts[category] = count;
            counted.insert(category);
        }
        if (query.RecordCount() != kCategoryCount)
            report.problems << QStringLiteral(
                                   "%1: the count query gives %2 rows instead of 11; the browser will stop at start")
                                   .arg(database)
                                   .arg(query.RecordCount());
    } catch (const DatabaseError& error) {
        report.readable = false;
        report.problems << QStringLiteral("%1: cannot be read: %2").arg(database, error.message());
        return false;
    }
    for (int category = 1; category <= kCategoryCount; ++category) {
        if (!counted.contains(category))
            report.problems << QStringLiteral("table cc: category %1 has no project").arg(category);
        if (counts[category] > kMaxProjectsPerCategory)
            report.problems << QStringLiteral(
                                   "table cc: category %1 holds %2 projects, more than the 999 a page name can address")
                                   .arg(category)
                                   .arg(counts[category]);
    }
    return true;
}

std::vector<Placement> readPlacements(TADOQuery& query, CatalogueCheck::Report& report)
{
    std::vector<Placement> placements;
    try {
        open(query, QStringLiteral("SELECT cat, pcat, d, n FROM cc"));
        for (int row = 0; row < query.RecordCount(); ++row)
            placements.push_back(
                {query.value(row, 0).toInt(), query.value(row, 1), query.value(row, 2), query.value(row, 3)});
    } catch (const DatabaseError& error) {
        report.problems << QStringLiteral("table cc: cannot be read: %1").arg(error.message());
    }
    return placements;
}

// Positions within each category run 1 to its count without gaps or repeats, and (d, n) is unique.
void checkPlacements(const std::vector<Placement>& placements, const Counts& counts, CatalogueCheck::Report& report)
{
    std::array<QMap<int, int>, 12> positions;  // pcat -> projects holding it, per category
    QHash<QString, int> departmentNumbers;
    for (const Placement& row : placements) {
        if (row.cat < 1 || row.cat > kCategoryCount)
            continue;
        if (row.pcat.isNull())
            report.problems << QStringLiteral("table cc: project %1 has no pcat").arg(describe(row));
        else
            ++positions[row.cat][row.pcat.toInt()];
        if (row.d.isNull() || row.n.isNull())
            report.problems << QStringLiteral("table cc: project %1 has no department number").arg(describe(row));
        else if (++departmentNumbers[key(row.d, row.n)] == 2)
            report.problems << QStringLiteral("table cc: d=%1 n=%2 is used by more than one project")
                                   .arg(row.d.toString(), row.n.toString());
    }
    for (int category = 1; category <= kCategoryCount; ++category) {
        const int count = counts[category];
        for (int position = 1; position <= count; ++position) {
            const int holders = positions[category].value(position);
            if (holders == 0)
                report.problems << QStringLiteral(
                                       "table cc: category %1 has no project at pcat %2 (positions must run 1 to %3)")
                                       .arg(category)
                                       .arg(position)
                                       .arg(count);
            else if (holders > 1)
                report.problems << QStringLiteral("table cc: category %1 has %2 projects at pcat %3")
                                       .arg(category)
                                       .arg(holders)
                                       .arg(position);
        }
        for (auto it = positions[category].constBegin(); it != positions[category].constEnd(); ++it)
            if (it.key() < 1 || it.key() > count)
                report.problems << QStringLiteral("table cc: category %1 has a project at pcat %2, outside 1 to %3")
                                       .arg(category)
                                       .arg(it.key())
                                       .arg(count);
    }
}

// Every project needs its texts in the tables the search reads.
void checkLanguageRows(TADOQuery& query, const std::vector<Placement>& placements, CatalogueCheck::Report& report)
{
    for (const QString table : {QStringLiteral("rus"), QStringLiteral("eng")}) {
        QSet<QString> present;
        try {
            open(query, QStringLiteral("SELECT d, n FROM %1").arg(table));
            for (int row = 0; row < query.RecordCount(); ++row)
                present.insert(key(query.value(row, 0), query.value(row, 1)));
        } catch (const DatabaseError& error) {
            report.problems << QStringLiteral("table %1: cannot be read: %2").arg(table, error.message());
            continue;
        }
        for (const Placement& row : placements)
            if (!row.d.isNull() && !row.n.isNull() && !present.contains(key(row.d, row.n)))
                report.problems << QStringLiteral("table %1: no row for project %2").arg(table, describe(row));
    }
}

// Every page of every position in every language.
void checkPageFiles(const QString& folder, const Counts& counts, CatalogueCheck::Report& report)
{
    const CatalogueLayout layout(counts);
    for (int language = 0; language < kLanguageCount; ++language) {
        const QString letter = languageAt(language).letter;
        for (int category = 0; category <= kCategoryCount; ++category) {
            const int first = category == 0 ? 1 : 0;
            const int last = layout.pagedProjectCount(category);
            for (int position = first; position <= last; ++position) {
                const QString name = QStringLiteral("data/") + PageFileName(category, position, letter);
                ++report.pageFiles;
                if (!QFileInfo(folder + QLatin1Char('/') + name).isFile())
                    report.problems << QStringLiteral("%1: missing").arg(name);
            }
        }
    }
}

}  // namespace

QString CatalogueCheck::connectionString(const QString& databasePath)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + databasePath +
        QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Locking Mode=0");
}

CatalogueCheck::Report CatalogueCheck::run(const QString& folder)
{
    Report report;
    const QString database = QStringLiteral("velora2014.mdb");
    TADOQuery query;
    query.setConnectionString(connectionString(folder + QLatin1Char('/') + database));

    Counts counts{};
    if (!readCounts(query, database, report, counts))
        return report;
    const std::vector<Placement> placements = readPlacements(query, report);
    report.projects = int(placements.size());
    checkPlacements(placements, counts, report);
    checkLanguageRows(query, placements, report);
    query.Close();
    checkPageFiles(folder, counts, report);
    // The full-text index and the page files as it reads them.
    report.problems << fulltext::CheckIndex(folder);
    return report;
}
