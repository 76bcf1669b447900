#include "catalogue_site.h"

#include "answer_cache.h"
#include "catalogue_order.h"
#include "criteria_search_page.h"
#include "database_error.h"
#include "find_page.h"
#include "find_texts.h"
#include "framed_page.h"
#include "go_to_check.h"
#include "http_cache.h"
#include "interface_texts.h"
#include "page_address.h"
#include "page_names.h"
#include "search_index_holder.h"
#include "plain_pages.h"
#include "project_counts.h"
#include "results_page.h"
#include "search_texts.h"
#include "shell_assets.h"
#include "shell_page.h"
#include "site_address.h"
#include "web_texts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

namespace {

// Files up to this size are read into memory (and compressed when worth it); larger ones go out
// from disk as they are.
constexpr qint64 kMostReadBytes = 4 * 1024 * 1024;
// Files up to this size go out with their headers in one write; larger ones by sendfile.
constexpr qint64 kMostCopiedBytes = 64 * 1024;

const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");

// Suggestions: at most this many, for a text of at most this length.
constexpr int kSuggestions = 10;
constexpr int kLongestSuggestionText = 100;

Answer WrittenPage(int status, const QString& html)
{
    Answer answer;
    answer.status = status;
    answer.contentType = kHtml;
    answer.body = html.toUtf8();
    answer.written = true;
    return answer;
}

QString PageTitle(const QString& title, std::uint8_t language)
{
    const QString caption = MainWindowTextsFor(language == LangChinese ? LangEnglish : language).caption;
    return title.isEmpty() ? caption : title + QStringLiteral(" — ") + caption;
}

}  // namespace

struct CatalogueSite::Context {
    const Request& request;
    SiteAddress address;
};

CatalogueSite::CatalogueSite(SiteSetup setup, const SearchIndexHolder* index, AnswerCache* cache)
    : setup_(std::move(setup)), data_(setup_.catalogueDir + QStringLiteral("/data")), index_(index), cache_(cache)
{}

QByteArray CatalogueSite::Stamp() const
{
    QByteArray stamp;
    const QString dir = setup_.catalogueDir + u'/';
    for (const QString& name :
         {QString::fromLatin1(kCatalogueFileName), QStringLiteral("index"), QStringLiteral("data")}) {
        struct stat facts {};
        if (stat(QFile::encodeName(dir + name).constData(), &facts) == 0)
            stamp += QByteArray::number(qulonglong(facts.st_ino)) + u':' +
                QByteArray::number(qlonglong(facts.st_size)) + u':' +
                QByteArray::number(qlonglong(facts.st_mtim.tv_sec)) + u'.' +
                QByteArray::number(qlonglong(facts.st_mtim.tv_nsec));
        stamp += u'/';
    }
    return stamp;
}

CatalogueSite::Context CatalogueSite::ContextOf(const Request& request) const
{
    return {request,
            HasForbiddenEscape(request.rawUri) ? SiteAddress{} : ReadSiteAddress(request.path, setup_.basePath)};
}

Answer CatalogueSite::Handle(const Request& request) const { return Answered(ContextOf(request)); }

std::optional<Answer> CatalogueSite::AnswerAtOnce(const Request& request) const
{
    // Suggestions take a millisecond or two: handing them to a worker would cost more than it saves.
    const Context context = ContextOf(request);
    const Place place = context.address.place;
    if (place != Place::CriteriaSearch && place != Place::FullTextSearch)
        return Answered(context);
    if (cache_)
        return cache_->Find(request.rawUri, Stamp());
    return std::nullopt;
}

Answer CatalogueSite::Answered(const Context& context) const
{
    const Place place = context.address.place;
    const bool search = place == Place::CriteriaSearch || place == Place::FullTextSearch || place == Place::Suggest;
    if (!cache_ || !search)
        return Made(context);
    const QByteArray& key = context.request.rawUri;
    const QByteArray stamp = Stamp();
    if (std::optional<Answer> kept = cache_->Find(key, stamp))
        return std::move(*kept);
    // Answers that say the search is not ready, or failed, are made afresh each time.
    Answer answer = Made(context);
    if (answer.status == 200 && answer.freshness == Freshness::Short)
        cache_->Keep(key, stamp, answer);
    return answer;
}

bool CatalogueSite::HasPage(CataloguePosition at) const
{
    if (at.category == 0)
        return at.position >= 1 && at.position <= IntroductoryPageCount;
    return at.category >= 1 && at.category <= LastCategory && at.position >= 0 &&
        at.position <= setup_.counts[std::size_t(at.category)];
}

