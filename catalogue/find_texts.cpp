#include "find_texts.h"

#include "interface_texts.h"
#include "languages.h"

namespace {

FindTexts russianTexts()
{
    FindTexts t;
    t.pagePlaceholder = QStringLiteral("Найти на странице");
    t.cataloguePlaceholder = QStringLiteral("Найти в каталоге");
    t.thisPage = QStringLiteral("Эта страница");
    t.wholeCatalogue = QStringLiteral("Весь каталог");
    t.matchOf = QStringLiteral("%1 из %2");
    t.noMatches = QStringLiteral("Не найдено");
    t.previousHint = QStringLiteral("Предыдущее совпадение (Shift+F3)");
    t.nextHint = QStringLiteral("Следующее совпадение (F3)");
    t.closeHint = QStringLiteral("Закрыть (Esc)");
    t.resultsTitle = QStringLiteral("Поиск в каталоге: %1");
    t.resultsCount = QStringLiteral("Найдено страниц: %1");
    t.resultsRange = QStringLiteral("Страницы %1–%2 из примерно %3");
    t.nothingFound = QStringLiteral("Ничего не найдено.");
    t.moreResults = QStringLiteral("Следующие %1");
    t.indexBuilding = QStringLiteral("Указатель каталога ещё строится: прочитано страниц: %1. "
                                     "Результаты появятся здесь, как только он будет готов.");
    t.searchUnavailable = QStringLiteral("Поиск по каталогу недоступен: страницы каталога не удалось прочитать.");
    t.searchCut =
        QStringLiteral("Поиск сокращён, чтобы не заставлять ждать (длинный запрос, много форм слова или очень "
                       "большие страницы): показано найденное в его пределах. Запрос короче или точнее "
                       "найдёт всё.");
    t.pagesLeftOut = QStringLiteral("У каталога нет своего указателя, а указатель всех его страниц занял бы в памяти "
                                    "больше 400 МБ: %1 страниц не просматриваются. Полный указатель записывает "
                                    "программа каталога (velora-catalogue-tool index).");
    t.foundIn = {QString(), QStringLiteral("найдено в русском тексте"), QStringLiteral("найдено в английском тексте"),
                 QStringLiteral("найдено в китайском тексте")};
    t.backToResults = QStringLiteral("К результатам");
    t.backToResultsHint = QStringLiteral("Вернуться к результатам поиска (Alt+Up)");
    t.suggestionsName = QStringLiteral("Проекты с такими словами в названии");
    return t;
}

FindTexts englishTexts()
{
    FindTexts t;
    t.pagePlaceholder = QStringLiteral("Find in page");
    t.cataloguePlaceholder = QStringLiteral("Find in the catalogue");
    t.thisPage = QStringLiteral("This page");
    t.wholeCatalogue = QStringLiteral("Whole catalogue");
    t.matchOf = QStringLiteral("%1 of %2");
    t.noMatches = QStringLiteral("No matches");
    t.previousHint = QStringLiteral("Previous match (Shift+F3)");
    t.nextHint = QStringLiteral("Next match (F3)");
    t.closeHint = QStringLiteral("Close (Esc)");
    t.resultsTitle = QStringLiteral("Catalogue search: %1");
    t.resultsCount = QStringLiteral("Pages found: %1");
    t.resultsRange = QStringLiteral("Pages %1–%2 of about %3");
    t.nothingFound = QStringLiteral("Nothing found.");
    t.moreResults = QStringLiteral("Next %1");
    t.indexBuilding = QStringLiteral("The catalogue index is still being built: %1 pages read. "
                                     "The results will appear here as soon as it is ready.");
    t.searchUnavailable = QStringLiteral("The catalogue cannot be searched: its pages could not be read.");
    t.searchCut = QStringLiteral("This search was cut short to keep it quick (a long query, many word forms or very "
                                 "large pages): shown is what was found within its limits. A shorter or more exact "
                                 "query finds everything.");
    t.pagesLeftOut = QStringLiteral("This catalogue has no index of its own, and an index of all its pages would take "
                                    "more than 400 MB of memory: %1 pages are not searched. The catalogue tool writes "
                                    "the full index (velora-catalogue-tool index).");
    t.foundIn = {QString(), QStringLiteral("found in the Russian text"), QStringLiteral("found in the English text"),
                 QStringLiteral("found in the Chinese text")};
    t.backToResults = QStringLiteral("Results");
    t.backToResultsHint = QStringLiteral("Back to the search results (Alt+Up)");
    t.suggestionsName = QStringLiteral("Projects with these words in their titles");
    return t;
}

FindTexts chineseTexts()
{
    FindTexts t;
    t.pagePlaceholder = QStringLiteral("在本页中查找");
    t.cataloguePlaceholder = QStringLiteral("在目录中查找");
    t.thisPage = QStringLiteral("本页");
    t.wholeCatalogue = QStringLiteral("整个目录");
    t.matchOf = QStringLiteral("第 %1 个，共 %2 个");
    t.noMatches = QStringLiteral("未找到");
    t.previousHint = QStringLiteral("上一个 (Shift+F3)");
    t.nextHint = QStringLiteral("下一个 (F3)");
    t.closeHint = QStringLiteral("关闭 (Esc)");
    t.resultsTitle = QStringLiteral("目录搜索：%1");
    t.resultsCount = QStringLiteral("找到 %1 页");
    t.resultsRange = QStringLiteral("第 %1–%2 页，共约 %3 页");
    t.nothingFound = QStringLiteral("未找到任何结果。");
    t.moreResults = QStringLiteral("下 %1 个");
    t.indexBuilding = QStringLiteral("目录索引正在建立：已读取 %1 页。索引就绪后结果将显示在这里。");
    t.searchUnavailable = QStringLiteral("无法搜索目录：目录页面无法读取。");
    t.searchCut =
        QStringLiteral("为了不让您久等，本次搜索已被缩短（查询过长、词形过多或页面过大）：显示的是在限度内找到的"
                       "结果。更短或更精确的查询可找到全部结果。");
    t.pagesLeftOut = QStringLiteral("此目录没有自带索引，而为其全部页面建立的索引将占用超过 400 MB 内存：有 %1 "
                                    "个页面未被搜索。目录工具可写入完整索引（velora-catalogue-tool index）。");
    t.foundIn = {QString(), QStringLiteral("在俄文页面中找到"), QStringLiteral("在英文页面中找到"),
                 QStringLiteral("在中文页面中找到")};
    t.backToResults = QStringLiteral("返回结果");
    t.backToResultsHint = QStringLiteral("返回搜索结果 (Alt+Up)");
    t.suggestionsName = QStringLiteral("标题中含有这些词的项目");
    return t;
}

// A menu text on one line and without its leading "5. ".
QString plainEntryText(QString text)
{
    text.replace(u'\n', u' ');
    text = text.simplified();
    const qsizetype dot = text.indexOf(QStringLiteral(". "));
    if (dot > 0 && dot <= 2 && text.at(0).isDigit())
        text = text.mid(dot + 2);
    return text;
}

}  // namespace

const FindTexts& FindTextsFor(std::uint8_t language)
{
    static const FindTexts russian = russianTexts();
    static const FindTexts english = englishTexts();
    static const FindTexts chinese = chineseTexts();
    switch (language) {
    case LangRussian: return russian;
    case LangChinese: return chinese;
    default: return english;
    }
}

QString SectionName(std::uint8_t language, std::int32_t category, std::int32_t position)
{
    int entry = -1;
    if (category == 0 && position >= 1 && position <= 3)
        entry = position - 1;
    else if (category >= 1 && category <= 11)
        entry = FirstCategoryEntry + category - 1;
    if (entry < 0)
        return QString();
    if (language == LangChinese)
        return ChineseMenuTexts()[entry];
    return plainEntryText(MainWindowTextsFor(language).menu[entry]);
}
