#include "site_address.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

bool AllDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// Decimal digits without a leading zero (but "0" itself), at most `most` of them.
std::optional<std::int32_t> ReadNumber(QStringView text, int most)
{
    if (!AllDigits(text) || text.size() > most || (text.size() > 1 && text.front() == u'0'))
        return std::nullopt;
    return std::int32_t(text.toInt());
}

}  // namespace

std::optional<QString> CanonicalBasePath(const QString& text)
{
    static const QRegularExpression plain(QStringLiteral("^(/[A-Za-z0-9_~.-]+)*/?$"));
    if (!plain.match(text).hasMatch() || text.isEmpty())
        return std::nullopt;
    QString base = text;
    while (base.endsWith(u'/'))
        base.chop(1);
    for (const QString& segment : base.split(u'/', Qt::SkipEmptyParts))
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return std::nullopt;
    return base;
}

SiteAddress ReadSiteAddress(QStringView path, const QString& basePath)
{
    SiteAddress address;
    if (!path.startsWith(basePath))
        return address;
    path = path.mid(basePath.size());
    if (path.isEmpty()) {
        address.place = Place::AddSlash;
        return address;
    }
    if (path.front() != u'/')
        return address;
    path = path.mid(1);
    if (path.isEmpty()) {
        address.place = Place::LanguageChoice;
        return address;
    }
    if (path == u"healthz") {
        address.place = Place::Health;
        return address;
    }
    if (path == u"suggest") {
        address.place = Place::Suggest;
        return address;
    }
    for (const auto& [prefix, place] : {std::pair{u"data/", Place::DataFile}, std::pair{u"static/", Place::Asset}}) {
        if (path.startsWith(prefix)) {
            if (const std::optional<QString> file = DataRelativePath(path.mid(QStringView(prefix).size()))) {
                address.place = place;
                address.file = *file;
            }
            return address;
        }
    }
    const qsizetype slash = path.indexOf(u'/');
    const LanguageRow* language = LanguageByTag(slash < 0 ? path : path.left(slash));
    if (!language)
        return address;
    address.language = language;
    if (slash < 0) {
        address.place = Place::AddSlash;
        return address;
    }
    const QStringView rest = path.mid(slash + 1);
    if (rest.isEmpty())
        address.place = Place::LanguageHome;
    else if (rest == u"go")
        address.place = Place::GoTo;
    else if (rest == u"search")
        address.place = Place::CriteriaSearch;
    else if (rest == u"find")
        address.place = Place::FullTextSearch;
    else if (rest.startsWith(u"page/")) {
        if (const std::optional<QString> file = DataRelativePath(rest.mid(5))) {
            address.place = Place::PageFolder;
            address.file = *file;
        }
    } else if (const std::optional<CataloguePosition> at = ReadPositionText(rest)) {
        address.place = Place::Position;
        address.position = *at;
    }
    return address;
}

bool HasForbiddenEscape(const QByteArray& rawUri)
{
    const qsizetype query = rawUri.indexOf('?');
    const QByteArray path = (query < 0 ? rawUri : rawUri.left(query)).toLower();
    return path.contains("%00") || path.contains("%2f") || path.contains("%5c");
}

std::optional<QString> DataRelativePath(QStringView path)
{
    if (path.isEmpty() || path.size() > 1024)
        return std::nullopt;
    for (QStringView segment : path.split(u'/')) {
        if (segment.isEmpty() || segment.front() == u'.')
            return std::nullopt;
        for (QChar c : segment)
            if (c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f)
                return std::nullopt;
    }
    return path.toString();
}

std::optional<CataloguePosition> ReadPositionText(QStringView text)
{
    const qsizetype dot = text.indexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    const std::optional<std::int32_t> category = ReadNumber(text.left(dot), 2);
    const std::optional<std::int32_t> position = ReadNumber(text.mid(dot + 1), 9);
    if (!category || !position)
        return std::nullopt;
    return CataloguePosition{*category, *position};
}

QString PositionText(CataloguePosition at) { return QStringLiteral("%1.%2").arg(at.category).arg(at.position); }

QString LanguageHomeAddress(const QString& basePath, const LanguageRow& language)
{
    return basePath + u'/' + language.tag + u'/';
}

QString PositionAddress(const QString& basePath, const LanguageRow& language, CataloguePosition at)
{
    return LanguageHomeAddress(basePath, language) + PositionText(at);
}

QString LanguagePlaceAddress(const QString& basePath, const LanguageRow& language, const QString& place)
{
    return LanguageHomeAddress(basePath, language) + place;
}

QString SiteFileAddress(const QString& basePath, const QString& place) { return basePath + u'/' + place; }

QString QueryText(const std::vector<std::pair<QString, QString>>& items)
{
    QString text;
    for (const auto& [name, value] : items) {
        if (!text.isEmpty())
            text += u'&';
        text += name + u'=' + QString::fromLatin1(QUrl::toPercentEncoding(value));
    }
    return text;
}
