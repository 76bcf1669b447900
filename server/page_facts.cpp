#include "page_facts.h"

#include "page_charset.h"
#include "page_text.h"

#include <mutex>

PageFacts::Facts PageFacts::Of(const QString& name, qint64 size, qint64 modifiedNs,
                               const std::function<QByteArray()>& read) const
{
    {
        const std::shared_lock<std::shared_mutex> lock(mutex_);
        const auto found = entries_.constFind(name);
        if (found != entries_.constEnd() && found->size == size && found->modifiedNs == modifiedNs)
            return found->facts;
    }
    const QByteArray page = read();
    Facts facts{fulltext::DeclaredCharset(page), fulltext::ExtractPageText(page).title.simplified()};
    const std::unique_lock<std::shared_mutex> lock(mutex_);
    if (entries_.size() >= kMostEntries)
        entries_.clear();
    entries_.insert(name, Entry{size, modifiedNs, facts});
    return facts;
}
