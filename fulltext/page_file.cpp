#include "page_file.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fulltext {

namespace {

// Bytes read between two looks at the cancel flag.
constexpr std::int64_t kReadStep = std::int64_t(1) << 20;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

PageFile ReadPageFile(const QString& path, std::int64_t most, const std::atomic_bool* cancel)
{
    PageFile page;
    // O_NONBLOCK: opening a FIFO returns at once instead of waiting for a writer.
    const Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0) {
        page.error = QString::fromLocal8Bit(std::strerror(errno));
        return page;
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        page.error = QString::fromLocal8Bit(std::strerror(errno));
        return page;
    }
    if (!S_ISREG(status.st_mode)) {
        page.state = PageFileState::NotRegular;
        return page;
    }
    page.size = std::int64_t(status.st_size);
    page.modified = std::int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    // The size at opening bounds the reading, so a file that grows meanwhile is not followed.
    const std::int64_t wanted = std::max<std::int64_t>(0, std::min(most, page.size));
    page.bytes.resize(qsizetype(wanted));
    std::int64_t got = 0;
    while (got < wanted) {
        if (cancel != nullptr && cancel->load()) {
            page.state = PageFileState::Cancelled;
            page.bytes.clear();
            return page;
        }
        const ssize_t n = ::read(file.get(), page.bytes.data() + got, std::size_t(std::min(kReadStep, wanted - got)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            page.error = QString::fromLocal8Bit(std::strerror(errno));
            page.bytes.clear();
            return page;
        }
        if (n == 0)  // the file shrank meanwhile
            break;
        got += n;
    }
    page.bytes.truncate(qsizetype(got));
    page.state = page.size > most ? PageFileState::Cut : PageFileState::Read;
    return page;
}

QString ReadingNotice(const QString& name, PageFileState state, const QString& error)
{
    switch (state) {
    case PageFileState::Read:
    case PageFileState::Cancelled: return QString();
    case PageFileState::Cut:
        return QStringLiteral("data/%1: larger than %2 MiB: only its first %2 MiB are indexed")
            .arg(name)
            .arg(kMostPageBytes >> 20);
    case PageFileState::NotRegular:
        return QStringLiteral("data/%1: no regular file (a FIFO, a device, a folder or a link to one): left out of "
                              "the index")
            .arg(name);
    case PageFileState::Unreadable: return QStringLiteral("data/%1: cannot be read: %2").arg(name, error);
    }
    return QString();
}

QByteArray PageChecksum(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

}  // namespace fulltext
