#pragma once
// The rows of an opened result held compactly: every cell is eight bytes of index into one byte
// store that keeps texts as UTF-8 and numbers as their raw eight bytes, so a result of 100,000
// rows by 15 columns stays within a few tens of megabytes and any row can be read directly.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_stmt;

class ResultTable {
public:
    enum class CellType : std::uint8_t { Null, Integer, Float, Text, Blob };

    // Steps the prepared statement to its end, keeping every row. Throws DatabaseError. Integers
    // of the columns named in `currencyColumns`, or declared CURRENCY, are Currency values in
    // ten-thousandths (access_currency.h).
    void fill(sqlite3_stmt* statement, const QStringList& currencyColumns = {});
    // The same in steps: take the statement's column names, then append its rows a few at a time.
    void start(sqlite3_stmt* statement, const QStringList& currencyColumns = {});
    // Steps once and keeps the row; false when the statement has no more rows. Throws DatabaseError.
    bool appendRow(sqlite3_stmt* statement);
    void clear();
    // Room for `rows` rows in all, their texts as long as those read so far.
    void reserveRows(int rows);
    // Which columns of the statement hold Currency: declared CURRENCY, or named in `currencyColumns`.
    static std::vector<bool> CurrencyColumns(sqlite3_stmt* statement, const QStringList& currencyColumns);

    int rowCount() const { return rows_; }
    int columnCount() const { return int(names_.size()); }
    const QStringList& columnNames() const { return names_; }

    CellType type(int row, int column) const;
    bool isCurrency(int column) const { return currency_[std::size_t(column)]; }
    // A Currency value is a double here; its display text has every digit.
    QVariant value(int row, int column) const;
    // The text Access shows: numbers with up to 15 significant digits (1000000, not 1e+06).
    QString displayText(int row, int column) const;

private:
    struct Cell {
        std::uint32_t offset;
        std::uint32_t info;  // type in the top three bits, byte length below
    };
    const Cell& cell(int row, int column) const { return cells_[std::size_t(row) * names_.size() + column]; }
    void append(CellType type, const void* bytes, std::size_t size);

    QStringList names_;
    std::vector<bool> currency_;
    int rows_ = 0;
    std::vector<Cell> cells_;
    std::string store_;
};
