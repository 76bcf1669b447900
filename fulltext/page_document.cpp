#include "page_document.h"

#include <QDataStream>
#include <QIODevice>

namespace fulltext {

const char* const kFormatKey = "format";
const char* const kFormat = "3";
const char* const kPageFilePrefix = "Q";

std::string EncodeStoredPage(const PageRecord& record, const QString& title)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << record.name << qint64(record.size) << qint64(record.modified) << record.checksum << title.toUtf8();
    return bytes.toStdString();
}

std::optional<StoredPage> DecodeStoredPage(const std::string& data)
{
    StoredPage stored;
    qint64 size = 0, modified = 0;
    QByteArray title;
    QDataStream stream(QByteArray::fromStdString(data));
    stream >> stored.record.name >> size >> modified >> stored.record.checksum >> title;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || size < 0)
        return std::nullopt;
    const std::optional<PageName> page = ParsePageName(stored.record.name);
    if (!page)
        return std::nullopt;
    stored.record.size = size;
    stored.record.modified = modified;
    stored.page = *page;
    stored.title = QString::fromUtf8(title);
    return stored;
}

}  // namespace fulltext
