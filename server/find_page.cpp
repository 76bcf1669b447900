#include "find_page.h"

#include "framed_page.h"
#include "results_page.h"
#include "site_address.h"

std::optional<FindRequest> ReadFindRequest(const QString& query, const QString& start, bool framed)
{
    FindRequest request;
    request.query = query.left(LongestQuery);
    request.framed = framed;
    if (!start.isEmpty()) {
        for (QChar c : start)
            if (c < u'0' || c > u'9')
                return std::nullopt;
        if (start.size() > 6 || start.toInt() > MostResultsOffset)
            return std::nullopt;
        request.start = start.toInt();
    }
    return request;
}

QString FindAddress(const QString& basePath, const LanguageRow& language, const QString& query, int start, bool framed)
{
    std::vector<std::pair<QString, QString>> items{{QStringLiteral("q"), query}};
    if (start > 0)
        items.emplace_back(QStringLiteral("start"), QString::number(start));
    QString address = LanguagePlaceAddress(basePath, language, QStringLiteral("find")) + u'?' + QueryText(items);
    if (framed)
        address += QStringLiteral("&frame");
    return address;
}

QByteArray FindResultsDocument(const QString& basePath, const LanguageRow& language, const FindRequest& request,
                               const fulltext::Results& results)
{
    ResultsLinks links;
    links.hit = [&](const fulltext::Hit& hit) {
        return PositionAddress(basePath, language, {hit.category, hit.position});
    };
    links.more = [&](int offset) { return FindAddress(basePath, language, request.query, offset, false); };
    return WithLinksToTop(ResultsPageHtml(results, request.query, request.start, language.number, links).toUtf8());
}
