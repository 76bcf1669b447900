#pragma once
// The addresses of the site below its base path, read from a request's decoded path and written
// for links. Reading only tells the places apart; whether a position exists in the catalogue and
// whether a file is there is the site's business.
#include "catalogue_position.h"
#include "languages.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

enum class Place {
    Nowhere,  // 404
    AddSlash,  // the base path or a language without its closing "/"
    LanguageChoice,  // /
    LanguageHome,  // /en/
    Position,  // /en/5.12
    GoTo,  // /en/go
    CriteriaSearch,  // /en/search
    FullTextSearch,  // /en/find
    PageFolder,  // /en/page/05012e.html: a page file in its frame, or what its links name
    Suggest,  // /suggest
    DataFile,  // /data/...
    Asset,  // /static/...: the pages' own style and script
    Health,  // /healthz
};

struct SiteAddress {
    Place place = Place::Nowhere;
    const LanguageRow* language = nullptr;
    CataloguePosition position;
    QString file;  // below data/ for DataFile and PageFolder, the asset's name for Asset
};

// The base path made canonical: empty for "/", else "/a/b" without a closing "/". Nothing for a
// text that is no plain absolute path (letters, digits, "-", "_", "." and "~" between slashes).
std::optional<QString> CanonicalBasePath(const QString& text);

SiteAddress ReadSiteAddress(QStringView path, const QString& basePath);

// True when the path part of a request as it came names a NUL, "/" or "\" by escape.
bool HasForbiddenEscape(const QByteArray& rawUri);

// A file name below data/ that may be looked up: segments that are not empty, do not start with
// ".", and hold no "\" or control character. Nothing otherwise.
std::optional<QString> DataRelativePath(QStringView path);

// "5.12": a category and a position in decimal without leading zeros.
std::optional<CataloguePosition> ReadPositionText(QStringView text);
QString PositionText(CataloguePosition at);

// A query of names and values, each value percent-encoded ("+" and "&" included).
QString QueryText(const std::vector<std::pair<QString, QString>>& items);

// Links, below the base path.
QString LanguageHomeAddress(const QString& basePath, const LanguageRow& language);
QString PositionAddress(const QString& basePath, const LanguageRow& language, CataloguePosition at);
QString LanguagePlaceAddress(const QString& basePath, const LanguageRow& language, const QString& place);
QString SiteFileAddress(const QString& basePath, const QString& place);
