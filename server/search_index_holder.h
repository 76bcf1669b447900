#pragma once
// The full-text index the server searches: the catalogue's own (index/ beside data/) when it
// matches the page files, else one built in memory on a thread of its own while the server already
// answers; until it is ready the results page says how many pages are read.
#include "catalogue_index.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>

class SearchIndexHolder {
public:
    enum class State { Preparing, Ready, Unavailable };

    explicit SearchIndexHolder(const QString& catalogueDir);
    ~SearchIndexHolder();
    SearchIndexHolder(const SearchIndexHolder&) = delete;
    SearchIndexHolder& operator=(const SearchIndexHolder&) = delete;

    State state() const { return state_.load(); }
    int pagesRead() const { return pagesRead_.load(); }
    bool builtInMemory() const { return builtInMemory_; }
    // The index once ready, else null.
    const fulltext::CatalogueIndex* index() const;

private:
    std::atomic<State> state_{State::Preparing};
    std::atomic_int pagesRead_{0};
    std::atomic_bool cancel_{false};
    bool builtInMemory_ = false;
    std::unique_ptr<fulltext::CatalogueIndex> index_;
    std::thread builder_;
};
