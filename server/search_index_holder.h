#pragma once
// The full-text index and the title suggestions the server searches. The index is the catalogue's
// own (index/ beside data/) when it matches the page files, else one built in memory on a thread
// of its own while the server already answers; until it is ready the results page says how many
// pages are read. An index on disk is opened several times more, in the background, one opening
// for each search that runs at the same time, so that searches run side by side; one built in
// memory is shared. The titles are read on a thread of their own as well.
#include "catalogue_index.h"
#include "title_suggestions.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class SearchIndexHolder {
public:
    enum class State { Preparing, Ready, Unavailable };

    // `openings`: how many searches of an index on disk may run at once.
    explicit SearchIndexHolder(const QString& catalogueDir, int openings = 4);
    ~SearchIndexHolder();
    SearchIndexHolder(const SearchIndexHolder&) = delete;
    SearchIndexHolder& operator=(const SearchIndexHolder&) = delete;

    State state() const { return state_.load(); }
    int pagesRead() const { return pagesRead_.load(); }
    // An index to search with, held until the lease ends: an opening of its own while one is free,
    // else the shared one. Empty while the index is not ready.
    class Lease {
    public:
        Lease(const SearchIndexHolder* holder, fulltext::CatalogueIndex* own, const fulltext::CatalogueIndex* shared);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Lease(Lease&& other) noexcept;
        const fulltext::CatalogueIndex* get() const { return own_ ? own_ : shared_; }
        explicit operator bool() const { return get() != nullptr; }
        const fulltext::CatalogueIndex* operator->() const { return get(); }

    private:
        const SearchIndexHolder* holder_;
        fulltext::CatalogueIndex* own_;
        const fulltext::CatalogueIndex* shared_;
    };
    Lease index() const;
    // The titles once read, else null.
    const fulltext::TitleSuggestions* suggestions() const;

private:
    QString catalogueDir_;
    std::atomic<State> state_{State::Preparing};
    std::atomic_int pagesRead_{0};
    std::atomic_bool cancel_{false};
    std::atomic_bool onDisk_{false};
    std::atomic_bool titlesRead_{false};
    std::unique_ptr<fulltext::CatalogueIndex> index_;
    std::unique_ptr<fulltext::TitleSuggestions> suggestions_;
    // Openings of the index on disk and those not lent out.
    std::vector<std::unique_ptr<fulltext::CatalogueIndex>> openings_;
    mutable std::mutex freeMutex_;
    mutable std::vector<fulltext::CatalogueIndex*> free_;
    std::thread builder_;
    std::thread titleReader_;
};
