#pragma once
// Small catalogue databases for the tests, written with the SQLite C API into a temporary folder.
#include <QString>
#include <QStringList>
#include <QDir>
#include <QTemporaryDir>

#include "test_paths.h"  // readable QString values in failures

namespace catalogue_fixture {

// Tables c, cc, rus and eng with the columns the program reads.
extern const char* const kSchema;

// Eleven categories with titles in both languages.
QStringList categoryRows();

// Writes a database file made by running `statements` in order (one statement each).
void writeDatabase(const QString& path, const QStringList& statements);

// The schema, the eleven categories and the given extra statements.
void writeCatalogue(const QString& path, const QStringList& extraStatements);

// A temporary folder whose path holds a blank and Cyrillic letters, ending with "/".
struct CatalogueFolder {
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/каталог с пробелами XXXXXX")};
    QString exeDir() const { return dir.path() + QLatin1Char('/'); }
    QString databasePath() const { return exeDir() + QStringLiteral("velora2014.mdb"); }
};

}  // namespace catalogue_fixture
