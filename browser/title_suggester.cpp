#include "title_suggester.h"

TitleSuggester::TitleSuggester(QObject* parent) : TitleSuggester(&fulltext::TitleSuggestions::Open, parent) {}

TitleSuggester::TitleSuggester(Opener opener, QObject* parent) : QObject(parent), opener_(std::move(opener)) {}

TitleSuggester::~TitleSuggester()
{
    if (worker_.joinable())
        worker_.join();
}

void TitleSuggester::Start(const QString& catalogueDir)
{
    if (started_.exchange(true))
        return;
    worker_ = std::thread([this, catalogueDir] {
        // A catalogue whose titles cannot be read offers none; the search itself goes on.
        try {
            titles_ = opener_(catalogueDir);
        } catch (...) {
            titles_.reset();
        }
        // titles_ is written before ready says so, and read only after it does.
        ready_ = titles_ != nullptr;
    });
}

std::vector<fulltext::Suggestion> TitleSuggester::Suggest(const QString& text, const QString& letter, int limit) const
{
    if (!ready_)
        return {};
    return titles_->Suggest(text, letter, limit);
}
