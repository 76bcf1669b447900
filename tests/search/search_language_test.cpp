// The search window's texts and lists per language.
#include <gtest/gtest.h>

#include "search_fixture.h"

#include "ui_frmsearch.h"

namespace {

struct TextCase {
    const char* control;
    const char* russian;
    const char* english;
};

const TextCase Texts[] = {
    {"frmSearch", "Поиск проектов в каталоге", "Search projects in the catalogue"},
    {"lblTitle", "Название проекта", "Title"},
    {"lblOrg", "Организация-разработчик", "Developer"},
    {"lblCat", "Категория", "Category"},
    {"lblFIO", "Ф.И.О. контактного лица", "Contanct person"},
    {"lblAdr", "Адрес (телефон, факс,\ne-mail, Интернет-сайт)", "Contact information (tel, fax,\ne-mail, Web-site)"},
    {"lblDep", "Отделение", "Department"},
    {"lblSort", "Сортировка по", "Sort"},
    {"cmdFind", "Найти", "Find"},
    {"cmdClose", "Закрыть окно", "Close this window"},
    {"lblResults", "Результаты поиска", "Search results"},
    {"lblFounded", "Найдено проектов:", "Projects founded:"},
    {"lblDBTitle", "Название проекта", "Title"},
    {"lblDBOrg", "Организация-разработчик\n(адрес, телефон, e-mail, сайт)",
     "Developer\n(address, tel, e-mail, Web-site)"},
    {"lblDBFIO", "Ф.И.О. контактного лица", "Contact person"},
    {"lblDBCat", "Категория", "Category"},
    {"lblOpenProj", "Открыть проект >>", "Open project >>"},
};

QString TextOf(QWidget* window, const char* name)
{
    if (window->objectName() == QLatin1String(name))
        return window->windowTitle();
    QWidget* control = window->findChild<QWidget*>(QLatin1String(name));
    if (!control)
        return QStringLiteral("<missing>");
    return control->property("text").toString();
}

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

TEST_F(SearchWindowTest, RussianAndEnglishTexts)
{
    for (std::uint8_t language : {LangEnglish, LangRussian}) {
        session.CurrentLanguage = language;
        search->ApplyLanguage();
        for (const TextCase& text : Texts)
            EXPECT_EQ(TextOf(search, text.control),
                      QString::fromUtf8(language == LangRussian ? text.russian : text.english))
                << text.control << " in language " << int(language);
        // The address box's tooltip is the same in every language.
        EXPECT_EQ(search->controls().tAddress->toolTip(),
                  QStringLiteral("Номера телефонов вводить в формате +XX-XX-XXXXXX"));
    }
}

TEST_F(SearchWindowTest, ListsAreRefilledInOrder)
{
    Ui::frmSearch& ui = search->controls();
    session.CurrentLanguage = LangEnglish;
    search->ApplyLanguage();
    EXPECT_EQ(Items(ui.lstSort),
              QStringList({QStringLiteral("by departments"), QStringLiteral("by categories"),
                           QStringLiteral("by contanct person")}));
    ASSERT_EQ(ui.tDepNum->count(), 8);
    EXPECT_EQ(ui.tDepNum->itemText(0), QStringLiteral("All departments"));
    EXPECT_EQ(ui.tDepNum->itemText(7), QStringLiteral("7. The Department of Chemistry and Earth Sciences"));
    ASSERT_EQ(ui.tCat->count(), 12);
    EXPECT_EQ(ui.tCat->itemText(0), QStringLiteral("All categories"));
    EXPECT_EQ(ui.tCat->itemText(11), QStringLiteral("11. Sciences (Chemistry, Physics etc)"));
    for (int k = 1; k <= 11; ++k)
        EXPECT_TRUE(ui.tCat->itemText(k).startsWith(QString::number(k) + QStringLiteral(". "))) << k;

    session.CurrentLanguage = LangRussian;
    search->ApplyLanguage();
    EXPECT_EQ(Items(ui.lstSort),
              QStringList({QStringLiteral("по отделениям"), QStringLiteral("по категориям"),
                           QStringLiteral("контактному лицу")}));
    ASSERT_EQ(ui.tDepNum->count(), 8);
    EXPECT_EQ(ui.tDepNum->itemText(6), QStringLiteral("6. Отделение физико-технических наук"));
    ASSERT_EQ(ui.tCat->count(), 12);
    EXPECT_EQ(ui.tCat->itemText(5), QStringLiteral("5. Электроника, информационные технологии и телекоммуникация"));
}

TEST_F(SearchWindowTest, EveryLanguageResetsTheListsAndTextLanguagesEmptyTheTitle)
{
    Ui::frmSearch& ui = search->controls();
    for (std::uint8_t language : {LangEnglish, LangChinese, LangRussian}) {
        ui.tTitle->setText(QStringLiteral("насос"));
        ui.tOrgName->setText(QStringLiteral("институт"));
        ui.tResp->setText(QStringLiteral("ов"));
        ui.tAddress->setText(QStringLiteral("факс"));
        ui.tCat->setCurrentIndex(3);
        ui.tDepNum->setCurrentIndex(2);
        ui.lstSort->setCurrentIndex(2);
        const QString caption = search->windowTitle();
        session.CurrentLanguage = language;
        search->ApplyLanguage();
        EXPECT_EQ(ui.tCat->currentIndex(), 0);
        EXPECT_EQ(ui.tDepNum->currentIndex(), 0);
        EXPECT_EQ(ui.lstSort->currentIndex(), 0);
        EXPECT_EQ(ui.tTitle->text(), language == LangChinese ? QStringLiteral("насос") : QString());
        EXPECT_EQ(ui.tOrgName->text(), QStringLiteral("институт"));
        EXPECT_EQ(ui.tResp->text(), QStringLiteral("ов"));
        EXPECT_EQ(ui.tAddress->text(), QStringLiteral("факс"));
        if (language == LangChinese) {
            // Chinese sets no text: the English ones stay.
            EXPECT_EQ(search->windowTitle(), caption);
            EXPECT_EQ(ui.cmdFind->text(), QStringLiteral("Find"));
            EXPECT_EQ(ui.tCat->itemText(0), QStringLiteral("All categories"));
        }
    }
}

}  // namespace
