#pragma once
// The criteria search page: the search window's form, in its language's texts and lists, with the
// criteria as sent, then the projects found, 50 at a time, each with its title, organisation,
// contact person, category and a link to its position.
#include "criteria_search.h"
#include "languages.h"

#include <QString>

struct CriteriaSearchView {
    const LanguageRow* language = nullptr;
    QString basePath;
    CriteriaRequest request;
    const FoundProjects* found = nullptr;  // null until the form is sent
    QString message;  // a bad argument or a failed search
};

// The main part of the page, for the shell.
QString CriteriaSearchHtml(const CriteriaSearchView& view);

// The address of the same search from another start.
QString CriteriaSearchAddress(const QString& basePath, const LanguageRow& language, const CriteriaRequest& request,
                              int start);
