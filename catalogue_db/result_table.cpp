#include "result_table.h"

#include "access_currency.h"
#include "access_functions.h"
#include "access_values.h"
#include "database_error.h"

#include <QByteArray>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint32_t kTypeShift = 29;
constexpr std::uint32_t kSizeMask = (1u << kTypeShift) - 1;
}  // namespace

void ResultTable::clear()
{
    names_.clear();
    currency_.clear();
    rows_ = 0;
    std::vector<Cell>().swap(cells_);
    std::string().swap(store_);
}

void ResultTable::reserveRows(int rows)
{
    if (rows <= rows_ || rows_ == 0)
        return;
    cells_.reserve(std::size_t(rows) * names_.size());
    const double bytesPerRow = double(store_.size()) / rows_;
    store_.reserve(std::size_t(std::min(double(rows) * bytesPerRow * 1.05, double(0xFFFFFFFFu))));
}

void ResultTable::append(CellType type, const void* bytes, std::size_t size)
{
    if (size > kSizeMask || store_.size() + size > 0xFFFFFFFFull)
        throw DatabaseError(QStringLiteral("The result is too large to hold in memory."));
    cells_.push_back(Cell{std::uint32_t(store_.size()), (std::uint32_t(type) << kTypeShift) | std::uint32_t(size)});
    if (size)
        store_.append(static_cast<const char*>(bytes), size);
}

void ResultTable::start(sqlite3_stmt* statement, const QStringList& currencyColumns)
{
    clear();
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c)
        names_.append(QString::fromUtf8(sqlite3_column_name(statement, c)));
    currency_ = CurrencyColumns(statement, currencyColumns);
}

std::vector<bool> ResultTable::CurrencyColumns(sqlite3_stmt* statement, const QStringList& currencyColumns)
{
    std::vector<bool> currency;
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c) {
        const char* declared = sqlite3_column_decltype(statement, c);
        currency.push_back(
            (declared && DeclaredKind(declared) == ValueKind::Currency) ||
            currencyColumns.contains(QString::fromUtf8(sqlite3_column_name(statement, c)), Qt::CaseInsensitive));
    }
    return currency;
}

bool ResultTable::appendRow(sqlite3_stmt* statement)
{
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement))));
    if (rows_ == INT32_MAX)
        throw DatabaseError(QStringLiteral("The result has too many rows."));
    const int columns = int(names_.size());
    for (int c = 0; c < columns; ++c) {
        switch (sqlite3_column_type(statement, c)) {
        case SQLITE_INTEGER: {
            const sqlite3_int64 v = sqlite3_column_int64(statement, c);
            append(CellType::Integer, &v, sizeof v);
            break;
        }
        case SQLITE_FLOAT: {
            const double v = sqlite3_column_double(statement, c);
            append(CellType::Float, &v, sizeof v);
            break;
        }
        case SQLITE_TEXT: {
            const auto* text = sqlite3_column_text(statement, c);
            append(CellType::Text, text, std::size_t(sqlite3_column_bytes(statement, c)));
            break;
        }
        case SQLITE_BLOB: {
            const void* blob = sqlite3_column_blob(statement, c);
            append(CellType::Blob, blob, std::size_t(sqlite3_column_bytes(statement, c)));
            break;
        }
        default: append(CellType::Null, nullptr, 0);
        }
    }
    ++rows_;
    return true;
}

void ResultTable::fill(sqlite3_stmt* statement, const QStringList& currencyColumns)
{
    start(statement, currencyColumns);
    try {
        while (appendRow(statement)) {}
    } catch (...) {
        clear();
        throw;
    }
    cells_.shrink_to_fit();
    store_.shrink_to_fit();
}

ResultTable::CellType ResultTable::type(int row, int column) const
{
    return CellType(cell(row, column).info >> kTypeShift);
}

QVariant ResultTable::value(int row, int column) const
{
    const Cell& c = cell(row, column);
    const char* bytes = store_.data() + c.offset;
    const int size = int(c.info & kSizeMask);
    switch (CellType(c.info >> kTypeShift)) {
    case CellType::Integer: {
        qint64 v;
        std::memcpy(&v, bytes, sizeof v);
        if (currency_[std::size_t(column)])
            return QVariant(double(v) / double(kCurrencyUnit));
        return QVariant(qlonglong(v));
    }
    case CellType::Float: {
        double v;
        std::memcpy(&v, bytes, sizeof v);
        return QVariant(v);
    }
    case CellType::Text: return QVariant(TextFromUtf8(bytes, size));
    case CellType::Blob: return QVariant(QByteArray(bytes, size));
    case CellType::Null: break;
    }
    return QVariant();
}

QString ResultTable::displayText(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (CellType(c.info >> kTypeShift)) {
    case CellType::Integer: {
        qint64 v;
        std::memcpy(&v, store_.data() + c.offset, sizeof v);
        return currency_[std::size_t(column)] ? CurrencyText(v) : QString::number(v);
    }
    case CellType::Float: return AccessNumberText(value(row, column).toDouble());
    case CellType::Text: return TextFromUtf8(store_.data() + c.offset, int(c.info & kSizeMask));
    case CellType::Blob: return QStringLiteral("(Binary)");
    case CellType::Null: break;
    }
    return QString();
}
