#pragma once
// Copies every user table of a genuine Access (Jet) file into an SQLite database image held in
// memory. libmdb may loop without end or crash on a damaged file, so the copy is made by the
// program velora-jet-reader in a process of its own, ended when it overruns a time limit; the
// image comes back over a pipe and nothing is written to disk.
#include <QByteArray>
#include <QString>

// The reader program: velora-jet-reader beside the running executable (the build folder, and the
// installed program folder), or in the installed program folder seen from bin/. Empty when it is
// in neither place.
QString JetReaderProgram();

// The SQLite image (as sqlite3_serialize gives it) of the Jet file at `path`. Imports once per
// process and file version (size and modification time); later calls return the kept image.
// A file without user tables gives an empty image (a database with no pages).
// Throws DatabaseError on an unreadable or damaged file, a crash or an overrun of the time limit
// ("Unrecognized database format '…'."), or when the reader program is missing.
QByteArray ImportJetDatabase(const QString& path);

// The same without the cache, with an explicit time limit in milliseconds and reader program.
QByteArray ImportJetDatabaseUncached(const QString& path, int timeLimitMs, const QString& reader = JetReaderProgram());
