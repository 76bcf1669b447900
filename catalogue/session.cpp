#include "session.h"

#include <algorithm>

void Session::FillLanguages()
{
    for (const LanguageRow& row : LanguageTable())
        Languages[row.number] = LanguageInfoOf(row);
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
