#pragma once
// Validators and compression of answers: the ETag of a body or a file, whether an If-None-Match
// names it, whether a client takes gzip, and gzip itself (zlib).
#include "http_exchange.h"

#include <QByteArray>

#include <QtGlobal>

// A strong tag of the bytes, the same on every server that answers with them.
QByteArray BodyETag(const QByteArray& body);
// A tag of a stored file from its size and time of change, as static file servers make it.
QByteArray FileETag(qint64 size, qint64 modifiedNs);
// The tag of the gzip form of an answer whose plain form has `etag`.
QByteArray GzipETag(const QByteArray& etag);

// True when the If-None-Match value names the tag ("*", or one of its tags, weak or strong; the
// gzip and the plain form of an answer count as the same).
bool NoneMatchHits(const QByteArray& ifNoneMatch, const QByteArray& etag);

// True when the Accept-Encoding value takes gzip (not with q=0).
bool AcceptsGzip(const QByteArray& acceptEncoding);

// Whether a type is worth compressing: text, scripts, styles, JSON, SVG.
bool CompressibleType(const QByteArray& contentType);

// The gzip stream of the bytes; empty when compressing fails.
QByteArray Gzip(const QByteArray& bytes);

// Bodies shorter than this gain nothing from gzip.
constexpr qsizetype SmallestPackedBody = 128;

// Makes the ETag and, when worth it, the gzip form of an answer that will be sent many times.
void PrepareForReuse(Answer& answer);
