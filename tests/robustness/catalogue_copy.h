#pragma once
// A catalogue copied into a temporary folder, so that tests can run the program on it and show
// afterwards that its database file kept every byte.
#include "test_paths.h"  // FileSha256

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

using testing_support::FileSha256;

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
