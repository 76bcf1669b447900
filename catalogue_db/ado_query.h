#pragma once
// The shared query dataset of the catalogue: a connection string naming the database file, one SQL
// text in the Access dialect, and the rows of its result once opened. Every engine failure is
// thrown as DatabaseError with the engine's own message text.
#include "database_error.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class TADOQuery : public QObject {
    Q_OBJECT
public:
    explicit TADOQuery(QObject* parent = nullptr);
    ~TADOQuery() override;

    // Takes effect at the next execution; the data source is read from it.
    void setConnectionString(const QString& connectionString);
    QString connectionString() const;

    // SQL.Clear / SQL.Text: replaces the previous text (and its count statement).
    void clearSql();
    void setSql(const QString& sqlText);
    QString sql() const;
    // A statement, in the same dialect, whose one value is the number of rows of the SQL text, for
    // Open to count with when the caller knows one cheaper than counting the text as a subquery.
    void setCountSql(const QString& countText);

    // The statements the engine runs for the SQL text and for the count text, as translated for
    // this connection: what a benchmark's peer runs. Throws DatabaseError.
    QString engineSql();
    QString engineCountSql();

    void ExecSQL();  // runs the text as a command, keeping no rows
    // Runs the text, positioned on the first row. The exact row count comes first, from the
    // engine; rows are read from the running statement as they are first asked for.
    void Open();
    void Close();
    bool Active() const;

    int RecordCount() const;  // exact number of rows of the whole result
    int rowsRead() const;  // of those, the rows read from the engine so far
    void First();
    void Next();
    bool Eof() const;
    int RecNo() const;  // current row, 0-based; -1 when closed or empty
    void setRecNo(int row);

    // Column lookup by name ignores case. Throws DatabaseError for an unknown name.
    QVariant FieldByName(const QString& name) const;
    // The columns of the open result and the value of any row, for data-bound controls.
    QStringList columnNames() const;
    int columnIndex(const QString& name) const;  // -1 when absent; ignores case
    QVariant value(int row, int column) const;
    QString displayText(int row, int column) const;

signals:
    void activeChanged(bool active);
    void currentRowChanged(int row);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
