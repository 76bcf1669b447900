#include "answer_cache.h"

#include "http_cache.h"

AnswerCache::AnswerCache(qint64 mostBytes, std::chrono::seconds lifetime, Clock clock)
    : mostBytes_(mostBytes), lifetime_(lifetime), clock_(std::move(clock))
{}

std::optional<Answer> AnswerCache::Find(const QByteArray& key, const QByteArray& stamp)
{
    if (mostBytes_ <= 0)
        return std::nullopt;
    const std::lock_guard<std::mutex> lock(mutex_);
    DropAllUnlessStamp(stamp);
    const auto found = byKey_.constFind(key);
    if (found == byKey_.constEnd())
        return std::nullopt;
    const Order::iterator kept = *found;
    if (clock_() - kept->madeAt >= lifetime_) {
        Drop(kept);
        return std::nullopt;
    }
    order_.splice(order_.begin(), order_, kept);
    return kept->answer;
}

void AnswerCache::Keep(const QByteArray& key, const QByteArray& stamp, Answer answer)
{
    // Headers and bookkeeping take about this much beside the key and the bodies.
    constexpr qint64 kOverhead = 256;
    if (mostBytes_ <= 0 || key.size() + answer.body.size() + kOverhead > mostBytes_)
        return;
    PrepareForReuse(answer);
    const qint64 bytes = key.size() + answer.body.size() + answer.packed.size() + kOverhead;
    const std::lock_guard<std::mutex> lock(mutex_);
    DropAllUnlessStamp(stamp);
    if (const auto found = byKey_.constFind(key); found != byKey_.constEnd())
        Drop(*found);
    while (!order_.empty() && bytes_ + bytes > mostBytes_)
        Drop(std::prev(order_.end()));
    order_.push_front(Kept{key, std::move(answer), bytes, clock_()});
    byKey_.insert(key, order_.begin());
    bytes_ += bytes;
}

qint64 AnswerCache::bytes() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return bytes_;
}

void AnswerCache::DropAllUnlessStamp(const QByteArray& stamp)
{
    if (stamp == stamp_)
        return;
    order_.clear();
    byKey_.clear();
    bytes_ = 0;
    stamp_ = stamp;
}

void AnswerCache::Drop(Order::iterator kept)
{
    bytes_ -= kept->bytes;
    byKey_.remove(kept->key);
    order_.erase(kept);
}
