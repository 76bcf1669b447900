#pragma once
// The texts of the web pages in each language (1 Russian, 2 English, 3 Chinese): the desktop's own
// where it has them, and in Chinese the words that the desktop shows as pictures.
#include <QString>

#include <cstdint>

struct WebTexts {
    QString languageNavigation;  // name of the language switch
    QString menuNavigation;  // name of the menu
    QString pageFrame;  // name of the frame that shows a page file
    QString previous;  // Previous and Next, the go-to box's caption and button
    QString next;
    QString goToCaption;
    QString goToButton;
    QString goToHint;  // what the go-to box takes
    QString findLabel;  // the full-text search box
    QString findButton;
    QString criteriaSearch;  // link to the criteria search
    QString suggestions;  // name of the list of suggested titles
    QString notFound;
    QString badValue;  // "%1": the argument's name
    QString projectsRange;  // "%1"-"%2" of "%3" projects
    QString previousResults;  // "%1": how many the link brings back
    QString criteriaNotOffered;  // the criteria search in a language without one
    QString searchFailed;  // "%1": the engine's message
    QString serverBusy;
};

// The texts of a language; English for any value other than 1 and 3.
const WebTexts& WebTextsFor(std::uint8_t language);
