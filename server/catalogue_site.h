#pragma once
// The catalogue's web site: answers every address of the site from the catalogue folder, its
// project counts and its full-text index. It reads nothing outside the folder and writes nothing,
// and what it keeps between requests is only answers to searches for reuse (answer_cache.h),
// which every server of one folder makes alike, so several servers can answer for one folder.
#include "catalogue_position.h"
#include "http_exchange.h"
#include "page_facts.h"
#include "stored_files.h"

#include <QString>

#include <optional>

class AnswerCache;
class SearchIndexHolder;

struct SiteSetup {
    QString catalogueDir;  // absolute, without a closing "/"
    QString basePath;  // as CanonicalBasePath gives it
    CategoryCounts counts{};  // as the browser counts at start
};

class CatalogueSite {
public:
    // `index` may be null: the full-text search then reports it cannot search. `cache` may be
    // null: searches are then worked out every time.
    CatalogueSite(SiteSetup setup, const SearchIndexHolder* index, AnswerCache* cache = nullptr);

    // The answer to any request; searches' answers are kept for reuse and reused.
    Answer Handle(const Request& request) const;
    // The answer when it takes no long work: everything but the searches, and searches answered
    // before. Nothing for the rest, which Handle answers (on a worker).
    std::optional<Answer> AnswerAtOnce(const Request& request) const;
    // What the catalogue's searches depend on: the database file, the index folder and the page
    // folder, each by its identity, size and time of change.
    QByteArray Stamp() const;

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
    Context ContextOf(const Request& request) const;
    // The answer, reused when it is a search's and kept for reuse when it is new.
    Answer Answered(const Context& context) const;
    Answer Made(const Context& context) const;

    SiteSetup setup_;
    StoredFolder data_;
    PageFacts pageFacts_;
    const SearchIndexHolder* index_;
    AnswerCache* cache_;
};
