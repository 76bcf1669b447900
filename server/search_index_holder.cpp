#include "search_index_holder.h"

#include <map>

SearchIndexHolder::SearchIndexHolder(const QString& catalogueDir) : catalogueDir_(catalogueDir)
{
    titleReader_ = std::thread([this] {
        suggestions_ = fulltext::TitleSuggestions::Open(catalogueDir_);
        titlesRead_ = true;
    });
    index_ = fulltext::OpenIndex(catalogueDir);
    if (index_) {
        onDisk_ = true;
        state_ = State::Ready;
        return;
    }
    builder_ = std::thread([this] {
        index_ = fulltext::BuildInMemory(
            catalogueDir_, [this](int pages) { pagesRead_ = pages; }, cancel_);
        state_ = index_ ? State::Ready : State::Unavailable;
    });
}

SearchIndexHolder::~SearchIndexHolder()
{
    cancel_ = true;
    if (builder_.joinable())
        builder_.join();
    if (titleReader_.joinable())
        titleReader_.join();
}

const fulltext::CatalogueIndex* SearchIndexHolder::index() const
{
    if (state_.load() != State::Ready)
        return nullptr;
    if (!onDisk_)
        return index_.get();
    // Each thread its own opening of the index on disk: one opening serves one thread at a time.
    thread_local std::map<const SearchIndexHolder*, std::unique_ptr<fulltext::CatalogueIndex>> opened;
    std::unique_ptr<fulltext::CatalogueIndex>& own = opened[this];
    if (!own)
        own = fulltext::OpenIndex(catalogueDir_);
    return own ? own.get() : index_.get();
}

const fulltext::TitleSuggestions* SearchIndexHolder::suggestions() const
{
    return titlesRead_.load() ? suggestions_.get() : nullptr;
}
