#include "ado_query.h"

#include "access_sql.h"
#include "catalogue_connection.h"
#include "result_table.h"

#include <QRegularExpression>
#include <QtDebug>
#include <sqlite3.h>

#include <utility>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// The value of "Data Source=" in a connection string, up to the ";" that starts the next
// "Key=" pair. The path is taken as it stands: spaces, non-Latin letters and a ";" inside a folder
// name are not quoted.
QString dataSourceOf(const QString& connectionString)
{
    static const QString key = QStringLiteral("Data Source=");
    int start = -1;
    for (int at = 0; (at = connectionString.indexOf(key, at, Qt::CaseInsensitive)) >= 0; at += key.size()) {
        if (at == 0 || connectionString[at - 1] == u';' || connectionString[at - 1].isSpace()) {
            start = at + key.size();
            break;
        }
    }
    if (start < 0)
        return QString();
    static const QRegularExpression nextPair(QStringLiteral(";(?=\\s*$|\\s*[A-Za-z][A-Za-z ]*(:[A-Za-z ]+)?=)"));
    const QRegularExpressionMatch match = nextPair.match(connectionString, start);
    const qsizetype end = match.hasMatch() ? match.capturedStart() : -1;
    return connectionString.mid(start, end < 0 ? -1 : end - start).trimmed();
}

struct StatementGuard {
    sqlite3_stmt* statement;
    ~StatementGuard() { sqlite3_finalize(statement); }
    sqlite3_stmt* release() { return std::exchange(statement, nullptr); }
};

// Rows read ahead of the one asked for, so that a grid scrolling row by row steps the engine in
// batches rather than once per row.
constexpr int FetchBatch = 64;

// The exact number of rows a query yields, from the given count statement or else the engine's own
// count over the query; -1 when the query cannot stand as a subquery (a PRAGMA, say), so the caller
// reads every row instead.
int CountRows(sqlite3* db, sqlite3_stmt* statement, const QString& countSql)
{
    sqlite3_stmt* count = nullptr;
    if (!countSql.isEmpty()) {
        count = PrepareOne(db, countSql);
    } else {
        QByteArray body = QByteArray(sqlite3_sql(statement)).trimmed();
        while (body.endsWith(';'))
            body = body.chopped(1).trimmed();
        // The line break ends a trailing "--" comment before the closing parenthesis.
        const QByteArray text = "SELECT Count(*) FROM (" + body + "\n)";
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &count, nullptr) != SQLITE_OK || !count) {
            sqlite3_finalize(count);
            return -1;
        }
    }
    StatementGuard guard{count};
    if (sqlite3_step(count) != SQLITE_ROW)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    const sqlite3_int64 rows = sqlite3_column_int64(count, 0);
    if (rows > INT32_MAX)
        throw DatabaseError(QStringLiteral("The result has too many rows."));
    return int(rows);
}

}  // namespace

// An opened result is read as it is needed: Open counts the rows with the engine and keeps the
// statement, and rows are stepped out of it when a reader first asks for them. So the count and the
// first rows are ready as soon as the engine can give them, and memory holds only the rows read.
struct TADOQuery::Impl {
    QString connectionString;
    QString sql;
    QString countSql;
    std::unique_ptr<CatalogueConnection> connection;
    ResultTable result;
    sqlite3_stmt* pending = nullptr;  // the open statement while rows remain unread
    int rowCount = 0;  // of the whole result, read or not
    bool active = false;
    int current = -1;
    bool eof = true;

    ~Impl() { sqlite3_finalize(pending); }

    CatalogueConnection& connect()
    {
        const QString source = dataSourceOf(connectionString);
        if (connection && connection->dataSource() == source)
            return *connection;
        readAll();  // the open result keeps its rows when the connection goes
        connection.reset();
        connection = std::make_unique<CatalogueConnection>(source);
        return *connection;
    }

    // Makes rows up to `row` readable. A failure while stepping ends the reading: the rows past it
    // read as empty (the count stays as the engine gave it) and the message goes to the log.
    void readTo(int row)
    {
        try {
            stepTo(row);
        } catch (const DatabaseError& error) {
            qWarning("Reading the result stopped at row %d: %s", result.rowCount() + 1, error.what());
            finishReading();
        }
    }

    // The same, but an engine error leaves as DatabaseError.
    void stepTo(int row)
    {
        if (!pending || row < result.rowCount())
            return;
        const int until = qMin(rowCount, row + 1 + FetchBatch);
        // A jump far ahead (the grid dragged to its end) makes room for the rows at once.
        if (until - result.rowCount() > 4 * FetchBatch)
            result.reserveRows(until);
        while (result.rowCount() < until && result.appendRow(pending)) {}
        if (result.rowCount() >= rowCount || result.rowCount() < until)
            finishReading();
    }

    void readAll() { readTo(rowCount - 1); }

    void finishReading()
    {
        sqlite3_finalize(pending);
        pending = nullptr;
    }

    void clear()
    {
        finishReading();
        result.clear();
        rowCount = 0;
    }
};

