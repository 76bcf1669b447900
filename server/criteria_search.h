#pragma once
// The criteria search of the web: the search window's six criteria and three orders read from a
// request's arguments, and the search run through the desktop's own SQL text and dataset engine,
// so the same projects come in the same order.
#include "catalogue_position.h"
#include "http_exchange.h"
#include "search_sql.h"

#include <QString>

#include <vector>

// Results come this many at a time.
constexpr int ProjectsPerPage = 50;

struct CriteriaRequest {
    SearchCriteria criteria;
    int start = 0;  // the first result shown, from 0
    bool submitted = false;  // any criterion was given: the form was sent
    QString badArgument;  // the first argument whose value is outside its range
};

// Arguments: title, org, cat (0 to 11), person, address, dep (0 to 7), sort (dep, cat or person),
// start. A missing number or order counts as 0 (all, by department).
CriteriaRequest ReadCriteriaRequest(const Request& request);

struct FoundProject {
    CataloguePosition position;
    QString title;
    QString organisation;  // with its address and division, one per line
    QString contact;
    QString category;
};

struct FoundProjects {
    int total = 0;
    std::vector<FoundProject> rows;  // from the start asked for
};

// Runs the search for the language whose code is `code` on the catalogue's database: at most
// `count` rows from `start`. Each thread keeps a dataset of its own. Throws DatabaseError with the
// engine's message.
FoundProjects RunCriteriaSearch(const QString& catalogueDir, const SearchCriteria& criteria, const QString& code,
                                int start, int count);
