#include "search_index_holder.h"

SearchIndexHolder::SearchIndexHolder(const QString& catalogueDir) : catalogueDir_(catalogueDir)
{
    titleReader_ = std::thread([this] {
        suggestions_ = fulltext::TitleSuggestions::Open(catalogueDir_);
        titlesRead_ = true;
    });
    index_ = fulltext::OpenIndex(catalogueDir);
    if (index_) {
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
    return state_.load() == State::Ready ? index_.get() : nullptr;
}

const fulltext::TitleSuggestions* SearchIndexHolder::suggestions() const
{
    return titlesRead_.load() ? suggestions_.get() : nullptr;
}
