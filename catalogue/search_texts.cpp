#include "search_texts.h"

#include "interface_texts.h"
#include "languages.h"

namespace {

// The category list names the categories as the menu entries do.
QStringList CategoryNames(std::uint8_t language)
{
    const auto& menu = MainWindowTextsFor(language).menu;
    return QStringList(menu.begin() + FirstCategoryEntry, menu.end());
}

SearchWindowTexts RussianTexts()
{
    SearchWindowTexts t;
    t.caption = QStringLiteral("Поиск проектов в каталоге");
    t.lblTitle = QStringLiteral("Название проекта");
    t.lblOrg = QStringLiteral("Организация-разработчик");
    t.lblCat = QStringLiteral("Категория");
    t.lblFIO = QStringLiteral("Ф.И.О. контактного лица");
    t.lblAdr = QStringLiteral("Адрес (телефон, факс,\ne-mail, Интернет-сайт)");
    t.lblDep = QStringLiteral("Отделение");
    t.lblSort = QStringLiteral("Сортировка по");
    t.cmdFind = QStringLiteral("Найти");
    t.cmdClose = QStringLiteral("Закрыть окно");
    t.lblResults = QStringLiteral("Результаты поиска");
    t.lblFounded = QStringLiteral("Найдено проектов:");
    t.lblDBTitle = QStringLiteral("Название проекта");
    t.lblDBOrg = QStringLiteral("Организация-разработчик\n(адрес, телефон, e-mail, сайт)");
    t.lblDBFIO = QStringLiteral("Ф.И.О. контактного лица");
    t.lblDBCat = QStringLiteral("Категория");
    t.lblOpenProj = QStringLiteral("Открыть проект >>");
    t.versionName = QStringLiteral("Версия");
    t.sortItems = {QStringLiteral("по отделениям"), QStringLiteral("по категориям"),
                   QStringLiteral("контактному лицу")};
    t.departmentItems = {
        QStringLiteral("Все отделения"),
        QStringLiteral("1. Отделение аграрных наук"),
        QStringLiteral("2. Отделение биологических наук"),
        QStringLiteral("3. Отделение гуманитарных наук и искусств"),
        QStringLiteral("4. Отделение медицинских наук"),
        QStringLiteral("5. Отделение физики, математики и информатики"),
        QStringLiteral("6. Отделение физико-технических наук"),
        QStringLiteral("7. Отделение химии и наук о Земле"),
    };
    t.categoryItems = QStringList{QStringLiteral("Все категории")} + CategoryNames(LangRussian);
    return t;
}

SearchWindowTexts EnglishTexts()
{
    SearchWindowTexts t;
    t.caption = QStringLiteral("Search projects in the catalogue");
    t.lblTitle = QStringLiteral("Title");
    t.lblOrg = QStringLiteral("Developer");
    t.lblCat = QStringLiteral("Category");
    t.lblFIO = QStringLiteral("Contanct person");
    t.lblAdr = QStringLiteral("Contact information (tel, fax,\ne-mail, Web-site)");
    t.lblDep = QStringLiteral("Department");
    t.lblSort = QStringLiteral("Sort");
    t.cmdFind = QStringLiteral("Find");
    t.cmdClose = QStringLiteral("Close this window");
    t.lblResults = QStringLiteral("Search results");
    t.lblFounded = QStringLiteral("Projects founded:");
    t.lblDBTitle = QStringLiteral("Title");
    t.lblDBOrg = QStringLiteral("Developer\n(address, tel, e-mail, Web-site)");
    t.lblDBFIO = QStringLiteral("Contact person");
    t.lblDBCat = QStringLiteral("Category");
    t.lblOpenProj = QStringLiteral("Open project >>");
    t.versionName = QStringLiteral("Version");
    t.sortItems = {QStringLiteral("by departments"), QStringLiteral("by categories"),
                   QStringLiteral("by contanct person")};
    t.departmentItems = {
        QStringLiteral("All departments"),
        QStringLiteral("1. The Department of Agrarian Sciences"),
        QStringLiteral("2. The Department of Biological Sciences"),
        QStringLiteral("3. The Department of Humanitarian Sciences and Arts"),
        QStringLiteral("4. The Department of Medical Sciences"),
        QStringLiteral("5. The Department of Physics, Mathematics and Informatics"),
        QStringLiteral("6. The Department of Physical-Engineering Sciences"),
        QStringLiteral("7. The Department of Chemistry and Earth Sciences"),
    };
    t.categoryItems = QStringList{QStringLiteral("All categories")} + CategoryNames(LangEnglish);
    return t;
}

}  // namespace

const SearchWindowTexts* SearchWindowTextsFor(std::uint8_t language)
{
    static const SearchWindowTexts russian = RussianTexts();
    static const SearchWindowTexts english = EnglishTexts();
    switch (language) {
    case LangRussian: return &russian;
    case LangEnglish: return &english;
    default: return nullptr;
    }
}
