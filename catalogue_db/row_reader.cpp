#include "row_reader.h"

#include "access_currency.h"
#include "access_values.h"
#include "catalogue_connection.h"
#include "database_error.h"
#include "result_table.h"

#include <sqlite3.h>

#include <charconv>

RowReader::RowReader(const QString& dataSource, const QString& accessSql)
    : connection_(std::make_unique<CatalogueConnection>(dataSource))
{
    sqlite3* db = connection_->handle();
    const AccessTranslation translation = TranslateAccessQuery(accessSql, ColumnKindsOf(db));
    statement_ = PrepareOne(db, translation.sql);
    const int columns = sqlite3_column_count(statement_);
    for (int c = 0; c < columns; ++c)
        names_.append(QString::fromUtf8(sqlite3_column_name(statement_, c)));
    currency_ = ResultTable::CurrencyColumns(statement_, translation.currencyColumns);
}

RowReader::~RowReader() { sqlite3_finalize(statement_); }

bool RowReader::next()
{
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(connection_->handle())));
}

bool RowReader::isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

void RowReader::appendDisplayText(int column, std::string& out) const
{
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(statement_, column);
        if (currency_[std::size_t(column)]) {
            out += CurrencyText(v).toStdString();
        } else {
            char digits[24];
            out.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
        }
        break;
    }
    case SQLITE_FLOAT: out += AccessNumberText(sqlite3_column_double(statement_, column)).toStdString(); break;
    case SQLITE_TEXT:
        out.append(reinterpret_cast<const char*>(sqlite3_column_text(statement_, column)),
                   std::size_t(sqlite3_column_bytes(statement_, column)));
        break;
    case SQLITE_BLOB: out += "(Binary)"; break;
    default: break;
    }
}
