#pragma once
// Reading a page file with bounds, for the index and for snippets: only a regular file (a FIFO or
// a link to /dev/zero would be read without end), at most a stated number of bytes, in steps
// between which a cancel flag is looked at. No widget.
#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>

namespace fulltext {

// A page is read up to this size. A catalogue page is one project's description: a few kilobytes
// of HTML (the demo's largest is 3 KB, the synthetic catalogue's 2 KB). 16 MiB is thousands of
// times that, holds a single paragraph of 10 MB whole, and bounds what one page costs to read and
// index (about a second).
constexpr std::int64_t kMostPageBytes = std::int64_t(16) << 20;

enum class PageFileState {
    Read,  // every byte read
    Cut,  // larger than the bound asked for: the first bytes read
    NotRegular,  // a FIFO, a device, a folder or a link to one: nothing read
    Unreadable,  // missing, or the system refused it: nothing read
    Cancelled,
};

struct PageFile {
    PageFileState state = PageFileState::Unreadable;
    QByteArray bytes;
    std::int64_t size = 0;  // the file's size, also when only part of it was read
    std::int64_t modified = 0;  // modification time, nanoseconds since 1970
    QString error;  // the system's words, for Unreadable
};

// Reads at most `most` bytes of the file at path. Never blocks on a FIFO or device.
PageFile ReadPageFile(const QString& path, std::int64_t most = kMostPageBytes,
                      const std::atomic_bool* cancel = nullptr);

// What the index does with a page read in that state, as a line naming it ("data/05012e.html:
// ..."); empty for a page read whole.
QString ReadingNotice(const QString& name, PageFileState state, const QString& error = QString());

// A checksum of page bytes for the index's manifest (MD5 in hex: it tells an edited page from
// an unchanged one, it guards against no one).
QByteArray PageChecksum(const QByteArray& bytes);

}  // namespace fulltext