Answer CatalogueSite::Made(const Context& context) const
{
    const Request& request = context.request;
    const SiteAddress& address = context.address;
    switch (address.place) {
    case Place::Nowhere: return NotFound(context);
    case Place::AddSlash: return Redirect(301, request.path + u'/');
    case Place::LanguageChoice: return WrittenPage(200, LanguageChoiceHtml(setup_.basePath));
    case Place::LanguageHome: return Position(context, FirstPage, QStringLiteral("1.1"), QString());
    case Place::Position:
        if (!HasPage(address.position))
            return NotFound(context);
        return Position(context, address.position, QStringLiteral("1.1"), QString());
    case Place::GoTo: return GoTo(context);
    case Place::CriteriaSearch: return CriteriaSearch(context);
    case Place::FullTextSearch: return FullTextSearch(context);
    case Place::PageFolder: return PageFolder(context);
    case Place::Suggest: return Suggest(request);
    case Place::DataFile: return DataFile(request, address.file, false);
    case Place::Asset: {
        Answer answer;
        answer.body = ShellAsset(address.file, answer.contentType);
        if (answer.body.isEmpty())
            return NotFound(context);
        answer.freshness = Freshness::Long;
        return answer;
    }
    case Place::Health: {
        Answer answer;
        answer.contentType = QByteArrayLiteral("text/plain; charset=utf-8");
        answer.body = QByteArrayLiteral("ok");
        answer.freshness = Freshness::None;
        return answer;
    }
    }
    return NotFound(context);
}

Answer CatalogueSite::Position(const Context& context, CataloguePosition at, const QString& goToText,
                               const QString& goToMessage) const
{
    const LanguageRow& language = *context.address.language;
    const QString file = PageFileName(at.category, at.position, language.letter);
    QString title;
    if (const std::optional<StoredFile> stored = data_.Open(file))
        title = pageFacts_
                    .Of(file, stored->size, stored->modifiedNs,
                        [&] { return stored->file->read(std::min(stored->size, kMostReadBytes)); })
                    .title;
    const WebTexts& texts = WebTextsFor(language.number);
    ShellPage shell;
    shell.language = &language;
    shell.basePath = setup_.basePath;
    shell.title = PageTitle(title, language.number);
    shell.position = at;
    shell.counts = setup_.counts;
    for (const LanguageRow& row : LanguageTable())
        shell.languageLinks[row.number - 1] = PositionAddress(setup_.basePath, row, at);
    shell.goToText = goToText;
    shell.goToMessage = goToMessage;
    const QString frame =
        LanguagePlaceAddress(setup_.basePath, language, QStringLiteral("page/") + file) + QStringLiteral("?frame");
    shell.mainHtml = QStringLiteral("<iframe class=\"page\" name=\"page\" src=\"%1\" title=\"%2\"></iframe>\n")
                         .arg(Escaped(frame), Escaped(title.isEmpty() ? texts.pageFrame : title));
    return WrittenPage(200, ShellPageHtml(shell));
}

Answer CatalogueSite::GoTo(const Context& context) const
{
    const Request& request = context.request;
    const LanguageRow& language = *context.address.language;
    // The page the box was on; the first page when the form does not say or names none.
    CataloguePosition from = FirstPage;
    if (const std::optional<CataloguePosition> at = ReadPositionText(request.argument(QStringLiteral("from")));
        at && HasPage(*at))
        from = *at;
    const QString text = request.argument(QStringLiteral("to"));
    const GoToCheck check = CheckGoToText(text, setup_.counts);
    if (check.verdict == GoToVerdict::Open)
        return Redirect(303, PositionAddress(setup_.basePath, language, check.target));
    // The desktop's messages are Russian in Russian and English in the other languages.
    return Position(context, from, text, GoToMessageText(check, language.number == LangRussian));
}

Answer CatalogueSite::PageFolder(const Context& context) const
{
    const Request& request = context.request;
    const LanguageRow& language = *context.address.language;
    const QString& file = context.address.file;
    // A page file's name moves the position, as a link does on the desktop.
    const std::optional<CataloguePosition> at = file.contains(u'/') ? std::nullopt : PositionFromUrl(file);
    if (at && HasPage(*at)) {
        // The frame asks with ?frame; a link inside the page comes without it. A link to a place
        // inside the page itself keeps ?frame but opens in the whole window: the browser says so.
        const bool framed = request.hasArgument(QStringLiteral("frame")) &&
            request.header("Sec-Fetch-Dest").compare("document", Qt::CaseInsensitive) != 0;
        if (!framed)
            return Redirect(303, PositionAddress(setup_.basePath, language, *at));
        return DataFile(request, file, true);
    }
    return DataFile(request, file, false);
}

