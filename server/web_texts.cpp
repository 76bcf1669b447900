#include "web_texts.h"

#include "find_texts.h"
#include "interface_texts.h"
#include "languages.h"

namespace {

WebTexts RussianTexts()
{
    const MainWindowTexts& desktop = MainWindowTextsFor(LangRussian);
    WebTexts t;
    t.languageNavigation = QStringLiteral("Язык");
    t.menuNavigation = QStringLiteral("Меню каталога");
    t.pageFrame = QStringLiteral("Страница каталога");
    t.previous = desktop.cmdPrev;
    t.next = desktop.cmdNext;
    t.goToCaption = desktop.lblOpenProj;
    t.goToButton = desktop.cmdGoTo;
    t.goToHint = QStringLiteral("Номер категории и проекта через точку, например 5.12");
    t.findLabel = FindTextsFor(LangRussian).cataloguePlaceholder;
    t.findButton = QStringLiteral("Найти");
    t.criteriaSearch = desktop.cmdSearchDB;
    t.suggestions = QStringLiteral("Подходящие проекты");
    t.notFound = QStringLiteral("Такой страницы в каталоге нет.");
    t.badValue = QStringLiteral("Недопустимое значение параметра %1.");
    t.projectsRange = QStringLiteral("Проекты %1–%2 из %3");
    t.previousResults = QStringLiteral("Предыдущие %1");
    t.criteriaNotOffered = QStringLiteral("Поиск по критериям есть на русском и английском языках.");
    t.searchFailed = QStringLiteral("Поиск не удался: %1");
    t.serverBusy = QStringLiteral("Сервер занят, повторите попытку позже.");
    return t;
}

WebTexts EnglishTexts()
{
    const MainWindowTexts& desktop = MainWindowTextsFor(LangEnglish);
    WebTexts t;
    t.languageNavigation = QStringLiteral("Language");
    t.menuNavigation = QStringLiteral("Catalogue menu");
    t.pageFrame = QStringLiteral("Catalogue page");
    t.previous = desktop.cmdPrev;
    t.next = desktop.cmdNext;
    t.goToCaption = desktop.lblOpenProj;
    t.goToButton = desktop.cmdGoTo;
    t.goToHint = QStringLiteral("Category and project number, dot separated, for example 5.12");
    t.findLabel = FindTextsFor(LangEnglish).cataloguePlaceholder;
    t.findButton = QStringLiteral("Find");
    t.criteriaSearch = desktop.cmdSearchDB;
    t.suggestions = QStringLiteral("Matching projects");
    t.notFound = QStringLiteral("There is no such page in the catalogue.");
    t.badValue = QStringLiteral("The value of %1 is not valid.");
    t.projectsRange = QStringLiteral("Projects %1–%2 of %3");
    t.previousResults = QStringLiteral("Previous %1");
    t.criteriaNotOffered = QStringLiteral("The criteria search is offered in Russian and English.");
    t.searchFailed = QStringLiteral("The search failed: %1");
    t.serverBusy = QStringLiteral("The server is busy; please try again later.");
    return t;
}

WebTexts ChineseTexts()
{
    WebTexts t;
    t.languageNavigation = QStringLiteral("语言");
    t.menuNavigation = QStringLiteral("目录菜单");
    t.pageFrame = QStringLiteral("目录页面");
    t.previous = QStringLiteral("上一个");
    t.next = QStringLiteral("下一个");
    t.goToCaption = QStringLiteral("打开项目");
    t.goToButton = QStringLiteral("插入");
    t.goToHint = QStringLiteral("类别号和项目号，以点分隔，例如 5.12");
    t.findLabel = FindTextsFor(LangChinese).cataloguePlaceholder;
    t.findButton = QStringLiteral("查找");
    t.criteriaSearch = QStringLiteral("搜索");
    t.suggestions = QStringLiteral("匹配的项目");
    t.notFound = QStringLiteral("目录中没有此页面。");
    t.badValue = QStringLiteral("参数 %1 的值无效。");
    t.projectsRange = QStringLiteral("第 %1–%2 个项目，共 %3 个");
    t.previousResults = QStringLiteral("上 %1 个");
    t.criteriaNotOffered = QStringLiteral("按条件搜索仅提供俄文和英文版本。");
    t.searchFailed = QStringLiteral("搜索失败：%1");
    t.serverBusy = QStringLiteral("服务器繁忙，请稍后再试。");
    return t;
}

}  // namespace

const WebTexts& WebTextsFor(std::uint8_t language)
{
    static const WebTexts russian = RussianTexts();
    static const WebTexts english = EnglishTexts();
    static const WebTexts chinese = ChineseTexts();
    switch (language) {
    case LangRussian: return russian;
    case LangChinese: return chinese;
    default: return english;
    }
}
