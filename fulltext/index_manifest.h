#pragma once
// What an index on disk records of itself and of the page files it was written from, so that it
// is known as damaged or out of date: index/manifest (read at every opening: a few lines) holds
// the data folder's modification time, the number of pages and the size and checksum of every
// table of the index; index/pages holds the name, size, modification time and checksum of every
// page file (read when the data folder changed, and by the tool's check). No widget.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace fulltext {

// One file of data/ with a page name, as the index saw it.
struct PageRecord {
    QString name;  // 05012e.html
    std::int64_t size = -1;  // -1: not a regular file, so left out of the index
    std::int64_t modified = 0;  // nanoseconds since 1970
    QByteArray checksum;  // PageChecksum of the bytes read (at most kMostPageBytes)
};

struct IndexTable {
    QString name;  // a file of the index folder, such as postlist.glass
    std::int64_t size = 0;
    QByteArray checksum;
};

struct IndexManifest {
    // The data folder's modification time when the pages were listed. While it is unchanged, no
    // file of data/ was added, removed or renamed since.
    std::int64_t dataModified = 0;
    std::int64_t pages = 0;  // documents in the index
    std::vector<IndexTable> tables;
};

// The two files' names inside the index folder.
extern const char* const kManifestFile;
extern const char* const kPagesFile;

// Writes both files into the index folder, after the tables are complete (their sizes and
// checksums are taken here). False when they cannot be written.
bool WriteManifest(const QString& indexFolder, std::int64_t dataModified, const std::vector<PageRecord>& pages);

// Nothing when the file is missing or does not read as one.
std::optional<IndexManifest> ReadManifest(const QString& indexFolder);
std::optional<std::vector<PageRecord>> ReadPageRecords(const QString& indexFolder);

// The names in the folder that are page names, sorted; nothing when it cannot be listed. No file
// is opened or examined: this is one read of the folder.
std::optional<QStringList> ListPageNames(const QString& dataFolder);

// Modification time of a file or folder in nanoseconds since 1970; -1 when there is none.
std::int64_t ModificationTime(const QString& path);

// PageChecksum of a whole file of the index, read a step at a time; empty when it cannot be read.
QByteArray FileChecksum(const QString& path);

}  // namespace fulltext