Answer CatalogueSite::DataFile(const Request& request, const QString& relative, bool framed) const
{
    const std::optional<StoredFile> stored = data_.Open(relative);
    if (!stored)
        return NotFound({request, SiteAddress{}});
    Answer answer;
    answer.freshness = Freshness::Long;
    answer.contentType = ContentTypeOfName(relative);
    answer.etag = FileETag(stored->size, stored->modifiedNs);
    const bool html = answer.contentType == "text/html";
    framed = framed && html;
    if (framed) {
        answer.etag.insert(answer.etag.size() - 1, "-frame");
        answer.addHeader("X-Frame-Options", "SAMEORIGIN");
        answer.addHeader("Content-Security-Policy", "frame-ancestors 'self'");
    }
    // The client holds this very file: no need to read it.
    if (NoneMatchHits(request.header("If-None-Match"), answer.etag))
        return answer;
    const auto read = [&] { return stored->file->read(std::min(stored->size, kMostReadBytes)); };
    if (html) {
        const QByteArray charset = pageFacts_.Of(relative, stored->size, stored->modifiedNs, read).charset;
        if (!charset.isEmpty())
            answer.contentType += "; charset=" + charset;
    }
    const bool small = stored->size <= kMostReadBytes;
    if (framed && small) {
        answer.body = WithLinksToTop(read());
    } else if (stored->size <= kMostCopiedBytes ||
               (small && CompressibleType(answer.contentType) && AcceptsGzip(request.header("Accept-Encoding")))) {
        answer.body = read();
    } else {
        answer.file = stored->file;
        answer.fileSize = stored->size;
    }
    return answer;
}

Answer CatalogueSite::CriteriaSearch(const Context& context) const
{
    const LanguageRow& language = *context.address.language;
    if (language.number == LangChinese)
        return NotFound(context);
    CriteriaSearchView view;
    view.language = &language;
    view.basePath = setup_.basePath;
    view.request = ReadCriteriaRequest(context.request);
    int status = 200;
    FoundProjects found;
    if (!view.request.badArgument.isEmpty()) {
        status = 400;
        view.message = WebTextsFor(language.number).badValue.arg(view.request.badArgument);
    } else if (view.request.submitted) {
        try {
            found = RunCriteriaSearch(setup_.catalogueDir, view.request.criteria, language.code, view.request.start,
                                      ProjectsPerPage);
            view.found = &found;
        } catch (const DatabaseError& error) {
            status = 500;
            view.message = WebTextsFor(language.number).searchFailed.arg(QString::fromUtf8(error.what()));
        }
    }
    ShellPage shell;
    shell.language = &language;
    shell.basePath = setup_.basePath;
    shell.title = PageTitle(SearchWindowTextsFor(language.number)->caption, language.number);
    shell.counts = setup_.counts;
    for (const LanguageRow& row : LanguageTable())
        shell.languageLinks[row.number - 1] = row.number == LangChinese
            ? LanguageHomeAddress(setup_.basePath, row)
            : CriteriaSearchAddress(setup_.basePath, row, view.request, view.request.start);
    shell.mainHtml = CriteriaSearchHtml(view);
    shell.scrolling = true;
    return WrittenPage(status, ShellPageHtml(shell));
}

Answer CatalogueSite::FullTextSearch(const Context& context) const
{
    const Request& request = context.request;
    const LanguageRow& language = *context.address.language;
    const std::optional<FindRequest> find =
        ReadFindRequest(request.argument(QStringLiteral("q")), request.argument(QStringLiteral("start")),
                        request.hasArgument(QStringLiteral("frame")));
    const FindTexts& texts = FindTextsFor(language.number);
    if (!find || !find->framed) {
        ShellPage shell;
        shell.language = &language;
        shell.basePath = setup_.basePath;
        shell.counts = setup_.counts;
        const QString query = find ? find->query : request.argument(QStringLiteral("q")).left(LongestQuery);
        const QString heading = texts.resultsTitle.arg(query);
        shell.title = PageTitle(heading, language.number);
        shell.findText = query;
        for (const LanguageRow& row : LanguageTable())
            shell.languageLinks[row.number - 1] =
                FindAddress(setup_.basePath, row, query, find ? find->start : 0, false);
        if (!find) {
            shell.scrolling = true;
            shell.mainHtml = QStringLiteral("<p class=\"message\" role=\"alert\">%1</p>\n")
                                 .arg(Escaped(WebTextsFor(language.number).badValue.arg(QStringLiteral("start"))));
            return WrittenPage(400, ShellPageHtml(shell));
        }
        shell.mainHtml =
            QStringLiteral("<iframe class=\"page\" name=\"results\" src=\"%1\" title=\"%2\"></iframe>\n")
                .arg(Escaped(FindAddress(setup_.basePath, language, find->query, find->start, true)), Escaped(heading));
        return WrittenPage(200, ShellPageHtml(shell));
    }
    // The results page itself: the desktop's, with its own inline style and no script.
    Answer answer = WrittenPage(200, QString());
    answer.policy = QByteArrayLiteral("default-src 'none'; style-src 'unsafe-inline'; base-uri 'none'; "
                                      "form-action 'none'; frame-ancestors 'self'");
    const SearchIndexHolder::State state = index_ ? index_->state() : SearchIndexHolder::State::Unavailable;
    const fulltext::CatalogueIndex* index = index_ ? index_->index() : nullptr;
    if (state == SearchIndexHolder::State::Preparing) {
        answer.status = 503;
        answer.freshness = Freshness::None;
        answer.addHeader("Retry-After", "2");
        answer.addHeader("Refresh", "2");
        answer.body = IndexBuildingPageHtml(find->query, index_->pagesRead(), language.number).toUtf8();
    } else if (!index) {
        answer.status = 503;
        answer.freshness = Freshness::None;
        answer.body = SearchUnavailablePageHtml(find->query, language.number).toUtf8();
    } else {
        try {
            const fulltext::Results results = index->Find(find->query, language.letter, find->start, ResultsPerPage);
            answer.body = FindResultsDocument(setup_.basePath, language, *find, results);
        } catch (const std::exception&) {
            // An index found damaged or out of date in the middle of a search.
            answer.status = 503;
            answer.freshness = Freshness::None;
            answer.body = SearchUnavailablePageHtml(find->query, language.number).toUtf8();
        }
    }
    return answer;
}

