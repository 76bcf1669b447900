#pragma once
// Project titles offered while a search is typed: every word of every language's title of each
// project is matched by its beginning and, through the same stems as the full-text index, by its
// other forms ("мембраной" finds "Мембрана ..."); Chinese titles, which have no spaces, match from
// any character. The titles are the <title> of the project pages in data/ (their first heading
// when a page has none), read once: from the catalogue's own index when it matches the pages,
// else from the pages. No widget here: the browser, the tool and the web server use it.
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
    ~TitleSuggestions();
    TitleSuggestions(const TitleSuggestions&) = delete;
    TitleSuggestions& operator=(const TitleSuggestions&) = delete;

    // The titles of every project in every language of the catalogue folder; nullptr when they
    // cannot be read.
    static std::unique_ptr<TitleSuggestions> Open(const QString& catalogueDir);
    // At most `limit` projects whose title in any language has a word beginning with `text`
    // (other forms of the word too), best first, titled in the language of page letter `letter`.
    // Safe to call from several threads at once.
    std::vector<Suggestion> Suggest(const QString& text, const QString& letter, int limit = 10) const;

    // The number of projects whose titles were read.
    int ProjectCount() const;

private:
    class Titles;
    explicit TitleSuggestions(std::unique_ptr<Titles> titles);
    std::unique_ptr<Titles> titles_;
};

}  // namespace fulltext
