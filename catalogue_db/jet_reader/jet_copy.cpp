#include "jet_copy.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// After the C++ headers: mdbtools.h includes GLib's inside extern "C", and GLib's headers include
// <type_traits> under C++, whose templates cannot have C linkage.
#include <mdbtools.h>

namespace {

// Room for the UTF-8 text of a memo, the same as mdb-export's, so long memo texts arrive whole;
// the text of a Text field (255 characters at most) and of a date needs far less.
constexpr std::size_t kMemoSize = 200000;
constexpr std::size_t kTextSize = 1024;

// The declared type of a copied column. Decimal has none, so SQLite keeps each value as it is
// bound: a number where a double holds all its digits, the digits as text where none does.
const char* sqliteType(int jetType)
{
    switch (jetType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return "INTEGER";
    case MDB_MONEY: return "CURRENCY";  // whole ten-thousandths, exact as Jet keeps them
    case MDB_FLOAT:
    case MDB_DOUBLE: return "REAL";
    case MDB_NUMERIC: return "";
    case MDB_BINARY:
    case MDB_OLE: return "BLOB";
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

bool exec(sqlite3* db, const std::string& sql)
{
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// A Jet table being copied and its columns' types.
struct BoundTable {
    MdbTableDef* table;
    std::vector<int> types;

    MdbColumn* column(unsigned c) const { return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c)); }
};

// Creates the SQLite table with the Jet table's name and columns; returns its INSERT statement.
sqlite3_stmt* createTable(sqlite3* db, const char* name, BoundTable& bound)
{
    std::string create = "CREATE TABLE " + quoted(name) + " (";
    std::string insert = "INSERT INTO " + quoted(name) + " VALUES (";
    for (unsigned c = 0; c < bound.types.size(); ++c) {
        MdbColumn* col = bound.column(c);
        bound.types[c] = col->col_type;
        create += (c ? ", " : "") + quoted(col->name) + " " + sqliteType(col->col_type);
        insert += c ? ", ?" : "?";
    }
    sqlite3_stmt* statement = nullptr;
    if (!exec(db, create + ")") || sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return nullptr;
    return statement;
}

// A Decimal keeps its digits: as a number when a double holds them all, else as its text.
void bindDecimal(sqlite3_stmt* statement, int slot, const char* text, std::size_t length)
{
    int digits = 0;
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] >= '0' && text[i] <= '9' && (digits > 0 || text[i] != '0'))
            ++digits;
    double number = 0;
    if (digits <= 15 && std::from_chars(text, text + length, number).ec == std::errc())
        sqlite3_bind_double(statement, slot, number);
    else
        sqlite3_bind_text(statement, slot, text, int(length), SQLITE_TRANSIENT);
}

// A text libmdb makes of a value (it allocates it), bound as the column's value.
void bindLibraryText(sqlite3_stmt* statement, int slot, char* text, bool decimal)
{
    if (!text)
        sqlite3_bind_null(statement, slot);
    else if (decimal)
        bindDecimal(statement, slot, text, std::strlen(text));
    else
        sqlite3_bind_text(statement, slot, text, -1, SQLITE_TRANSIENT);
    g_free(text);
}

// Binds column c of the row libmdb has just read, from the row's bytes where the value is a number
// (libmdb's text of a fraction follows the process's locale, a decimal comma under a Russian one,
// and drops digits) and from libmdb's own text for texts, memos, dates and decimals. No column is
// bound to a buffer of libmdb's: every row would fill one per column.
void bindValue(MdbHandle* mdb, const BoundTable& bound, unsigned c, sqlite3_stmt* statement)
{
    const int slot = int(c) + 1;
    const MdbColumn* col = bound.column(c);
    const int start = col->cur_value_start;
    const int length = col->cur_value_len;
    void* row = mdb->pg_buf;
    const int type = bound.types[c];
    // A yes/no field is never null in Jet: its null bit is its value, and a Yes is -1 there.
    if (type == MDB_BOOL)
        return (void)sqlite3_bind_int(statement, slot, length == 0 ? -1 : 0);
    if (length <= 0)
        return (void)sqlite3_bind_null(statement, slot);
    switch (type) {
    case MDB_BYTE: sqlite3_bind_int(statement, slot, mdb_get_byte(row, start)); return;
    case MDB_INT: sqlite3_bind_int(statement, slot, std::int16_t(mdb_get_int16(row, start))); return;
    case MDB_LONGINT: sqlite3_bind_int(statement, slot, std::int32_t(mdb_get_int32(row, start))); return;
    case MDB_FLOAT:
    case MDB_DOUBLE:
        if (length == 4)
            sqlite3_bind_double(statement, slot, double(mdb_get_single(row, start)));
        else if (length == 8)
            sqlite3_bind_double(statement, slot, mdb_get_double(row, start));
        else
            sqlite3_bind_null(statement, slot);
        return;
    case MDB_MONEY:
        // A 64-bit count of ten-thousandths, little-endian, taken as it stands.
        if (length == 8)
            sqlite3_bind_int64(statement, slot,
                               sqlite3_int64((std::uint64_t(std::uint32_t(mdb_get_int32(row, start + 4))) << 32) |
                                             std::uint32_t(mdb_get_int32(row, start))));
        else
            sqlite3_bind_null(statement, slot);
        return;
    case MDB_BINARY:
        sqlite3_bind_blob(statement, slot, static_cast<const char*>(row) + start, length, SQLITE_TRANSIENT);
        return;
    case MDB_OLE:
        // The field's reference to its data pages, as libmdb binds it; the program never reads OLE data.
        sqlite3_bind_blob(statement, slot, static_cast<const char*>(row) + start,
                          length < MDB_MEMO_OVERHEAD ? length : MDB_MEMO_OVERHEAD, SQLITE_TRANSIENT);
        return;
    case MDB_NUMERIC:
        bindLibraryText(statement, slot, mdb_numeric_to_string(mdb, start, col->col_scale, col->col_prec), true);
        return;
    default:  // texts, memos, dates, replication ids
        mdb_set_bind_size(mdb, type == MDB_MEMO ? kMemoSize : kTextSize);
        bindLibraryText(statement, slot, mdb_col_to_string(mdb, row, start, type, length), false);
        return;
    }
}

bool copyRows(MdbHandle* mdb, BoundTable& bound, sqlite3_stmt* statement)
{
    const unsigned columns = unsigned(bound.types.size());
    bool ok = true;
    mdb_rewind_table(bound.table);
    while (ok && mdb_fetch_row(bound.table)) {
        for (unsigned c = 0; c < columns; ++c)
            bindValue(mdb, bound, c, statement);
        ok = sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_reset(statement);
    }
    return ok;
}

// The table's own indexes (keys by which the catalogue's tables are joined) come along, so joins
// need no transient index at each query. Foreign-key references (type 2) are skipped.
void copyIndexes(sqlite3* db, const char* name, const BoundTable& bound)
{
    MdbTableDef* table = bound.table;
    if (table->num_idxs == 0 || !mdb_read_indices(table))
        return;
    for (unsigned k = 0; k < table->num_idxs; ++k) {
        auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, k));
        if (index->index_type == 2 || index->num_keys == 0 || index->num_keys > MDB_MAX_IDX_COLS)
            continue;
        std::string keys;
        for (unsigned key = 0; key < index->num_keys; ++key) {
            const int column = index->key_col_num[key] - 1;
            if (column < 0 || unsigned(column) >= bound.types.size()) {
                keys.clear();
                break;
            }
            keys += (key ? ", " : "") + quoted(bound.column(unsigned(column))->name);
        }
        if (!keys.empty())
            exec(db,
                 "CREATE INDEX " + quoted((std::string(name) + "_" + std::to_string(k)).c_str()) + " ON " +
                     quoted(name) + " (" + keys + ")");
    }
}

