#pragma once
// The files of a catalogue's data folder as the server hands them out: only regular files that
// stay inside the folder, symbolic links followed, opened beneath the folder by the kernel
// (openat2 with RESOLVE_BENEATH), so no name and no link leads out of it.
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// An open file, closed when the last holder lets go of it unless its descriptor was handed on.
class OpenFile {
public:
    explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int descriptor() const { return descriptor_; }
    // The descriptor, now the caller's to close.
    int release();
    // Up to `size` bytes from the start; empty when reading fails.
    QByteArray read(qint64 size) const;

private:
    int descriptor_;
};

struct StoredFile {
    std::shared_ptr<OpenFile> file;
    qint64 size = 0;
    qint64 modifiedNs = 0;  // time of the last change, nanoseconds since 1970
};

class StoredFolder {
public:
    // Nothing is served when the folder cannot be opened.
    explicit StoredFolder(const QString& folder);
    ~StoredFolder();
    StoredFolder(const StoredFolder&) = delete;
    StoredFolder& operator=(const StoredFolder&) = delete;

    // The regular file at `relative` (as DataRelativePath gives it); nothing for a folder, a missing
    // file or one that only a link leading out of the folder (or an absolute link) names.
    std::optional<StoredFile> Open(const QString& relative) const;

private:
    int folder_ = -1;
};

// The content type of a file by its name's extension; text types without a character set.
QByteArray ContentTypeOfName(const QString& name);
