#pragma once
// Copies every user table of a genuine Access (Jet) file, read with libmdb, into an SQLite
// database in memory: the tables' names, columns, types, rows, Unicode texts and own indexes.
#include <sqlite3.h>

// The new in-memory database, or null when the file cannot be read. A file without user tables
// gives an empty database. libmdb may loop without end or crash on a damaged file, so only the
// reader program calls this, in a process of its own.
sqlite3* CopyJetTables(const char* path);
