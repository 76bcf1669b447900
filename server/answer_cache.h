#pragma once
// Answers to searches kept for reuse, so that a search many readers make (a popular word, all
// projects of a category) is worked out once. An answer is kept no longer than browsers and
// proxies may keep it anyway (the max-age of pages the server writes), and every answer is
// dropped as soon as the catalogue's stamp changes (its database, index or page folder). The
// bytes kept are bounded; the answer used least recently goes first.
#include "http_exchange.h"

#include <QByteArray>
#include <QHash>

#include <chrono>
#include <functional>
#include <list>
#include <mutex>
#include <optional>

class AnswerCache {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // `mostBytes` 0 keeps nothing.
    AnswerCache(qint64 mostBytes, std::chrono::seconds lifetime, Clock clock = std::chrono::steady_clock::now);

    // The answer kept for `key` while the catalogue has `stamp`, if any and not too old.
    std::optional<Answer> Find(const QByteArray& key, const QByteArray& stamp);
    // Keeps an answer made while the catalogue had `stamp` (with its ETag and gzip form made
    // once); one larger than the whole bound is not kept.
    void Keep(const QByteArray& key, const QByteArray& stamp, Answer answer);
    qint64 bytes() const;

private:
    struct Kept {
        QByteArray key;
        Answer answer;
        qint64 bytes = 0;
        std::chrono::steady_clock::time_point madeAt;
    };
    using Order = std::list<Kept>;  // the most recently used first

    void DropAllUnlessStamp(const QByteArray& stamp);
    void Drop(Order::iterator kept);

    const qint64 mostBytes_;
    const std::chrono::seconds lifetime_;
    const Clock clock_;
    mutable std::mutex mutex_;
    QByteArray stamp_;
    Order order_;
    QHash<QByteArray, Order::iterator> byKey_;
    qint64 bytes_ = 0;
};
