#pragma once
// Copies every user table of a genuine Access (Jet) file into an SQLite database image held in
// memory. libmdb may loop without end on a damaged file, so the copy is made in a child process
// under a time limit; the image comes back over a pipe and nothing is written to disk.
#include <QByteArray>
#include <QString>

// The SQLite image (as sqlite3_serialize gives it) of the Jet file at `path`. Imports once per
// process and file version (size and modification time); later calls return the kept image.
// A file without user tables gives an empty image (a database with no pages).
// Throws DatabaseError on an unreadable or damaged file, a crash or an overrun of the time limit.
QByteArray ImportJetDatabase(const QString& path);

// The same without the cache, with an explicit time limit in milliseconds.
QByteArray ImportJetDatabaseUncached(const QString& path, int timeLimitMs);
