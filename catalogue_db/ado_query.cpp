#include "ado_query.h"

#include "access_sql.h"
#include "catalogue_connection.h"
#include "result_table.h"

#include <QRegularExpression>
#include <sqlite3.h>

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

// Whether a column is declared to hold numbers, from SQLite's own table metadata.
NumericColumnLookup NumericColumnsOf(sqlite3* db)
{
    return [db](const QString& table, const QString& column) {
        const char* declared = nullptr;
        if (sqlite3_table_column_metadata(db, nullptr, table.toUtf8().constData(), column.toUtf8().constData(),
                                          &declared, nullptr, nullptr, nullptr, nullptr) != SQLITE_OK ||
            !declared)
            return false;
        const QByteArray type = QByteArray(declared).toUpper();
        return type.contains("INT") || type.contains("REAL") || type.contains("FLOA") || type.contains("DOUB");
    };
}

// Prepares exactly one statement; a trailing ";" and blanks are allowed after it.
sqlite3_stmt* prepareOne(sqlite3* db, const QString& sql)
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

struct StatementGuard {
    sqlite3_stmt* statement;
    ~StatementGuard() { sqlite3_finalize(statement); }
};

}  // namespace

DatabaseError::DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString DatabaseError::message() const
{
    return QString::fromUtf8(what());
}

struct TADOQuery::Impl {
    QString connectionString;
    QString sql;
    std::unique_ptr<CatalogueConnection> connection;
    ResultTable result;
    bool active = false;
    int current = -1;
    bool eof = true;

    CatalogueConnection& connect()
    {
        const QString source = dataSourceOf(connectionString);
        if (connection && connection->dataSource() == source)
            return *connection;
        connection.reset();
        connection = std::make_unique<CatalogueConnection>(source);
        return *connection;
    }
};

TADOQuery::TADOQuery(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}

TADOQuery::~TADOQuery() = default;

void TADOQuery::setConnectionString(const QString& connectionString)
{
    d->connectionString = connectionString;
}

QString TADOQuery::connectionString() const
{
    return d->connectionString;
}

void TADOQuery::clearSql()
{
    d->sql.clear();
}

void TADOQuery::setSql(const QString& sqlText)
{
    d->sql = sqlText;
}

QString TADOQuery::sql() const
{
    return d->sql;
}

void TADOQuery::ExecSQL()
{
    sqlite3* db = d->connect().handle();
    StatementGuard guard{prepareOne(db, TranslateAccessSql(d->sql, NumericColumnsOf(db)))};
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
    StatementGuard guard{prepareOne(db, TranslateAccessSql(d->sql, NumericColumnsOf(db)))};
    d->result.fill(guard.statement);
    d->active = true;
    d->current = d->result.rowCount() > 0 ? 0 : -1;
    d->eof = d->current < 0;
    emit activeChanged(true);
    emit currentRowChanged(d->current);
}

void TADOQuery::Close()
{
    if (!d->active)
        return;
    d->active = false;
    d->result.clear();
    d->current = -1;
    d->eof = true;
    emit activeChanged(false);
}

bool TADOQuery::Active() const
{
    return d->active;
}

int TADOQuery::RecordCount() const
{
    return d->active ? d->result.rowCount() : 0;
}

void TADOQuery::First()
{
    if (!d->active)
        return;
    d->current = d->result.rowCount() > 0 ? 0 : -1;
    d->eof = d->current < 0;
    emit currentRowChanged(d->current);
}

void TADOQuery::Next()
{
    if (!d->active || d->current < 0)
        return;
    if (d->current + 1 < d->result.rowCount()) {
        ++d->current;
        emit currentRowChanged(d->current);
    } else {
        d->eof = true;  // stays on the last row, as a dataset does
    }
}

bool TADOQuery::Eof() const
{
    return !d->active || d->eof;
}

int TADOQuery::RecNo() const
{
    return d->active ? d->current : -1;
}

void TADOQuery::setRecNo(int row)
{
    if (!d->active || row < 0 || row >= d->result.rowCount() || row == d->current)
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
    if (d->current < 0)
        return QVariant();
    return d->result.value(d->current, column);
}

QStringList TADOQuery::columnNames() const
{
    return d->active ? d->result.columnNames() : QStringList();
}

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
    if (!d->active || row < 0 || row >= d->result.rowCount() || column < 0 || column >= d->result.columnCount())
        return QVariant();
    return d->result.value(row, column);
}

QString TADOQuery::displayText(int row, int column) const
{
    if (!d->active || row < 0 || row >= d->result.rowCount() || column < 0 || column >= d->result.columnCount())
        return QString();
    return d->result.displayText(row, column);
}
