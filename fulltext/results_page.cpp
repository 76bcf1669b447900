#include "results_page.h"

#include "find_texts.h"
#include "languages.h"
#include "page_names.h"

#include <algorithm>

namespace {

const QString moreResultsPrefix = QStringLiteral("more=");

// The page's lang attribute: English for a language not chosen yet.
QString languageTag(std::uint8_t language)
{
    const LanguageRow* row = LanguageByNumber(language);
    return row ? row->tag : LanguageByNumber(LangEnglish)->tag;
}

QString pageFrame(const QString& title, const QString& body, std::uint8_t language)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head><meta charset=\"utf-8\"><title>%2</title>\n"
                          "<style>\n"
                          "body{font-family:sans-serif;font-size:14px;margin:16px 24px;color:#222}\n"
                          "h1{font-size:18px;font-weight:bold;margin:0 0 6px}\n"
                          ".summary{color:#555;margin:0 0 16px}\n"
                          ".hit{margin:0 0 16px}\n"
                          ".hit a{font-size:15px;font-weight:bold;color:#1a3a8a}\n"
                          ".where{color:#555;font-size:12px;margin:2px 0}\n"
                          ".found-in{color:#8a4b00}\n"
                          "mark{background:#ffe27a;color:inherit}\n"
                          ".more{margin:20px 0}\n"
                          ".cut{color:#8a4b00;margin:0 0 16px}\n"
                          "</style></head>\n<body>\n%3</body></html>\n")
        .arg(languageTag(language), title, body);
}

QString heading(const FindTexts& texts, const QString& query) { return texts.resultsTitle.arg(query.toHtmlEscaped()); }

// "5.12" for a project; title and introductory pages are named by their section alone.
QString positionText(const fulltext::Hit& hit)
{
    if (hit.category >= 1 && hit.position >= 1)
        return QStringLiteral("%1.%2").arg(hit.category).arg(hit.position);
    return QString();
}

QString hitHtml(const fulltext::Hit& hit, std::uint8_t language, const FindTexts& texts, const ResultsLinks& links)
{
    const QString target =
        links.hit ? links.hit(hit) : PageFileName(hit.category, hit.position, LanguageLetter(language));
    QString title = hit.title.simplified();
    if (title.isEmpty())
        title = hit.pageFile;
    QStringList where;
    const QString section = SectionName(language, hit.category, hit.position);
    if (!section.isEmpty())
        where << section.toHtmlEscaped();
    const QString position = positionText(hit);
    if (!position.isEmpty())
        where << position;
    const LanguageRow* found = LanguageByLetter(hit.letter);
    if (found && found->number != language)
        where << QStringLiteral("<span class=\"found-in\">%1</span>").arg(texts.foundIn[found->number].toHtmlEscaped());
    return QStringLiteral("<div class=\"hit\"><a href=\"%1\">%2</a>\n<div class=\"where\">%3</div>\n"
                          "<div class=\"snippet\">%4</div></div>\n")
        .arg(target.toHtmlEscaped(), title.toHtmlEscaped(), where.join(QStringLiteral(" · ")),
             SnippetHtml(hit.snippet, hit.marks));
}

}  // namespace

QString SnippetHtml(const QString& snippet, const std::vector<std::pair<int, int>>& marks)
{
    std::vector<std::pair<int, int>> spans(marks);
    std::sort(spans.begin(), spans.end());
    const int size = static_cast<int>(snippet.size());
    QString html;
    int at = 0;
    for (const auto& [start, length] : spans) {
        // Spans outside the text, empty or overlapping one already marked are left out.
        if (start < at || length <= 0 || start >= size)
            continue;
        const int end = std::min(size, start + length);
        html += snippet.mid(at, start - at).toHtmlEscaped();
        html += QStringLiteral("<mark>") + snippet.mid(start, end - start).toHtmlEscaped() + QStringLiteral("</mark>");
        at = end;
    }
    html += snippet.mid(at).toHtmlEscaped();
    return html;
}

QString ResultsPageHtml(const fulltext::Results& results, const QString& query, int offset, std::uint8_t language,
                        const ResultsLinks& links)
{
    const FindTexts& texts = FindTextsFor(language);
    const QString title = heading(texts, query);
    QString body = QStringLiteral("<h1>%1</h1>\n").arg(title);
    if (results.cut)
        body += QStringLiteral("<p class=\"cut\" role=\"note\">%1</p>\n").arg(texts.searchCut.toHtmlEscaped());
    if (results.pagesLeftOut > 0)
        body += QStringLiteral("<p class=\"cut\" role=\"note\">%1</p>\n")
                    .arg(texts.pagesLeftOut.arg(results.pagesLeftOut).toHtmlEscaped());
    if (results.hits.empty()) {
        body += QStringLiteral("<p class=\"summary\">%1</p>\n").arg(texts.nothingFound.toHtmlEscaped());
        return pageFrame(title, body, language);
    }
    const int shownEnd = offset + static_cast<int>(results.hits.size());
    const int total = std::max(results.estimatedTotal, shownEnd);
    // All of them on one page: their number; else which of about how many.
    const QString summary = offset == 0 && total == shownEnd
        ? texts.resultsCount.arg(total)
        : texts.resultsRange.arg(offset + 1).arg(shownEnd).arg(total);
    body += QStringLiteral("<p class=\"summary\">%1</p>\n").arg(summary.toHtmlEscaped());
    for (const fulltext::Hit& hit : results.hits)
        body += hitHtml(hit, language, texts, links);
    if (total > shownEnd) {
        body += QStringLiteral("<p class=\"more\"><a href=\"%1\">%2</a></p>\n")
                    .arg((links.more ? links.more(shownEnd) : MoreResultsAddress(shownEnd)).toHtmlEscaped(),
                         texts.moreResults.arg(std::min(ResultsPerPage, total - shownEnd)).toHtmlEscaped());
    }
    return pageFrame(title, body, language);
}

QString IndexBuildingPageHtml(const QString& query, int pagesRead, std::uint8_t language)
{
    const FindTexts& texts = FindTextsFor(language);
    const QString title = heading(texts, query);
    const QString count = QStringLiteral("<span id=\"pages-read\">%1</span>").arg(pagesRead);
    return pageFrame(title,
                     QStringLiteral("<h1>%1</h1>\n<p class=\"summary\">%2</p>\n")
                         .arg(title, texts.indexBuilding.toHtmlEscaped().arg(count)),
                     language);
}

QString SearchUnavailablePageHtml(const QString& query, std::uint8_t language)
{
    const FindTexts& texts = FindTextsFor(language);
    const QString title = heading(texts, query);
    return pageFrame(title,
                     QStringLiteral("<h1>%1</h1>\n<p class=\"summary\">%2</p>\n")
                         .arg(title, texts.searchUnavailable.toHtmlEscaped()),
                     language);
}

QString MoreResultsAddress(int offset)
{
    return QStringLiteral("about:blank#") + moreResultsPrefix + QString::number(offset);
}

std::optional<int> MoreResultsOffset(const QUrl& address)
{
    if (address.scheme() != QLatin1String("about") || address.path() != QLatin1String("blank"))
        return std::nullopt;
    const QString fragment = address.fragment();
    if (!fragment.startsWith(moreResultsPrefix))
        return std::nullopt;
    bool ok = false;
    const int offset = fragment.mid(moreResultsPrefix.size()).toInt(&ok);
    if (!ok || offset < 0)
        return std::nullopt;
    return offset;
}
