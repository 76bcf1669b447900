#include "search_index_holder.h"

SearchIndexHolder::SearchIndexHolder(const QString& catalogueDir, int openings) : catalogueDir_(catalogueDir)
{
    titleReader_ = std::thread([this] {
        suggestions_ = fulltext::TitleSuggestions::Open(catalogueDir_);
        titlesRead_ = true;
    });
    index_ = fulltext::OpenIndex(catalogueDir);
    if (index_) {
        onDisk_ = true;
        state_ = State::Ready;
        // Each opening checks the index against the page files, which takes a while on a large
        // catalogue; searches share the first one until the others are there.
        builder_ = std::thread([this, openings] {
            for (int i = 0; i < openings && !cancel_; ++i) {
                std::unique_ptr<fulltext::CatalogueIndex> opening = fulltext::OpenIndex(catalogueDir_);
                if (!opening)
                    break;
                const std::lock_guard<std::mutex> lock(freeMutex_);
                free_.push_back(opening.get());
                openings_.push_back(std::move(opening));
            }
        });
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

SearchIndexHolder::Lease SearchIndexHolder::index() const
{
    if (state_.load() != State::Ready)
        return Lease(this, nullptr, nullptr);
    const std::lock_guard<std::mutex> lock(freeMutex_);
    if (free_.empty())
        return Lease(this, nullptr, index_.get());
    fulltext::CatalogueIndex* own = free_.back();
    free_.pop_back();
    return Lease(this, own, nullptr);
}

SearchIndexHolder::Lease::Lease(const SearchIndexHolder* holder, fulltext::CatalogueIndex* own,
                                const fulltext::CatalogueIndex* shared)
    : holder_(holder), own_(own), shared_(shared)
{}

SearchIndexHolder::Lease::Lease(Lease&& other) noexcept
    : holder_(other.holder_), own_(other.own_), shared_(other.shared_)
{
    other.own_ = nullptr;
}

SearchIndexHolder::Lease::~Lease()
{
    if (!own_)
        return;
    const std::lock_guard<std::mutex> lock(holder_->freeMutex_);
    holder_->free_.push_back(own_);
}

const fulltext::TitleSuggestions* SearchIndexHolder::suggestions() const
{
    return titlesRead_.load() ? suggestions_.get() : nullptr;
}
