#include "page_names.h"

#include "catalogue_position.h"

#include <QRegularExpression>

namespace fulltext {

std::optional<PageName> ParsePageName(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d\\d)(\\d{3,9})([rec])\\.html$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    PageName name{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3)};
    if (!IsKnownCategory(name.category))
        return std::nullopt;
    return name;
}

} // namespace fulltext
