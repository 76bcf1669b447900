#pragma once
// The files of a catalogue's data folder as the server hands them out: only regular files that stay
// inside the folder once symbolic links are followed, with a content type by their name.
#include <QByteArray>
#include <QString>

#include <optional>

struct StoredFile {
    QString path;  // canonical
    qint64 size = 0;
    qint64 modifiedMs = 0;
};

// The folder's canonical path, for FindStoredFile; empty when it does not exist.
QString CanonicalFolder(const QString& folder);

// The regular file at `relative` (as DataRelativePath gives it) below the canonical folder;
// nothing for a folder, a missing file or a link that leads outside.
std::optional<StoredFile> FindStoredFile(const QString& canonicalFolder, const QString& relative);

// The content type of a file by its name's extension; text types without a character set.
QByteArray ContentTypeOfName(const QString& name);
bool IsHtmlName(const QString& name);
