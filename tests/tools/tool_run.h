#pragma once
// Runs the built catalogue tool and reads what a test needs from the catalogues it builds.
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <sqlite3.h>

#include <gtest/gtest.h>

struct ToolResult {
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolResult runTool(const QStringList& arguments, int timeoutMs = 120000)
{
    QProcess process;
    process.start(testing_support::toolPath(), arguments);
    ToolResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

inline QString demoSources() { return testing_support::sourceDir() + QStringLiteral("/demo"); }

inline QString pageName(int category, int position, char letter)
{
    return QString::asprintf("%02d%03d%c.html", category, position, letter);
}

// Runs SQL straight on a built SQLite database, for checking it and for breaking copies of it.
class RawDatabase {
public:
    explicit RawDatabase(const QString& path)
    {
        if (sqlite3_open(QFile::encodeName(path).constData(), &m_db) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path.toStdString();
    }
    ~RawDatabase() { sqlite3_close(m_db); }

    void exec(const char* sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << (message ? message : "");
            sqlite3_free(message);
        }
    }

    // Rows of the result, each a list of texts ("NULL" for a null).
    std::vector<QStringList> rows(const char* sql)
    {
        std::vector<QStringList> result;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
            return result;
        }
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                row << (text ? QString::fromUtf8(text) : QStringLiteral("NULL"));
            }
            result.push_back(row);
        }
        sqlite3_finalize(statement);
        return result;
    }

    int number(const char* sql)
    {
        const auto result = rows(sql);
        return result.empty() ? -1 : result[0].value(0).toInt();
    }

private:
    sqlite3* m_db = nullptr;
};
