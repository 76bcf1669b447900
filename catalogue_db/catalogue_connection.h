#pragma once
// One read-only SQLite connection to the catalogue file named by a data source path. A file in
// SQLite format is opened in place, immutable; a genuine Access (Jet) file is imported into memory.
// The connection carries the Access text rules (like, +, text order) and refuses every statement
// that would write.
#include "access_sql.h"

#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

class CatalogueConnection {
public:
    // Opens the data source; throws DatabaseError with the engine's message.
    explicit CatalogueConnection(const QString& dataSource);
    ~CatalogueConnection();
    CatalogueConnection(const CatalogueConnection&) = delete;
    CatalogueConnection& operator=(const CatalogueConnection&) = delete;

    sqlite3* handle() const { return db_; }
    // The settings every connection runs with (SQLite pragmas), for a peer that runs the same.
    static const char* settings();
    const QString& dataSource() const { return dataSource_; }

private:
    void openSqliteFile();
    void openJetImage();
    void prepareConnection();

    QString dataSource_;
    sqlite3* db_ = nullptr;
};

// What each column of the connection's tables is declared to hold, for the translation.
ColumnKindLookup ColumnKindsOf(sqlite3* db);

// Prepares exactly one statement; a trailing ";" and blanks are allowed after it. Throws
// DatabaseError with the engine's message.
sqlite3_stmt* PrepareOne(sqlite3* db, const QString& sql);