bool copyTable(MdbCatalogEntry* entry, sqlite3* db)
{
    MdbTableDef* table = mdb_read_table(entry);
    if (!table)
        return false;
    mdb_read_columns(table);
    BoundTable bound{table, std::vector<int>(table->num_cols)};
    bool ok = true;
    if (table->num_cols > 0) {
        sqlite3_stmt* insert = createTable(db, entry->object_name, bound);
        ok = insert && copyRows(entry->mdb, bound, insert);
        sqlite3_finalize(insert);
        if (ok)
            copyIndexes(db, entry->object_name, bound);
    }
    mdb_free_tabledef(table);
    return ok;
}

}  // namespace

sqlite3* CopyJetTables(const char* path)
{
    MdbHandle* mdb = mdb_open(path, MDB_NOFLAGS);
    sqlite3* db = nullptr;
    bool ok = mdb && mdb_read_catalog(mdb, MDB_TABLE) && sqlite3_open(":memory:", &db) == SQLITE_OK;
    if (ok) {
        mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
        mdb->boolean_false_value = "0";
        mdb->boolean_true_value = "1";
        ok = exec(db, "BEGIN");
        for (unsigned i = 0; ok && i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
                ok = copyTable(entry, db);
        }
        ok = ok && exec(db, "COMMIT");
    }
    if (mdb)
        mdb_close(mdb);
    if (!ok) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}
