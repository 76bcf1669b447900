#pragma once
// A catalogue copied into a temporary folder, so that tests can run the program on it and show
// afterwards that its database file kept every byte.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// SHA-256 of a file's bytes; empty when it cannot be read.
QByteArray FileSha256(const QString& path);

class CatalogueCopy {
public:
    // Copies velora2014.mdb, data/ and sp/ of the catalogue in `from`.
    explicit CatalogueCopy(const QString& from);

    bool isValid() const { return valid_; }
    // The folder, ending with "/".
    QString dir() const { return folder_.path() + u'/'; }
    // Where the program would lie in the folder; ExeDir derives from it.
    QString exePath() const { return dir() + QStringLiteral("velora-catalogue"); }
    QString databasePath() const { return dir() + QStringLiteral("velora2014.mdb"); }

    // SHA-256 of the database file as copied, and as it is now.
    QByteArray originalHash() const { return hash_; }
    QByteArray currentHash() const;

private:
    QTemporaryDir folder_;
    QByteArray hash_;
    bool valid_ = false;
};
