#pragma once
// The catalogue's web site: answers every address of the site from the catalogue folder, its
// project counts and its full-text index. It keeps nothing from one request to the next, reads
// nothing outside the folder and writes nothing, so several servers can answer for one folder.
#include "catalogue_position.h"
#include "http_exchange.h"
#include "page_facts.h"
#include "stored_files.h"

#include <QString>

class SearchIndexHolder;

struct SiteSetup {
    QString catalogueDir;  // absolute, without a closing "/"
    QString basePath;  // as CanonicalBasePath gives it
    CategoryCounts counts{};  // as the browser counts at start
};

class CatalogueSite {
public:
    // `index` may be null: the full-text search then reports it cannot search.
    CatalogueSite(SiteSetup setup, const SearchIndexHolder* index);

    Answer Handle(const Request& request) const;
    // The answers that may take long: the searches.
    bool IsSlow(const Request& request) const;

private:
    struct Context;
    Answer Position(const Context& context, CataloguePosition at, const QString& goToText,
                    const QString& goToMessage) const;
    Answer GoTo(const Context& context) const;
    Answer PageFolder(const Context& context) const;
    Answer DataFile(const Request& request, const QString& relative, bool framed) const;
    Answer CriteriaSearch(const Context& context) const;
    Answer FullTextSearch(const Context& context) const;
    Answer Suggest(const Request& request) const;
    Answer NotFound(const Context& context) const;
    Answer Redirect(int status, const QString& location) const;
    bool HasPage(CataloguePosition at) const;

    SiteSetup setup_;
    StoredFolder data_;
    PageFacts pageFacts_;
    const SearchIndexHolder* index_;
};