TADOQuery::TADOQuery(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}

TADOQuery::~TADOQuery() = default;

void TADOQuery::setConnectionString(const QString& connectionString) { d->connectionString = connectionString; }

QString TADOQuery::connectionString() const { return d->connectionString; }

void TADOQuery::clearSql()
{
    d->sql.clear();
    d->countSql.clear();
}

void TADOQuery::setSql(const QString& sqlText)
{
    d->sql = sqlText;
    d->countSql.clear();
}

void TADOQuery::setCountSql(const QString& countText) { d->countSql = countText; }

QString TADOQuery::sql() const { return d->sql; }

QString TADOQuery::engineSql() { return TranslateAccessQuery(d->sql, ColumnKindsOf(d->connect().handle())).sql; }

QString TADOQuery::engineCountSql()
{
    return d->countSql.isEmpty() ? QString()
                                 : TranslateAccessQuery(d->countSql, ColumnKindsOf(d->connect().handle())).sql;
}

void TADOQuery::ExecSQL()
{
    sqlite3* db = d->connect().handle();
    StatementGuard guard{PrepareOne(db, TranslateAccessQuery(d->sql, ColumnKindsOf(db)).sql)};
    for (;;) {
        const int rc = sqlite3_step(guard.statement);
        if (rc == SQLITE_DONE)
            return;
        if (rc != SQLITE_ROW)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

void TADOQuery::Open()
{
    Close();
    sqlite3* db = d->connect().handle();
    const ColumnKindLookup kinds = ColumnKindsOf(db);
    const AccessTranslation translation = TranslateAccessQuery(d->sql, kinds);
    StatementGuard guard{PrepareOne(db, translation.sql)};
    const int counted = sqlite3_column_count(guard.statement) > 0
        ? CountRows(db, guard.statement,
                    d->countSql.isEmpty() ? QString() : TranslateAccessQuery(d->countSql, kinds).sql)
        : -1;
    if (counted < 0) {
        d->result.fill(guard.statement, translation.currencyColumns);
        d->rowCount = d->result.rowCount();
    } else {
        d->result.start(guard.statement, translation.currencyColumns);
        d->rowCount = counted;
        if (counted > 0) {
            d->pending = guard.release();
            // The first row's errors still end Open, as a full read would.
            try {
                d->stepTo(0);
            } catch (...) {
                d->clear();
                throw;
            }
        }
    }
    d->active = true;
    d->current = d->rowCount > 0 ? 0 : -1;
    d->eof = d->current < 0;
    emit activeChanged(true);
    emit currentRowChanged(d->current);
}

void TADOQuery::Close()
{
    if (!d->active)
        return;
    d->active = false;
    d->clear();
#if defined(__GLIBC__)
    // A large result leaves its freed pages inside the allocator's heap; hand them back to the
    // system so that memory after a search returns to what it was before.
    malloc_trim(0);
#endif
    d->current = -1;
    d->eof = true;
    emit activeChanged(false);
}

bool TADOQuery::Active() const { return d->active; }

int TADOQuery::RecordCount() const { return d->active ? d->rowCount : 0; }

int TADOQuery::rowsRead() const { return d->active ? d->result.rowCount() : 0; }

void TADOQuery::First()
{
    if (!d->active)
        return;
    d->current = d->rowCount > 0 ? 0 : -1;
    d->eof = d->current < 0;
    emit currentRowChanged(d->current);
}

void TADOQuery::Next()
{
    if (!d->active || d->current < 0)
        return;
    if (d->current + 1 < d->rowCount) {
        ++d->current;
        emit currentRowChanged(d->current);
    } else {
        d->eof = true;  // stays on the last row, as a dataset does
    }
}

bool TADOQuery::Eof() const { return !d->active || d->eof; }

int TADOQuery::RecNo() const { return d->active ? d->current : -1; }

void TADOQuery::setRecNo(int row)
{
    if (!d->active || row < 0 || row >= d->rowCount || row == d->current)
        return;
    d->current = row;
    d->eof = false;
    emit currentRowChanged(row);
}

QVariant TADOQuery::FieldByName(const QString& name) const
{
    const int column = columnIndex(name);
    if (column < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return value(d->current, column);
}

QStringList TADOQuery::columnNames() const { return d->active ? d->result.columnNames() : QStringList(); }

int TADOQuery::columnIndex(const QString& name) const
{
    if (!d->active)
        return -1;
    const QStringList& names = d->result.columnNames();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TADOQuery::value(int row, int column) const
{
    if (!d->active || row < 0 || row >= d->rowCount || column < 0 || column >= d->result.columnCount())
        return QVariant();
    d->readTo(row);
    return row < d->result.rowCount() ? d->result.value(row, column) : QVariant();
}

QString TADOQuery::displayText(int row, int column) const
{
    if (!d->active || row < 0 || row >= d->rowCount || column < 0 || column >= d->result.columnCount())
        return QString();
    d->readTo(row);
    return row < d->result.rowCount() ? d->result.displayText(row, column) : QString();
}
