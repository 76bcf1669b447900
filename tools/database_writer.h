#pragma once
// Writes the catalogue database: a SQLite file with the category table c, the placement table
// cc and one text table per language (rus, eng, chn). Rows are streamed inside one transaction
// into a temporary file that replaces the target only when complete.
#include "catalogue_content.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

class DatabaseWriter {
public:
    // Throws std::runtime_error with SQLite's message.
    explicit DatabaseWriter(const QString& path);
    ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter&) = delete;
    DatabaseWriter& operator=(const DatabaseWriter&) = delete;

    void addCategory(int cn, const PerLanguage& names);
    void addProject(const ProjectRecord& project);
    // Commits and moves the file into place; without it the temporary file is removed.
    void finish();

private:
    void execute(const char* sql);
    sqlite3_stmt* prepare(const char* sql);
    [[noreturn]] void fail(const QString& what);

    QString m_path;
    QString m_tempPath;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insertCategory = nullptr;
    sqlite3_stmt* m_insertPlacement = nullptr;
    sqlite3_stmt* m_insertTexts[kLanguageCount] = {};
};
