#pragma once
// Opening the catalogue database at start and counting the projects of each category.
#include <QString>

#include <array>
#include <cstdint>

class TADOQuery;

// The count query: one row per category in ascending order, the count in column "Cnt".
inline const char* const kProjectCountQuery = "SELECT cc.cat, Count(cc.d) AS [Cnt] FROM cc GROUP BY cc.cat";

// The catalogue's database file, beside data/.
inline const char* const kCatalogueFileName = "velora2014.mdb";

// The connection string of the catalogue file kCatalogueFileName in exeDir (which ends with the
// folder separator); the path is put in unquoted.
QString CatalogueConnectionString(const QString& exeDir);

// Sets the connection string, runs the count query and fills counts: entries 1 to 11 from the
// eleven rows, entry 0 set to 3; the dataset is left closed. Returns false, with counts untouched
// and the dataset closed, when the query does not give exactly eleven rows. Engine errors throw
// DatabaseError with counts untouched and the dataset not open.
bool LoadProjectCounts(TADOQuery& query, const QString& exeDir, std::array<std::int32_t, 12>& counts);
