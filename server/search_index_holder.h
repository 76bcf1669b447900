#pragma once
// The full-text index and the title suggestions the server searches. The index is the catalogue's
// own (index/ beside data/) when it matches the page files, else one built in memory on a thread
// of its own while the server already answers; until it is ready the results page says how many
// pages are read. Searches may run side by side on it: the index gives each call on disk a
// database of its own, and calls on one built in memory take turns. The titles are read on a
// thread of their own as well.
#include "catalogue_index.h"
#include "title_suggestions.h"

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
    // The index once ready, else null.
    const fulltext::CatalogueIndex* index() const;
    // The titles once read, else null.
    const fulltext::TitleSuggestions* suggestions() const;

private:
    QString catalogueDir_;
    std::atomic<State> state_{State::Preparing};
    std::atomic_int pagesRead_{0};
    std::atomic_bool cancel_{false};
    std::atomic_bool titlesRead_{false};
    std::unique_ptr<fulltext::CatalogueIndex> index_;
    std::unique_ptr<fulltext::TitleSuggestions> suggestions_;
    std::thread builder_;
    std::thread titleReader_;
};
