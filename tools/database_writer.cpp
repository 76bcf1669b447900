#include "database_writer.h"

#include <QFile>

#include <sqlite3.h>
#include <stdexcept>

namespace {

const char* const kSchema = "CREATE TABLE c (cn INTEGER PRIMARY KEY, ctrus TEXT, cteng TEXT, ctchn TEXT);"
                            "CREATE TABLE cc (cat INTEGER NOT NULL, d INTEGER, n INTEGER, pcat INTEGER NOT NULL,"
                            " UNIQUE (d, n));"
                            "CREATE INDEX cc_position ON cc (cat, pcat);";

const char* const kTextColumns =
    " (d INTEGER NOT NULL, n INTEGER NOT NULL, tdb TEXT, odb TEXT, a TEXT, o_tdb TEXT, r TEXT,"
    " r_d TEXT, PRIMARY KEY (d, n))";

void bindText(sqlite3_stmt* statement, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
}

void bindNullable(sqlite3_stmt* statement, int index, const NullableText& text)
{
    if (text)
        bindText(statement, index, *text);
    else
        sqlite3_bind_null(statement, index);
}

}  // namespace

DatabaseWriter::DatabaseWriter(const QString& path) : m_path(path), m_tempPath(path + QStringLiteral(".tmp"))
{
    QFile::remove(m_tempPath);
    if (sqlite3_open_v2(QFile::encodeName(m_tempPath).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        fail(QStringLiteral("cannot create"));
    // The file is private until renamed, so no journal is needed.
    execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN;");
    execute(kSchema);
    for (int language = 0; language < kLanguageCount; ++language) {
        const QByteArray table = languageAt(language).code.toLatin1();
        execute(("CREATE TABLE " + table + kTextColumns + ";").constData());
        m_insertTexts[language] = prepare(("INSERT INTO " + table + " VALUES (?, ?, ?, ?, ?, ?, ?, ?)").constData());
    }
    m_insertCategory = prepare("INSERT INTO c VALUES (?, ?, ?, ?)");
    m_insertPlacement = prepare("INSERT INTO cc VALUES (?, ?, ?, ?)");
}

DatabaseWriter::~DatabaseWriter()
{
    sqlite3_finalize(m_insertCategory);
    sqlite3_finalize(m_insertPlacement);
    for (sqlite3_stmt* statement : m_insertTexts)
        sqlite3_finalize(statement);
    if (m_db) {
        sqlite3_close(m_db);
        QFile::remove(m_tempPath);
    }
}

void DatabaseWriter::addCategory(int cn, const PerLanguage& names)
{
    sqlite3_bind_int(m_insertCategory, 1, cn);
    for (int language = 0; language < kLanguageCount; ++language)
        bindText(m_insertCategory, language + 2, names[language]);
    if (sqlite3_step(m_insertCategory) != SQLITE_DONE)
        fail(QStringLiteral("category %1").arg(cn));
    sqlite3_reset(m_insertCategory);
}

void DatabaseWriter::addProject(const ProjectRecord& project)
{
    sqlite3_bind_int(m_insertPlacement, 1, project.cat);
    sqlite3_bind_int(m_insertPlacement, 2, project.d);
    sqlite3_bind_int(m_insertPlacement, 3, project.n);
    sqlite3_bind_int(m_insertPlacement, 4, project.pcat);
    if (sqlite3_step(m_insertPlacement) != SQLITE_DONE)
        fail(QStringLiteral("project %1.%2").arg(project.cat).arg(project.pcat));
    sqlite3_reset(m_insertPlacement);

    for (int language = 0; language < kLanguageCount; ++language) {
        sqlite3_stmt* statement = m_insertTexts[language];
        const ProjectTexts& texts = project.texts[language];
        sqlite3_bind_int(statement, 1, project.d);
        sqlite3_bind_int(statement, 2, project.n);
        bindText(statement, 3, texts.tdb);
        bindNullable(statement, 4, texts.odb);
        bindNullable(statement, 5, texts.a);
        bindNullable(statement, 6, texts.o_tdb);
        bindNullable(statement, 7, texts.r);
        bindNullable(statement, 8, texts.r_d);
        if (sqlite3_step(statement) != SQLITE_DONE)
            fail(QStringLiteral("project %1.%2 in %3")
                     .arg(project.cat)
                     .arg(project.pcat)
                     .arg(languageAt(language).code));
        sqlite3_reset(statement);
    }
}

void DatabaseWriter::finish()
{
    execute("COMMIT;");
    sqlite3_finalize(m_insertCategory);
    sqlite3_finalize(m_insertPlacement);
    m_insertCategory = m_insertPlacement = nullptr;
    for (sqlite3_stmt*& statement : m_insertTexts) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
    if (sqlite3_close(m_db) != SQLITE_OK)
        fail(QStringLiteral("cannot close"));
    m_db = nullptr;
    QFile::remove(m_path);
    if (!QFile::rename(m_tempPath, m_path)) {
        QFile::remove(m_tempPath);
        throw std::runtime_error(
            QStringLiteral("%1: cannot move the new database into place").arg(m_path).toStdString());
    }
}

void DatabaseWriter::execute(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : "unknown error");
        sqlite3_free(message);
        fail(text);
    }
}

sqlite3_stmt* DatabaseWriter::prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
        fail(QString::fromLatin1(sql));
    return statement;
}

void DatabaseWriter::fail(const QString& what)
{
    const QString engine = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
    throw std::runtime_error(QStringLiteral("%1: %2: %3").arg(m_tempPath, what, engine).toStdString());
}
