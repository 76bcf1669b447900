#include "jet_import.h"

#include "ado_query.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <mdbtools.h>
#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Same size as mdb-export's, so long memo texts arrive whole.
constexpr std::size_t kBindSize = 200000;

QString unrecognized(const QString& path)
{
    return QStringLiteral("Unrecognized database format '%1'.").arg(path);
}

const char* sqliteType(int jetType)
{
    switch (jetType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return "INTEGER";
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return "REAL";
    case MDB_BINARY:
    case MDB_OLE:
        return "BLOB";
    default:  // text, memo, date and time, replication id
        return "TEXT";
    }
}

std::string quoted(const char* name)
{
    std::string out = "\"";
    for (const char* p = name; *p; ++p) {
        if (*p == '"')
            out += '"';
        out += *p;
    }
    return out + '"';
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size) {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= std::size_t(n);
    }
    return true;
}

bool exec(sqlite3* db, const std::string& sql)
{
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool copyTable(MdbHandle* mdb, MdbCatalogEntry* entry, sqlite3* db)
{
    MdbTableDef* table = mdb_read_table(entry);
    if (!table)
        return false;
    mdb_read_columns(table);
    const unsigned columns = table->num_cols;
    if (columns == 0) {
        mdb_free_tabledef(table);
        return true;
    }
    std::string create = "CREATE TABLE " + quoted(entry->object_name) + " (";
    std::string insert = "INSERT INTO " + quoted(entry->object_name) + " VALUES (";
    std::vector<int> types(columns);
    for (unsigned c = 0; c < columns; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
        types[c] = col->col_type;
        create += (c ? ", " : "") + quoted(col->name) + " " + sqliteType(col->col_type);
        insert += c ? ", ?" : "?";
    }
    if (!exec(db, create + ")")) {
        mdb_free_tabledef(table);
        return false;
    }
    std::vector<std::vector<char>> values(columns, std::vector<char>(kBindSize + 1));
    std::vector<int> lengths(columns);
    for (unsigned c = 0; c < columns; ++c)
        mdb_bind_column(table, int(c) + 1, values[c].data(), &lengths[c]);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        mdb_free_tabledef(table);
        return false;
    }
    bool ok = true;
    mdb_rewind_table(table);
    while (ok && mdb_fetch_row(table)) {
        for (unsigned c = 0; c < columns; ++c) {
            const int slot = int(c) + 1;
            const char* text = values[c].data();
            const int length = lengths[c];
            if (types[c] == MDB_BOOL) {
                // A yes/no field is never null in Jet; it arrives as "1" or "0" (or empty for no).
                sqlite3_bind_int(statement, slot, length > 0 && text[0] == '1' ? 1 : 0);
            } else if (length <= 0) {
                sqlite3_bind_null(statement, slot);
            } else if (types[c] == MDB_OLE || types[c] == MDB_BINARY) {
                sqlite3_bind_blob(statement, slot, text, length, SQLITE_TRANSIENT);
            } else {
                // Numbers arrive as decimal text; the column's type converts them on insert.
                sqlite3_bind_text(statement, slot, text, int(strnlen(text, std::size_t(length))), SQLITE_TRANSIENT);
            }
        }
        ok = sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    // The table's own indexes (keys by which the catalogue's tables are joined) come along, so
    // joins need no transient index at each query. Foreign-key references (type 2) are skipped.
    if (ok && table->num_idxs > 0 && mdb_read_indices(table)) {
        for (unsigned k = 0; k < table->num_idxs; ++k) {
            auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, k));
            if (index->index_type == 2 || index->num_keys == 0 || index->num_keys > MDB_MAX_IDX_COLS)
                continue;
            std::string keys;
            for (unsigned key = 0; key < index->num_keys; ++key) {
                const int column = index->key_col_num[key] - 1;
                if (column < 0 || unsigned(column) >= columns) {
                    keys.clear();
                    break;
                }
                auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, column));
                keys += (key ? ", " : "") + quoted(col->name);
            }
            if (!keys.empty())
                exec(db, "CREATE INDEX " + quoted((std::string(entry->object_name) + "_" + std::to_string(k)).c_str()) +
                             " ON " + quoted(entry->object_name) + " (" + keys + ")");
        }
    }
    mdb_free_tabledef(table);
    return ok;
}

// Runs in the child: builds the database and writes 'O' + image, or 'E' on failure.
[[noreturn]] void importInChild(const char* path, int fd)
{
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) {
        dup2(devNull, STDERR_FILENO);
        dup2(devNull, STDOUT_FILENO);
    }
    MdbHandle* mdb = mdb_open(path, MDB_NOFLAGS);
    sqlite3* db = nullptr;
    bool ok = mdb && mdb_read_catalog(mdb, MDB_TABLE) && sqlite3_open(":memory:", &db) == SQLITE_OK;
    if (ok) {
        mdb_set_bind_size(mdb, kBindSize);
        mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
        mdb->boolean_false_value = "0";
        mdb->boolean_true_value = "1";
        ok = exec(db, "BEGIN");
        for (unsigned i = 0; ok && i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
                ok = copyTable(mdb, entry, db);
        }
        ok = ok && exec(db, "COMMIT");
    }
    sqlite3_int64 size = 0;
    unsigned char* image = ok ? sqlite3_serialize(db, "main", &size, 0) : nullptr;
    if (image && writeAll(fd, "O", 1) && writeAll(fd, image, std::size_t(size)))
        _exit(0);
    writeAll(fd, "E", 1);
    _exit(1);
}

struct CachedImport {
    qint64 size = -1;
    QDateTime modified;
    QByteArray image;
};

}  // namespace

QByteArray ImportJetDatabaseUncached(const QString& path, int timeLimitMs)
{
    // Access writes whole pages (2 KB in Jet 3, 4 KB later); a file cut elsewhere is damaged.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError(unrecognized(path));
    const QByteArray header = file.read(0x15);
    const qint64 pageSize = header.size() == 0x15 && header.at(0x14) == 0 ? 2048 : 4096;
    if (file.size() < 2 * pageSize || file.size() % pageSize != 0)
        throw DatabaseError(unrecognized(path));
    file.close();

    const QByteArray nativePath = QFile::encodeName(path);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw DatabaseError(QStringLiteral("Cannot start reading '%1': %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        throw DatabaseError(QStringLiteral("Cannot start reading '%1': %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
    }
    if (child == 0) {
        close(fds[0]);
        importInChild(nativePath.constData(), fds[1]);
    }
    close(fds[1]);

    QByteArray received;
    bool overrun = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            overrun = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            overrun = ready == 0;
            if (ready < 0)
                received.clear();
            break;
        }
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        received.append(buffer, int(n));
    }
    close(fds[0]);
    if (overrun)
        kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const bool cleanExit = !overrun && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!cleanExit || received.size() < 2 || received.at(0) != 'O')
        throw DatabaseError(unrecognized(path));
    return received.mid(1);
}

QByteArray ImportJetDatabase(const QString& path)
{
    static QMutex mutex;
    static std::map<QString, CachedImport> cache;
    const QFileInfo info(path);
    QMutexLocker lock(&mutex);
    CachedImport& entry = cache[info.absoluteFilePath()];
    if (entry.size == info.size() && entry.modified == info.lastModified() && !entry.image.isEmpty())
        return entry.image;
    // A few seconds for any catalogue, more for very large files.
    const int limitMs = 5000 + int(qMin<qint64>(info.size() / (1 << 20) * 500, 120000));
    QByteArray image = ImportJetDatabaseUncached(path, limitMs);
    entry = CachedImport{info.size(), info.lastModified(), image};
    return image;
}
