#include "stored_files.h"

#include <QFileInfo>

QString CanonicalFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() ? info.canonicalFilePath() : QString();
}

std::optional<StoredFile> FindStoredFile(const QString& canonicalFolder, const QString& relative)
{
    if (canonicalFolder.isEmpty())
        return std::nullopt;
    const QFileInfo info(canonicalFolder + u'/' + relative);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !canonical.startsWith(canonicalFolder + u'/'))
        return std::nullopt;
    const QFileInfo target(canonical);
    if (!target.isFile() || !target.isReadable())
        return std::nullopt;
    return StoredFile{canonical, target.size(), target.lastModified().toMSecsSinceEpoch()};
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

bool IsHtmlName(const QString& name) { return ContentTypeOfName(name) == "text/html"; }
