#include "page_names.h"

#include "languages.h"

#include <QDir>
#include <QRegularExpression>

QString PositionText(std::int32_t position)
{
    QString text = QString::number(position);
    if (text.size() == 1)
        text.prepend(QStringLiteral("00"));
    if (text.size() == 2)
        text.prepend(u'0');
    return text;
}

QString CategoryText(std::int32_t category)
{
    QString text = QString::number(category);
    if (text.size() == 1)
        text.prepend(u'0');
    return text;
}

QString PageFileName(std::int32_t category, std::int32_t position, const QString& letter)
{
    return CategoryText(category) + PositionText(position) + letter + QStringLiteral(".html");
}

QString PageUrl(const QString& exeDir, std::int32_t category, std::int32_t position, const QString& letter)
{
    return QStringLiteral("file://") + exeDir + QStringLiteral("data") + QDir::separator() +
        PageFileName(category, position, letter);
}

std::optional<PageName> ParsePageName(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{2})([0-9]{3})([a-z])\\.html$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    PageName name{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3)};
    const bool introductory = name.category == 0 && name.position >= 1 && name.position <= IntroductoryPageCount;
    const bool categoryPage = name.category >= 1 && IsKnownCategory(name.category);
    if (!(introductory || categoryPage) || !LanguageByLetter(name.letter))
        return std::nullopt;
    return name;
}

QByteArray ProjectKey(CataloguePosition at)
{
    return QByteArray::number(at.category) + '.' + QByteArray::number(at.position);
}
