#include "catalogue_fixture.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace catalogue_fixture {

const char* const kSchema =
    "CREATE TABLE c (cn INTEGER, ctrus TEXT, cteng TEXT);"
    "CREATE TABLE cc (cat INTEGER, d INTEGER, n INTEGER, pcat INTEGER);"
    "CREATE TABLE rus (d INTEGER, n INTEGER, tdb TEXT, odb TEXT, a TEXT, o_tdb TEXT, r TEXT, r_d TEXT);"
    "CREATE TABLE eng (d INTEGER, n INTEGER, tdb TEXT, odb TEXT, a TEXT, o_tdb TEXT, r TEXT, r_d TEXT);";

QStringList categoryRows()
{
    QStringList rows;
    for (int i = 1; i <= 11; ++i)
        rows << QStringLiteral("INSERT INTO c VALUES (%1, 'Категория %1', 'Category %1')").arg(i);
    return rows;
}

void writeDatabase(const QString& path, const QStringList& statements)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN", nullptr, nullptr, nullptr);
    for (const QString& statement : statements) {
        char* error = nullptr;
        const int rc = sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << statement.toStdString() << ": " << (error ? error : "");
        sqlite3_free(error);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void writeCatalogue(const QString& path, const QStringList& extraStatements)
{
    writeDatabase(path, QStringList{QString::fromUtf8(kSchema)} + categoryRows() + extraStatements);
}

}  // namespace catalogue_fixture
