#pragma once
// The limits every full-text query keeps, whoever asks (the browser, the tool, the web edition):
// with them no query over the largest catalogue (11 x 999 projects in three languages, about
// 33,000 pages) takes more than a second or 200 MB, whatever is typed. A query that meets one
// ends with what it found so far, and its results say they were cut. No widget.
#include <QString>

#include <cstdint>

namespace fulltext {

// Characters of a query looked at. A question typed by a person is well under 200 characters;
// a pasted page is cut here. (A Chinese query of 32,767 characters took 5 s and 680 MB.)
constexpr int kMostQueryCharacters = 256;

// Words of a query, operators included: more than anyone types, and each word costs a posting
// list to merge. (10,000 words joined by OR took up to 25 s.)
constexpr int kMostQueryWords = 32;

// Words ending in * in one query. Each is replaced by the words of the index it begins.
// ("a* " typed 1,000 times took 16 s.)
constexpr int kMostWildcards = 4;

// Words of the index one wildcard stands for: the most frequent ones it begins.
constexpr unsigned kMostWildcardExpansion = 100;

// Terms of a parsed query. Chinese text becomes a term for each character and each pair of
// neighbours, and words become their stems as well; words at the end go until this holds.
constexpr int kMostQueryTerms = 64;

// Seconds the engine may spend counting matches beyond those shown, for the total it reports
// (Xapian's Enquire::set_time_limit). The matches shown are always the best ones.
constexpr double kMatchSeconds = 0.3;

// Milliseconds from the start of a query after which no more snippets are made: the remaining
// hits are shown with their titles only. A snippet reads the page file and takes about a
// millisecond; this bounds a page of hits of hostile, huge pages.
constexpr int kSnippetMilliseconds = 600;

// Bytes of a page file read for its snippet: five times the largest catalogue page (3 KB), so a
// huge page costs a hit a few milliseconds (the engine weighs every match of the text it is
// given), its snippet taken from its start. (A page of 50 MB made every query that found it
// take 5 to 12 s; 64 KiB of such a page still took 20 ms.)
constexpr std::int64_t kSnippetSourceBytes = 16 * 1024;

// Characters of a page title kept in the index.
constexpr int kMostTitleCharacters = 500;

struct LimitedQuery {
    QString text;
    bool cut = false;  // words or characters were left out
};

// The query within the limits on characters, words and wildcards, cut at the end (a word whose
// wildcard is over the limit loses it). Whole words are kept but for a single word longer than
// the limit on characters.
LimitedQuery LimitQuery(const QString& typed);

// The query without its last words (or, for one word, the last quarter of it); "" once nothing
// is left. For a query whose parse has too many terms.
QString ShortenedQuery(const QString& text);

}  // namespace fulltext
