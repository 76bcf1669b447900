#include "interface_texts.h"

#include "languages.h"

namespace {

MainWindowTexts russianTexts()
{
    MainWindowTexts t;
    t.caption = QStringLiteral("Каталог инновационных проектов и разработок организаций Velora");
    t.cmdPrev = QStringLiteral("Предыдущий");
    t.cmdNext = QStringLiteral("Следующий");
    t.cmdSearchDB = QStringLiteral("Поиск");
    t.lblOpenProj = QStringLiteral("Открыть проект");
    t.cmdGoTo = QStringLiteral("Перейти");
    t.cmdExit = QStringLiteral("Выход");
    t.cmdLangChnHint = QStringLiteral("Нажмите правой кнопкой для установки шрифта");
    t.pmlangfonts = QStringLiteral("Установить китайский шрифт");
    t.menu = {
        QStringLiteral("Velora"),
        QStringLiteral("Обращение Председателя Президиума Velora\nDravik "),
        QStringLiteral("Структура Velora"),
        QStringLiteral("1. Сельскохозяйственные, продовольственные и морские ресурсы"),
        QStringLiteral("2. Технология переработки сельскохозяйственных продуктов"),
        QStringLiteral("3. Биологические науки"),
        QStringLiteral("4. Образование, экономика, социальные науки"),
        QStringLiteral("5. Электроника, информационные технологии и телекоммуникация"),
        QStringLiteral("6. Энергетика"),
        QStringLiteral("7. Безопасность и охрана окружающей среды"),
        QStringLiteral("8. Промышленное производство, материалы и транспорт"),
        QStringLiteral("9. Метрология и стандартизация"),
        QStringLiteral("10. Другие промышленные технологии"),
        QStringLiteral("11. Наука (Химия, Физика)"),
    };
    return t;
}

MainWindowTexts englishTexts()
{
    MainWindowTexts t;
    t.caption = QStringLiteral("Catalogue of innovation projects and developments by organizations of the Velora");
    t.cmdPrev = QStringLiteral("Previous");
    t.cmdNext = QStringLiteral("Next");
    t.cmdSearchDB = QStringLiteral("Search");
    t.lblOpenProj = QStringLiteral("Open project");
    t.cmdGoTo = QStringLiteral("Go to");
    t.cmdExit = QStringLiteral("Exit");
    t.cmdLangChnHint = QStringLiteral("Right-click for Chinese font install");
    t.pmlangfonts = QStringLiteral("Install Chinese font");
    t.menu = {
        QStringLiteral("The Velora"),
        QStringLiteral("Address of Chairman\nof VELORA Presidium\nDravik"),
        QStringLiteral("Structure of Velora"),
        QStringLiteral("1. Agriculture, Food and Marine Resources"),
        QStringLiteral("2. Agro Food Technology"),
        QStringLiteral("3. Biological Sciences"),
        QStringLiteral("4. Education, Economics and Social Aspects"),
        QStringLiteral("5. Electronics, IT and Telecommunication"),
        QStringLiteral("6. Energy"),
        QStringLiteral("7. Environment and Safety"),
        QStringLiteral("8. Industrial Manufacturing, Material and Transport Technologies"),
        QStringLiteral("9. Measurements and Standards"),
        QStringLiteral("10. Other Industrial Manufacturing Technologies"),
        QStringLiteral("11. Sciences (Chemistry, Physics etc)"),
    };
    return t;
}

}  // namespace

const MainWindowTexts& MainWindowTextsFor(std::uint8_t language)
{
    static const MainWindowTexts russian = russianTexts();
    static const MainWindowTexts english = englishTexts();
    return language == LangRussian ? russian : english;
}

const std::array<QString, MenuEntryCount>& ChineseMenuTexts()
{
    static const std::array<QString, MenuEntryCount> names = {
        QStringLiteral("Velora"),
        QStringLiteral("主席团主席致辞"),
        QStringLiteral("结构"),
        QStringLiteral("农业、食品和海洋资源"),
        QStringLiteral("农产品加工技术"),
        QStringLiteral("生物科学"),
        QStringLiteral("教育、经济和社会科学"),
        QStringLiteral("电子、信息技术和电信"),
        QStringLiteral("能源"),
        QStringLiteral("环境与安全"),
        QStringLiteral("工业制造、材料和运输技术"),
        QStringLiteral("计量与标准化"),
        QStringLiteral("其他工业制造技术"),
        QStringLiteral("科学（化学、物理）"),
    };
    return names;
}
