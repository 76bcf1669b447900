#pragma once
// One request as the site sees it, and the answer it gives. The daemon fills the request from
// libmicrohttpd (path and arguments already decoded) and turns the answer into a response.
#include <QByteArray>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class OpenFile;

struct Request {
    QByteArray method;
    QString path;  // decoded, without the query
    QByteArray rawUri;  // as received, before any decoding
    std::vector<std::pair<QString, QString>> arguments;  // of the query, decoded
    std::vector<std::pair<QByteArray, QByteArray>> headers;

    // The first argument or header of that name; an empty text when there is none.
    QString argument(const QString& name) const;
    bool hasArgument(const QString& name) const;
    QByteArray header(const QByteArray& name) const;  // names compare without regard to case
};

// How long caches may keep an answer.
enum class Freshness {
    None,  // never stored
    Short,  // pages the server writes
    Long,  // page files, pictures, styles
};

struct Answer {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    Freshness freshness = Freshness::Short;
    // Pages the server writes carry its Content-Security-Policy, or the one given here.
    bool written = false;
    QByteArray policy;
    // A file sent from disk as it is, uncompressed; body stays empty then.
    std::shared_ptr<OpenFile> file;
    qint64 fileSize = 0;
    // Left empty, the ETag is taken from the body.
    QByteArray etag;
    // The body's gzip form when made beforehand (PrepareForReuse); else made when sent.
    QByteArray packed;
    std::vector<std::pair<QByteArray, QByteArray>> headers;

    void addHeader(const QByteArray& name, const QByteArray& value) { headers.emplace_back(name, value); }
};
