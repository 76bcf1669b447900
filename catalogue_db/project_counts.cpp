#include "project_counts.h"

#include "ado_query.h"

QString CatalogueConnectionString(const QString& exeDir)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + exeDir +
        QLatin1String(kCatalogueFileName) +
        QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Locking Mode=0");
}

bool LoadProjectCounts(TADOQuery& query, const QString& exeDir, std::array<std::int32_t, 12>& counts)
{
    query.setConnectionString(CatalogueConnectionString(exeDir));
    if (query.Active())
        query.Close();
    query.clearSql();
    query.setSql(QString::fromUtf8(kProjectCountQuery));
    query.ExecSQL();
    query.Open();
    std::array<std::int32_t, 12> read{};
    try {
        if (query.RecordCount() != 11) {
            query.Close();
            return false;
        }
        query.First();
        for (int category = 1; category <= 11; ++category) {
            read[std::size_t(category)] = std::int32_t(query.FieldByName(QStringLiteral("cnt")).toInt());
            if (category < 11)
                query.Next();
        }
    } catch (...) {
        query.Close();
        throw;
    }
    read[0] = 3;
    query.Close();
    counts = read;
    return true;
}
