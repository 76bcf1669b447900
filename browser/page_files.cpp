#include "page_files.h"

#include <QDir>
#include <algorithm>

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

QString ExeDirFromPath(const QString& exePath, QChar separator)
{
    // Reverse, cut at the first separator, reverse back: the path up to its last separator.
    QString reversed = exePath;
    std::reverse(reversed.begin(), reversed.end());
    const qsizetype at = reversed.indexOf(separator);
    QString folder = at < 0 ? reversed : reversed.mid(at + 1);
    std::reverse(folder.begin(), folder.end());
    return folder + separator;
}

QString ExeDirFromProgramPath(const QString& qtPath, QChar platformSeparator)
{
    QString folder = ExeDirFromPath(qtPath, u'/');
    folder.replace(u'/', platformSeparator);
    return folder;
}

QString PositionLabelText(std::int32_t category, std::int32_t position)
{
    return QStringLiteral("Cat=%1 PosInCat=%2").arg(category).arg(position);
}
