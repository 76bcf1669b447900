#include "find_bar_names.h"

#include "languages.h"

namespace {
FindBarNames russianNames()
{
    FindBarNames n;
    n.pageBox = QStringLiteral("Найти на странице");
    n.catalogueBox = QStringLiteral("Найти в каталоге");
    n.previous = QStringLiteral("Предыдущее совпадение");
    n.next = QStringLiteral("Следующее совпадение");
    n.scope = QStringLiteral("Где искать");
    n.close = QStringLiteral("Закрыть поиск");
    n.clear = QStringLiteral("Очистить");
    n.matches = QStringLiteral("Совпадения");
    return n;
}

FindBarNames englishNames()
{
    FindBarNames n;
    n.pageBox = QStringLiteral("Find in page");
    n.catalogueBox = QStringLiteral("Find in the catalogue");
    n.previous = QStringLiteral("Previous match");
    n.next = QStringLiteral("Next match");
    n.scope = QStringLiteral("Where to find");
    n.close = QStringLiteral("Close the find bar");
    n.clear = QStringLiteral("Clear");
    n.matches = QStringLiteral("Matches");
    return n;
}

FindBarNames chineseNames()
{
    FindBarNames n;
    n.pageBox = QStringLiteral("在本页中查找");
    n.catalogueBox = QStringLiteral("在目录中查找");
    n.previous = QStringLiteral("上一个匹配项");
    n.next = QStringLiteral("下一个匹配项");
    n.scope = QStringLiteral("查找范围");
    n.close = QStringLiteral("关闭查找栏");
    n.clear = QStringLiteral("清除");
    n.matches = QStringLiteral("匹配项");
    return n;
}
}  // namespace

const FindBarNames& FindBarNamesFor(std::uint8_t language)
{
    static const FindBarNames russian = russianNames();
    static const FindBarNames english = englishNames();
    static const FindBarNames chinese = chineseNames();
    switch (language) {
    case LangRussian: return russian;
    case LangChinese: return chinese;
    default: return english;
    }
}

QString MatchCounterName(std::uint8_t language, const QString& count)
{
    const QString& word = FindBarNamesFor(language).matches;
    if (count.isEmpty())
        return word;
    return word + (language == LangChinese ? QStringLiteral("：") : QStringLiteral(": ")) + count;
}
