#pragma once
// One Access-dialect query read once, from the first row to the last, as the engine hands the rows
// out: no count beforehand and no row kept, for listing a whole result (the catalogue tool's sql
// verb). Its cells read as the dataset shows them.
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class CatalogueConnection;
struct sqlite3_stmt;

class RowReader {
public:
    // Opens the data source (an SQLite or a Jet file) and prepares the query. Throws DatabaseError.
    RowReader(const QString& dataSource, const QString& accessSql);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    const QStringList& columnNames() const { return names_; }
    // Steps to the next row; false after the last. Throws DatabaseError.
    bool next();
    bool isNull(int column) const;
    // The cell's display text, in UTF-8, appended to `out`.
    void appendDisplayText(int column, std::string& out) const;

private:
    std::unique_ptr<CatalogueConnection> connection_;
    sqlite3_stmt* statement_ = nullptr;
    QStringList names_;
    std::vector<bool> currency_;
};
