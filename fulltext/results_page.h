#pragma once
// The page of a catalogue search, shown in the HTML view: for each hit its title linking to the
// page file of the interface language, the menu section and position, and a snippet with the
// query's words marked. Everything taken from the pages is escaped, so it shows as written.
// The page is no catalogue position: shown with the data folder as its base address, its links
// are the page files, and its own link to further results leaves the position alone.
#include "catalogue_index.h"

#include <QString>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <optional>

// Results come this many at a time.
constexpr int ResultsPerPage = 50;

// Where the page's links lead. Left empty: a hit to the page file of the interface language (the
// browser shows the page with the data folder as its base address), further results to
// MoreResultsAddress.
struct ResultsLinks {
    std::function<QString(const fulltext::Hit& hit)> hit;
    std::function<QString(int offset)> more;
};

// The results of one query from offset on (results.hits are those from offset), in the language.
QString ResultsPageHtml(const fulltext::Results& results, const QString& query, int offset, std::uint8_t language,
                        const ResultsLinks& links = {});

// Shown while the catalogue's index is still being built; the number of pages read is in an
// element with the id "pages-read", so that it can be brought up to date in place.
QString IndexBuildingPageHtml(const QString& query, int pagesRead, std::uint8_t language);

// Shown when the catalogue could not be read for searching.
QString SearchUnavailablePageHtml(const QString& query, std::uint8_t language);

// The snippet as HTML: its text escaped, each marked span (start, length) inside <mark>.
QString SnippetHtml(const QString& snippet, const std::vector<std::pair<int, int>>& marks);

// The address of the link to the results from offset on, and the offset such an address asks
// for. It is a blank page with an anchor: no page file, so the navigation hook ignores it.
QString MoreResultsAddress(int offset);
std::optional<int> MoreResultsOffset(const QUrl& address);
