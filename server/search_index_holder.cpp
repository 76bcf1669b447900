#include "search_index_holder.h"

SearchIndexHolder::SearchIndexHolder(const QString& catalogueDir)
{
    index_ = fulltext::OpenIndex(catalogueDir);
    if (index_) {
        state_ = State::Ready;
        return;
    }
    builtInMemory_ = true;
    builder_ = std::thread([this, catalogueDir] {
        index_ = fulltext::BuildInMemory(
            catalogueDir, [this](int pages) { pagesRead_ = pages; }, cancel_);
        state_ = index_ ? State::Ready : State::Unavailable;
    });
}

SearchIndexHolder::~SearchIndexHolder()
{
    cancel_ = true;
    if (builder_.joinable())
        builder_.join();
}

const fulltext::CatalogueIndex* SearchIndexHolder::index() const
{
    return state_.load() == State::Ready ? index_.get() : nullptr;
}