Answer CatalogueSite::Suggest(const Request& request) const
{
    Answer answer;
    answer.contentType = QByteArrayLiteral("application/json; charset=utf-8");
    const QString tag = request.argument(QStringLiteral("lang"));
    const LanguageRow* language = tag.isEmpty() ? LanguageByNumber(LangEnglish) : LanguageByTag(tag);
    if (!language) {
        answer.status = 400;
        answer.freshness = Freshness::None;
        answer.body = QJsonDocument(QJsonObject{{QStringLiteral("error"), QStringLiteral("lang takes ru, en or zh")}})
                          .toJson(QJsonDocument::Compact);
        return answer;
    }
    const fulltext::TitleSuggestions* titles = index_ ? index_->suggestions() : nullptr;
    if (!titles)
        answer.freshness = Freshness::None;
    QJsonArray items;
    const QString text = request.argument(QStringLiteral("q")).left(kLongestSuggestionText);
    if (titles) {
        for (const fulltext::Suggestion& suggestion : titles->Suggest(text, language->letter, kSuggestions)) {
            const CataloguePosition at{suggestion.category, suggestion.position};
            items.append(QJsonObject{{QStringLiteral("title"), suggestion.title},
                                     {QStringLiteral("position"), PositionText(at)},
                                     {QStringLiteral("url"), PositionAddress(setup_.basePath, *language, at)}});
        }
    }
    answer.body = QJsonDocument(items).toJson(QJsonDocument::Compact);
    return answer;
}

Answer CatalogueSite::NotFound(const Context& context) const
{
    const LanguageRow* language = context.address.language;
    if (!language)
        return WrittenPage(404, NotFoundHtml(setup_.basePath));
    ShellPage shell;
    shell.language = language;
    shell.basePath = setup_.basePath;
    const WebTexts& texts = WebTextsFor(language->number);
    shell.title = PageTitle(texts.notFound, language->number);
    shell.counts = setup_.counts;
    for (const LanguageRow& row : LanguageTable())
        shell.languageLinks[row.number - 1] = LanguageHomeAddress(setup_.basePath, row);
    shell.mainHtml = QStringLiteral("<h1>%1</h1>\n").arg(Escaped(texts.notFound));
    if (context.address.place == Place::CriteriaSearch) {
        shell.mainHtml += QStringLiteral("<p>%1</p>\n<ul>").arg(Escaped(texts.criteriaNotOffered));
        for (const std::uint8_t number : {LangRussian, LangEnglish}) {
            const LanguageRow& row = *LanguageByNumber(number);
            shell.mainHtml += QStringLiteral("<li><a href=\"%1\" lang=\"%2\">%3</a></li>")
                                  .arg(Escaped(LanguagePlaceAddress(setup_.basePath, row, QStringLiteral("search"))),
                                       row.tag, Escaped(row.name));
        }
        shell.mainHtml += QStringLiteral("</ul>\n");
    }
    shell.scrolling = true;
    return WrittenPage(404, ShellPageHtml(shell));
}

Answer CatalogueSite::Redirect(int status, const QString& location) const
{
    Answer answer;
    answer.status = status;
    answer.contentType = kHtml;
    answer.body = QStringLiteral("<!DOCTYPE html>\n<title>%1</title>\n<a href=\"%2\">%2</a>\n")
                      .arg(QString::number(status), Escaped(location))
                      .toUtf8();
    answer.written = true;
    answer.freshness = status == 301 ? Freshness::Long : Freshness::None;
    answer.addHeader("Location", location.toUtf8());
    return answer;
}
