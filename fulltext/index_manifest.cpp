#include "index_manifest.h"

#include "page_file.h"
#include "page_names.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fulltext {

const char* const kManifestFile = "manifest";
const char* const kPagesFile = "pages";

namespace {

// First line of each file; raised when the files' form changes.
const QByteArray kManifestHeader = "velora-catalogue-index-manifest 1";
const QByteArray kPagesHeader = "velora-catalogue-index-pages 1";

QString PathIn(const QString& folder, const char* name) { return folder + QLatin1Char('/') + QLatin1String(name); }

bool WriteLines(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

// The lines of a file after its header, each split at tabs; nothing when the header differs.
std::optional<std::vector<QList<QByteArray>>> ReadLines(const QString& path, const QByteArray& header)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || lines.first() != header || !lines.last().isEmpty())
        return std::nullopt;
    std::vector<QList<QByteArray>> fields;
    for (qsizetype at = 1; at + 1 < lines.size(); ++at)
        fields.push_back(lines[at].split('\t'));
    return fields;
}

std::optional<std::int64_t> Number(const QByteArray& text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

}  // namespace

bool WriteManifest(const QString& indexFolder, std::int64_t dataModified, const std::vector<PageRecord>& pages)
{
    QByteArray pageLines = kPagesHeader + '\n';
    std::int64_t indexed = 0;
    for (const PageRecord& page : pages) {
        pageLines += page.name.toUtf8() + '\t' + QByteArray::number(qlonglong(page.size)) + '\t' +
            QByteArray::number(qlonglong(page.modified)) + '\t' + page.checksum + '\n';
        indexed += page.size >= 0 ? 1 : 0;
    }
    QByteArray manifest = kManifestHeader + '\n';
    manifest += "data-modified\t" + QByteArray::number(qlonglong(dataModified)) + '\n';
    manifest += "pages\t" + QByteArray::number(qlonglong(indexed)) + '\n';
    const QStringList tables = QDir(indexFolder).entryList(QDir::Files, QDir::Name);
    for (const QString& table : tables) {
        if (table == QLatin1String(kManifestFile) || table == QLatin1String(kPagesFile))
            continue;
        const QString path = indexFolder + QLatin1Char('/') + table;
        const QByteArray checksum = FileChecksum(path);
        if (checksum.isEmpty())
            return false;
        manifest +=
            "table\t" + table.toUtf8() + '\t' + QByteArray::number(QFileInfo(path).size()) + '\t' + checksum + '\n';
    }
    return WriteLines(PathIn(indexFolder, kPagesFile), pageLines) &&
        WriteLines(PathIn(indexFolder, kManifestFile), manifest);
}

std::optional<IndexManifest> ReadManifest(const QString& indexFolder)
{
    const auto lines = ReadLines(PathIn(indexFolder, kManifestFile), kManifestHeader);
    if (!lines)
        return std::nullopt;
    IndexManifest manifest;
    bool modified = false, pages = false;
    for (const QList<QByteArray>& fields : *lines) {
        if (fields.size() == 2 && fields[0] == "data-modified" && Number(fields[1])) {
            manifest.dataModified = *Number(fields[1]);
            modified = true;
        } else if (fields.size() == 2 && fields[0] == "pages" && Number(fields[1])) {
            manifest.pages = *Number(fields[1]);
            pages = true;
        } else if (fields.size() == 4 && fields[0] == "table" && !fields[1].isEmpty() && !fields[1].contains('/') &&
                   Number(fields[2])) {
            manifest.tables.push_back({QString::fromUtf8(fields[1]), *Number(fields[2]), fields[3]});
        } else {
            return std::nullopt;
        }
    }
    if (!modified || !pages || manifest.tables.empty())
        return std::nullopt;
    return manifest;
}

std::optional<std::vector<PageRecord>> ReadPageRecords(const QString& indexFolder)
{
    const auto lines = ReadLines(PathIn(indexFolder, kPagesFile), kPagesHeader);
    if (!lines)
        return std::nullopt;
    std::vector<PageRecord> pages;
    for (const QList<QByteArray>& fields : *lines) {
        if (fields.size() != 4 || !Number(fields[1]) || !Number(fields[2]) ||
            !ParsePageName(QString::fromUtf8(fields[0])))
            return std::nullopt;
        pages.push_back({QString::fromUtf8(fields[0]), *Number(fields[1]), *Number(fields[2]), fields[3]});
    }
    return pages;
}

std::optional<QStringList> ListPageNames(const QString& dataFolder)
{
    // One pass over the folder's entries; QDir would look at each file as well.
    DIR* folder = ::opendir(QFile::encodeName(dataFolder).constData());
    if (folder == nullptr)
        return std::nullopt;
    QStringList names;
    while (const dirent* entry = ::readdir(folder)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (ParsePageName(name))
            names << name;
    }
    ::closedir(folder);
    names.sort();
    return names;
}

std::int64_t ModificationTime(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return std::int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

QByteArray FileChecksum(const QString& path)
{
    // Opened without waiting and read only when it is a regular file, as page files are.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat status {};
    QFile file;
    QCryptographicHash hash(QCryptographicHash::Md5);
    const bool read = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) && hash.addData(&file);
    if (!file.isOpen())
        ::close(fd);
    return read ? hash.result().toHex() : QByteArray();
}

}  // namespace fulltext
