#pragma once
// Texts of the find bar and of the catalogue's results page in each interface language (1 Russian,
// 2 English, 3 Chinese). Unlike the rest of the main window, Chinese mode shows Chinese text here:
// these controls have no pictures to fall back on.
#include <QString>
#include <array>
#include <cstdint>

struct FindTexts {
    // Find bar.
    QString pagePlaceholder;  // shown in the empty text box, page scope
    QString cataloguePlaceholder;  // the same, catalogue scope
    QString thisPage;  // scope switch items
    QString wholeCatalogue;
    QString matchOf;  // "%1 of %2": the active match and the number of matches
    QString noMatches;
    QString previousHint;
    QString nextHint;
    QString closeHint;
    // Results page.
    QString resultsTitle;  // "%1" is the query
    QString resultsCount;  // "%1" pages found, all shown
    QString resultsRange;  // "%1"-"%2" of about "%3"
    QString nothingFound;
    QString moreResults;  // "%1": how many the link brings
    QString indexBuilding;  // "%1" is the number of pages read so far
    QString searchUnavailable;  // the catalogue's pages could not be read
    QString searchCut;  // the query met a limit: what is shown was found within it
    QString pagesLeftOut;  // "%1" pages the index built in memory left out
    // "found in the ... text", indexed by the language of the page the words were found in.
    std::array<QString, 4> foundIn;
    // The find bar's button back to the last results page, its hint with its key, and the name
    // of the list of titles offered while typing.
    QString backToResults;
    QString backToResultsHint;
    QString suggestionsName;
};

// The texts of a language; English for any value other than 1 and 3.
const FindTexts& FindTextsFor(std::uint8_t language);

// The menu entry under which a page falls, in the language: the introductory page's own entry
// for category 0, the category's name (without its number) for 1 to 11, empty otherwise.
QString SectionName(std::uint8_t language, std::int32_t category, std::int32_t position);
