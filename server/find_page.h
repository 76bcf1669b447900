#pragma once
// The full-text search of the web. Its address shows the frame of the site with the search box
// holding the query and, in place of a page, the results page: the desktop's own, from the same
// index, with its ranking, snippets, marks of pages found in another language and 50 results at a
// time. Its links open the position of each hit, and the next results, in the whole window.
#include "catalogue_index.h"
#include "languages.h"

#include <QString>

#include <optional>

// Results pages go no further than this.
constexpr int MostResultsOffset = 100000;
// Queries longer than this are searched by their beginning.
constexpr int LongestQuery = 2000;

struct FindRequest {
    QString query;
    int start = 0;
    bool framed = false;  // the results page itself, for the frame
};

// Nothing when `start` is no whole number from 0 to MostResultsOffset.
std::optional<FindRequest> ReadFindRequest(const QString& query, const QString& start, bool framed);

// The address of the search from `start` on, in the whole window or for the frame.
QString FindAddress(const QString& basePath, const LanguageRow& language, const QString& query, int start, bool framed);

// The results page of the desktop, with links to the site's addresses; they open in the whole window.
QByteArray FindResultsDocument(const QString& basePath, const LanguageRow& language, const FindRequest& request,
                               const fulltext::Results& results);
