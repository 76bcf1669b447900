#include "stored_files.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

OpenFile::~OpenFile()
{
    if (descriptor_ >= 0)
        close(descriptor_);
}

int OpenFile::release()
{
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

QByteArray OpenFile::read(qint64 size) const
{
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = pread(descriptor_, bytes.data() + done, size_t(size - done), done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

StoredFolder::StoredFolder(const QString& folder)
{
    folder_ = open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

StoredFolder::~StoredFolder()
{
    if (folder_ >= 0)
        close(folder_);
}

std::optional<StoredFile> StoredFolder::Open(const QString& relative) const
{
    if (folder_ < 0)
        return std::nullopt;
    open_how how{};
    how.flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    const QByteArray name = QFile::encodeName(relative);
    int descriptor = -1;
    do
        descriptor = int(syscall(SYS_openat2, folder_, name.constData(), &how, sizeof how));
    while (descriptor < 0 && (errno == EINTR || errno == EAGAIN));
    if (descriptor < 0)
        return std::nullopt;
    auto file = std::make_shared<OpenFile>(descriptor);
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return StoredFile{file, qint64(status.st_size),
                      qint64(status.st_mtim.tv_sec) * 1000000000 + qint64(status.st_mtim.tv_nsec)};
}

QByteArray ContentTypeOfName(const QString& name)
{
    static const std::pair<const char*, const char*> types[] = {
        {"html", "text/html"},  {"htm", "text/html"},         {"css", "text/css"},        {"js", "text/javascript"},
        {"txt", "text/plain"},  {"json", "application/json"}, {"xml", "application/xml"}, {"svg", "image/svg+xml"},
        {"png", "image/png"},   {"jpg", "image/jpeg"},        {"jpeg", "image/jpeg"},     {"gif", "image/gif"},
        {"webp", "image/webp"}, {"bmp", "image/bmp"},         {"ico", "image/x-icon"},    {"pdf", "application/pdf"},
        {"woff", "font/woff"},  {"woff2", "font/woff2"},      {"ttf", "font/ttf"},        {"otf", "font/otf"},
    };
    const QString suffix = QFileInfo(name).suffix().toLower();
    for (const auto& [extension, type] : types)
        if (suffix == QLatin1String(extension))
            return QByteArray(type);
    return QByteArrayLiteral("application/octet-stream");
}
