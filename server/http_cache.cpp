#include "http_cache.h"

#include <QCryptographicHash>
#include <QList>

#include <zlib.h>

QByteArray BodyETag(const QByteArray& body)
{
    return '"' + QCryptographicHash::hash(body, QCryptographicHash::Md5).toHex().left(24) + '"';
}

QByteArray FileETag(qint64 size, qint64 modifiedNs)
{
    return '"' + QByteArray::number(modifiedNs, 16) + '-' + QByteArray::number(size, 16) + '"';
}

QByteArray GzipETag(const QByteArray& etag)
{
    if (etag.size() < 2)
        return etag;
    return etag.chopped(1) + "-gzip\"";
}

bool NoneMatchHits(const QByteArray& ifNoneMatch, const QByteArray& etag)
{
    const QByteArray gzipped = GzipETag(etag);
    for (QByteArray tag : ifNoneMatch.split(',')) {
        tag = tag.trimmed();
        if (tag == "*")
            return true;
        // If-None-Match compares weakly: W/"x" names "x".
        if (tag.startsWith("W/"))
            tag = tag.mid(2);
        if (!tag.isEmpty() && (tag == etag || tag == gzipped))
            return true;
    }
    return false;
}

bool AcceptsGzip(const QByteArray& acceptEncoding)
{
    for (const QByteArray& item : acceptEncoding.split(',')) {
        const QList<QByteArray> parts = item.split(';');
        const QByteArray coding = parts.first().trimmed().toLower();
        if (coding != "gzip" && coding != "x-gzip" && coding != "*")
            continue;
        bool refused = false;
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QByteArray parameter = parts[i].trimmed().toLower();
            if (parameter.startsWith("q=")) {
                bool ok = false;
                const double q = parameter.mid(2).toDouble(&ok);
                refused = !ok || q <= 0;
            }
        }
        if (!refused)
            return true;
    }
    return false;
}

bool CompressibleType(const QByteArray& contentType)
{
    return contentType.startsWith("text/") || contentType.startsWith("application/json") ||
        contentType.startsWith("application/javascript") || contentType.startsWith("image/svg+xml");
}

QByteArray Gzip(const QByteArray& bytes)
{
    z_stream stream{};
    // 15 window bits plus 16: a gzip header and trailer around the deflate stream.
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray out(qsizetype(deflateBound(&stream, uLong(bytes.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    const uLong written = stream.total_out;
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        return QByteArray();
    out.resize(qsizetype(written));
    return out;
}

void PrepareForReuse(Answer& answer)
{
    if (answer.file)
        return;
    if (answer.etag.isEmpty())
        answer.etag = BodyETag(answer.body);
    if (answer.packed.isEmpty() && CompressibleType(answer.contentType) && answer.body.size() >= SmallestPackedBody)
        answer.packed = Gzip(answer.body);
}
