#include "catalogue_connection.h"

#include "access_division.h"
#include "access_functions.h"
#include "database_error.h"
#include "jet_import.h"
#include "jet_text.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class FileFormat { Sqlite, Jet, Unknown };

QString couldNotFind(const QString& path) { return QStringLiteral("Could not find file '%1'.").arg(path); }
QString unrecognized(const QString& path) { return QStringLiteral("Unrecognized database format '%1'.").arg(path); }

// Reads the first bytes of the file to tell its format; throws when it cannot be read.
FileFormat detectFormat(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        throw DatabaseError(couldNotFind(path));
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw DatabaseError(couldNotFind(path));
        throw DatabaseError(QStringLiteral("Cannot open the file '%1'. It is already opened exclusively by another "
                                           "user, or you need permission to view its data.")
                                .arg(path));
    }
    // Only a regular file can be a database: a FIFO or a device would be read without end.
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        throw DatabaseError(unrecognized(path));
    }
    char head[32] = {};
    ssize_t got = 0;
    while (got < ssize_t(sizeof head)) {
        const ssize_t n = read(fd, head + got, sizeof head - std::size_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    close(fd);
    if (got >= 16 && std::memcmp(head, "SQLite format 3\0", 16) == 0)
        return FileFormat::Sqlite;
    if (got >= 19 &&
        (std::memcmp(head + 4, "Standard Jet DB", 15) == 0 || std::memcmp(head + 4, "Standard ACE DB", 15) == 0))
        return FileFormat::Jet;
    return FileFormat::Unknown;
}

// Allows reading only: no statement may change data, schema, pragmas or attach another file.
int authorize(void*, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE: return SQLITE_OK;
    default: return SQLITE_DENY;
    }
}

}  // namespace

CatalogueConnection::CatalogueConnection(const QString& dataSource) : dataSource_(dataSource)
{
    switch (detectFormat(dataSource)) {
    case FileFormat::Sqlite: openSqliteFile(); break;
    case FileFormat::Jet: openJetImage(); break;
    case FileFormat::Unknown: throw DatabaseError(unrecognized(dataSource));
    }
}

CatalogueConnection::~CatalogueConnection() { sqlite3_close_v2(db_); }

const char* CatalogueConnection::settings()
{
    return "PRAGMA query_only = 1; PRAGMA mmap_size = 0; PRAGMA cache_size = -2048; PRAGMA temp_store = MEMORY;";
}

void CatalogueConnection::openSqliteFile()
{
    // immutable=1: SQLite neither locks nor creates a journal or shared-memory file beside it.
    const QByteArray uri =
        "file:" + QUrl::toPercentEncoding(QFileInfo(dataSource_).absoluteFilePath(), "/") + "?immutable=1";
    const int rc = sqlite3_open_v2(uri.constData(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : unrecognized(dataSource_);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DatabaseError(message);
    }
    prepareConnection();
}

void CatalogueConnection::openJetImage()
{
    const QByteArray image = ImportJetDatabase(dataSource_);
    if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DatabaseError(QStringLiteral("Not enough memory to open '%1'.").arg(dataSource_));
    }
    if (image.isEmpty()) {  // a Jet file without tables: an empty database
        prepareConnection();
        return;
    }
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(sqlite3_uint64(image.size())));
    if (copy)
        std::memcpy(copy, image.constData(), std::size_t(image.size()));
    const int rc = copy ? sqlite3_deserialize(db_, "main", copy, image.size(), image.size(),
                                              SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY)
                        : SQLITE_NOMEM;
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DatabaseError(unrecognized(dataSource_));
    }
    prepareConnection();
}

void CatalogueConnection::prepareConnection()
{
    // A double-quoted name that names nothing is an error, not a text.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    // Pages are read from the system's file cache, which keeps a catalogue without counting against
    // this process: a search that scans every project leaves only a small page cache behind, where
    // mapped or cached pages would add the scanned tables' size. Sorting and transient indexes stay
    // in memory.
    sqlite3_exec(db_, settings(), nullptr, nullptr, nullptr);
    // Reading the schema now reports a file that is not a database at once.
    const int rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int code = sqlite3_errcode(db_) & 0xFF;
        const QString message = (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            ? unrecognized(dataSource_)
            : QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DatabaseError(message);
    }
    RegisterJetFunctions(db_);
    RegisterAccessFunctions(db_);
    RegisterDivisionFunctions(db_);
    sqlite3_set_authorizer(db_, authorize, nullptr);
}

// What a column is declared to hold, from SQLite's own table metadata.
ColumnKindLookup ColumnKindsOf(sqlite3* db)
{
    return [db](const QString& table, const QString& column) {
        const char* declared = nullptr;
        if (sqlite3_table_column_metadata(db, nullptr, table.toUtf8().constData(), column.toUtf8().constData(),
                                          &declared, nullptr, nullptr, nullptr, nullptr) != SQLITE_OK ||
            !declared)
            return ValueKind::Unknown;
        return DeclaredKind(declared);
    };
}

sqlite3_stmt* PrepareOne(sqlite3* db, const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, &tail) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
        throw DatabaseError(message);
    }
    if (!statement)
        throw DatabaseError(QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', "
                                           "'SELECT', or 'UPDATE'."));
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ';' && !QChar::isSpace(uchar(*p))) {
            sqlite3_finalize(statement);
            throw DatabaseError(QStringLiteral("Characters found after end of SQL statement."));
        }
    }
    return statement;
}
