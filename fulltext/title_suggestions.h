#pragma once
// Titles of the catalogue's projects suggested while a reader types: every project whose title in
// any language has a word beginning with the text typed, titled in the reader's language.
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace fulltext {

struct Suggestion {
    QString title;  // in the requested language
    std::int32_t category = 0;
    std::int32_t position = 0;
    QString pageFile;  // the page file in the requested language, e.g. 05012e.html
};

class TitleSuggestions {
public:
    // The titles of every project in every language of the catalogue folder; nullptr when they
    // cannot be read.
    static std::unique_ptr<TitleSuggestions> Open(const QString& catalogueDir);
    ~TitleSuggestions();

    // At most `limit` projects whose title in any language has a word beginning with `text`
    // (other forms of the word too), best first, titled in the language of page letter `letter`.
    // Safe to call from several threads at once.
    std::vector<Suggestion> Suggest(const QString& text, const QString& letter, int limit = 10) const;

private:
    TitleSuggestions();
    struct Titles;
    std::unique_ptr<Titles> d;
};

}  // namespace fulltext
