// The interface languages on a real window: every text per language, the menu layouts, Chinese
// mode's pictures, the language buttons and the font installer command.
#include "font_installer.h"
#include "jpeg_picture.h"
#include "language_texts.h"
#include "main_window_under_test.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TextCase {
    const char* control;
    const char* russian;
    const char* english;
};

// Texts shown by the labels and buttons of the main window.
const TextCase controlTexts[] = {
    {"cmdPrev", "Предыдущий", "Previous"},
    {"cmdNext", "Следующий", "Next"},
    {"cmdSearchDB", "Поиск", "Search"},
    {"lblOpenProj", "Открыть проект", "Open project"},
    {"cmdGoTo", "Перейти", "Go to"},
    {"cmdExit", "Выход", "Exit"},
    {"cmdLangRus", "Русский", "Русский"},
    {"cmdLang", "English", "English"},
    {"menu0", "Velora", "The Velora"},
    {"menu02", "Обращение Председателя Президиума Velora\nDravik ", "Address of Chairman\nof VELORA Presidium\nDravik"},
    {"menu03", "Структура Velora", "Structure of Velora"},
    {"menu1", "1. Сельскохозяйственные, продовольственные и морские ресурсы",
     "1. Agriculture, Food and Marine Resources"},
    {"menu2", "2. Технология переработки сельскохозяйственных продуктов", "2. Agro Food Technology"},
    {"menu3", "3. Биологические науки", "3. Biological Sciences"},
    {"menu4", "4. Образование, экономика, социальные науки", "4. Education, Economics and Social Aspects"},
    {"menu5", "5. Электроника, информационные технологии и телекоммуникация",
     "5. Electronics, IT and Telecommunication"},
    {"menu6", "6. Энергетика", "6. Energy"},
    {"menu7", "7. Безопасность и охрана окружающей среды", "7. Environment and Safety"},
    {"menu8", "8. Промышленное производство, материалы и транспорт",
     "8. Industrial Manufacturing, Material and Transport Technologies"},
    {"menu9", "9. Метрология и стандартизация", "9. Measurements and Standards"},
    {"menu10", "10. Другие промышленные технологии", "10. Other Industrial Manufacturing Technologies"},
    {"menu11", "11. Наука (Химия, Физика)", "11. Sciences (Chemistry, Physics etc)"},
};

const char* russianCaption = "Каталог инновационных проектов и разработок организаций Velora";
const char* englishCaption = "Catalogue of innovation projects and developments by organizations of the Velora";

QString TextOf(TForm1& form, const char* name)
{
    QWidget* widget = form.findChild<QWidget*>(QLatin1String(name));
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    ADD_FAILURE() << "no text control " << name;
    return QString();
}

QAction* FontItem(TForm1& form) { return form.PopupMenu1->findChild<QAction*>(QStringLiteral("pmlangfonts")); }

bool SamePicture(const QIcon& icon, const QString& path)
{
    const QPixmap picture = LoadPicture(path);
    return icon.pixmap(picture.size()).toImage().convertToFormat(QImage::Format_ARGB32) ==
        picture.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Right-clicks the Chinese button and says whether a pop-up menu opened.
bool RightClickOpensFontMenu(MainWindowUnderTest& w)
{
    QPushButton* button = w.ui().cmdLangChn;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), button->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(button, &event);
    const bool opened = w.form->PopupMenu1->isVisible();
    w.form->PopupMenu1->hide();
    return opened;
}

void ExpectTextMode(MainWindowUnderTest& w, bool russian)
{
    for (const TextCase& c : controlTexts)
        EXPECT_EQ(TextOf(*w.form, c.control), QString::fromUtf8(russian ? c.russian : c.english)) << c.control;
    EXPECT_EQ(w.form->windowTitle(), QString::fromUtf8(russian ? russianCaption : englishCaption));
    EXPECT_EQ(w.ui().cmdLangChn->toolTip(),
              russian ? QStringLiteral("Нажмите правой кнопкой для установки шрифта")
                      : QStringLiteral("Right-click for Chinese font install"));
    EXPECT_EQ(FontItem(*w.form)->text(),
              russian ? QStringLiteral("Установить китайский шрифт") : QStringLiteral("Install Chinese font"));
    EXPECT_TRUE(SamePicture(QIcon(w.ui().title->pixmap()), TitlePicturePath(russian ? LangRussian : LangEnglish)));
    for (QPushButton* button : {w.ui().cmdPrev, w.ui().cmdNext, w.ui().cmdSearchDB, w.ui().cmdGoTo, w.ui().cmdExit}) {
        EXPECT_TRUE(button->icon().isNull()) << button->objectName().toStdString();
        EXPECT_FALSE(button->isHidden()) << button->objectName().toStdString();
    }
    EXPECT_FALSE(w.ui().lblOpenProj->isHidden());
    EXPECT_TRUE(w.ui().imgGoTo->isHidden());
    for (QWidget* entry : std::initializer_list<QWidget*>{w.ui().menu0, w.ui().menu02, w.ui().menu6, w.ui().menu11,
                                                          w.ui().Shape1, w.ui().Shape13})
        EXPECT_FALSE(entry->isHidden()) << entry->objectName().toStdString();
    for (QWidget* picture : std::initializer_list<QWidget*>{w.ui().imgmch0, w.ui().imgmch01, w.ui().imgmch02,
                                                            w.ui().imgmch5, w.ui().imgmch11})
        EXPECT_TRUE(picture->isHidden()) << picture->objectName().toStdString();
    EXPECT_TRUE(RightClickOpensFontMenu(w));
    // The Chinese button keeps its picture and stays shown in every language.
    EXPECT_TRUE(SamePicture(w.ui().cmdLangChn->icon(), ChineseWordPicturePath()));
}

void ExpectChineseMode(MainWindowUnderTest& w)
{
    EXPECT_EQ(w.form->windowTitle(), QString::fromUtf8(englishCaption));
    EXPECT_TRUE(w.ui().cmdSearchDB->isHidden());
    EXPECT_TRUE(w.ui().lblOpenProj->isHidden());
    EXPECT_FALSE(w.ui().imgGoTo->isHidden());
    EXPECT_TRUE(SamePicture(QIcon(w.ui().title->pixmap()), TitlePicturePath(LangChinese)));
    struct ButtonCase {
        QPushButton* button;
        int slot;
    };
    for (const ButtonCase& b : {ButtonCase{w.ui().cmdPrev, SlotPrevious}, ButtonCase{w.ui().cmdNext, SlotNext},
                                ButtonCase{w.ui().cmdGoTo, SlotInsert}, ButtonCase{w.ui().cmdExit, SlotExit}}) {
        EXPECT_TRUE(b.button->text().isEmpty()) << b.button->objectName().toStdString();
        EXPECT_EQ(b.button->iconSize(), QSize(70, 20));
        EXPECT_TRUE(SamePicture(b.button->icon(), ChineseButtonPicturePath(b.slot)))
            << b.button->objectName().toStdString();
    }
    EXPECT_TRUE(w.ui().cmdLangChn->toolTip().isEmpty());
    EXPECT_FALSE(RightClickOpensFontMenu(w));
    EXPECT_TRUE(w.ui().Image1->toolTip().isEmpty());
    for (QWidget* entry : std::initializer_list<QWidget*>{w.ui().menu0, w.ui().menu02, w.ui().menu03, w.ui().menu1,
                                                          w.ui().menu11, w.ui().Shape1, w.ui().Shape2, w.ui().Shape13})
        EXPECT_TRUE(entry->isHidden()) << entry->objectName().toStdString();
    for (QWidget* picture : std::initializer_list<QWidget*>{
             w.ui().imgmch0, w.ui().imgmch01, w.ui().imgmch02, w.ui().imgmch1, w.ui().imgmch2, w.ui().imgmch3,
             w.ui().imgmch4, w.ui().imgmch5, w.ui().imgmch6, w.ui().imgmch7, w.ui().imgmch8, w.ui().imgmch9,
             w.ui().imgmch10, w.ui().imgmch11})
        EXPECT_FALSE(picture->isHidden()) << picture->objectName().toStdString();
    for (QPushButton* button : {w.ui().cmdLangRus, w.ui().cmdLang, w.ui().cmdLangChn})
        EXPECT_FALSE(button->isHidden());
}

TEST(Languages, RussianAtFirstShowingHasEveryRussianText)
{
    MainWindowUnderTest w(LangRussian);
    ExpectTextMode(w, true);
    EXPECT_EQ(w.ui().menu6->y(), 380);
    EXPECT_EQ(w.ui().Shape1->y(), 40);
}

TEST(Languages, EnglishAtFirstShowingHasEnglishTextsAndStackedMenu)
{
    MainWindowUnderTest w(LangEnglish);
    ExpectTextMode(w, false);
    EXPECT_EQ(w.ui().menu02->geometry(), QRect(12, 53, 161, 45));
    EXPECT_EQ(w.ui().menu11->geometry(), QRect(8, 569, 165, 33));
    EXPECT_EQ(w.ui().Shape1->y(), 43);
    EXPECT_EQ(w.ui().menu0->geometry(), QRect(8, 8, 161, 33));
    ASSERT_EQ(w.navigations.size(), 1);
    EXPECT_TRUE(w.navigations.last().endsWith(QStringLiteral("data/00001e.html")));
}

TEST(Languages, EnglishToRussianMovesTheMenuButLeavesTheFirstSeparator)
{
    MainWindowUnderTest w(LangEnglish);
    QTest::mouseClick(w.ui().cmdLangRus, Qt::LeftButton);
    EXPECT_EQ(w.session.CurrentLanguage, LangRussian);
    ExpectTextMode(w, true);
    EXPECT_EQ(w.ui().menu6->geometry(), QRect(8, 380, 165, 21));
    EXPECT_EQ(w.ui().menu5->geometry(), QRect(8, 316, 165, 57));
    EXPECT_EQ(w.ui().Shape2->y(), 92);
    EXPECT_EQ(w.ui().Shape1->y(), 43);
}

TEST(Languages, ToChineseAndBackToEnglish)
{
    MainWindowUnderTest w(LangRussian);
    QTest::mouseClick(w.ui().cmdLangChn, Qt::LeftButton);
    EXPECT_EQ(w.session.CurrentLanguage, LangChinese);
    ExpectChineseMode(w);
    // The hidden labels keep their last texts and places.
    EXPECT_EQ(w.ui().menu6->text(), QStringLiteral("6. Энергетика"));
    EXPECT_EQ(w.ui().menu6->y(), 380);

    QTest::mouseClick(w.ui().cmdLang, Qt::LeftButton);
    EXPECT_EQ(w.session.CurrentLanguage, LangEnglish);
    ExpectTextMode(w, false);
    EXPECT_EQ(w.ui().menu11->y(), 569);
}

TEST(Languages, ChineseChosenAtStartShowsPicturesAndKeepsDesignTexts)
{
    MainWindowUnderTest w(LangChinese);
    ExpectChineseMode(w);
    EXPECT_EQ(w.ui().menu0->text(), QStringLiteral("Velora"));
    EXPECT_TRUE(w.navigations.last().endsWith(QStringLiteral("data/00001c.html")));
}

TEST(Languages, ButtonOfTheLanguageInUseChangesNothing)
{
    for (std::uint8_t language : {LangRussian, LangEnglish, LangChinese}) {
        MainWindowUnderTest w(language);
        w.navigations.clear();
        w.ui().cmdPrev->setText(QStringLiteral("marker"));
        QPushButton* same = language == LangRussian ? w.ui().cmdLangRus
            : language == LangEnglish               ? w.ui().cmdLang
                                                    : w.ui().cmdLangChn;
        QTest::mouseClick(same, Qt::LeftButton);
        EXPECT_EQ(w.session.CurrentLanguage, language);
        EXPECT_TRUE(w.navigations.isEmpty()) << int(language);
        EXPECT_EQ(w.ui().cmdPrev->text(), QStringLiteral("marker")) << int(language);
    }
}

TEST(Languages, ChangeReopensTheSamePositionInTheNewLanguage)
{
    MainWindowUnderTest w(LangRussian);
    w.session.CurrentCategory = 4;
    w.session.CurrentPosition = 2;
    w.navigations.clear();
    w.form->cmdLangClick();
    ASSERT_EQ(w.navigations.size(), 1);
    EXPECT_EQ(w.navigations.last(), QStringLiteral("file://") + w.session.ExeDir + QStringLiteral("data/04002e.html"));
    w.form->cmdLangChnClick();
    EXPECT_TRUE(w.navigations.last().endsWith(QStringLiteral("data/04002c.html")));
    w.form->cmdLangRusClick();
    EXPECT_TRUE(w.navigations.last().endsWith(QStringLiteral("data/04002r.html")));
    EXPECT_EQ(w.navigations.size(), 3);
}

TEST(FontInstaller, RestartNoticeInRussianAndEnglishOnlyEvenWithoutInstaller)
{
    const std::pair<std::uint8_t, const char*> cases[] = {{LangRussian, "Пожалуйста, перезапустите программу"},
                                                          {LangEnglish, "Please, restart a programm"}};
    for (const auto& [language, notice] : cases) {
        MainWindowUnderTest w(language);
        FontItem(*w.form)->trigger();
        EXPECT_EQ(w.messages.texts(), QStringList{QString::fromUtf8(notice)});
    }
    MainWindowUnderTest chinese(LangChinese);
    chinese.form->pmlangfontsClick();
    EXPECT_EQ(chinese.messages.count(), 0);
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(FontInstaller, StartsTheInstallerUnderTheCatalogueFolderAndReadsTheFontsAgain)
{
    MainWindowUnderTest w(LangEnglish);
    QDir(w.folder.path()).mkpath(QStringLiteral("sp"));
    const QString marker = w.folder.path() + QStringLiteral("/sp/installed");
    QFile script(w.folder.path() + QStringLiteral("/sp/chnfont.sh"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("echo noise; echo more noise >&2; touch \"$(dirname \"$0\")/installed\"\n");
    script.close();

    // A font installed after the program's fonts were read: the catalogue's own subset in the
    // font folder of a user data folder that this process takes up only when fontconfig reads
    // its configuration again.
    const QString family = QStringLiteral("Velora CJK Subset");
    const QString subset = testing_support::demoCatalogueDir() + QStringLiteral("/sp/velora-cjk.otf");
    ASSERT_TRUE(QFile::exists(subset)) << "the build made no font subset";
    ASSERT_FALSE(QFontDatabase::families().contains(family));
    QTemporaryDir userData;
    ASSERT_TRUE(QDir(userData.path()).mkpath(QStringLiteral("fonts")));
    ASSERT_TRUE(QFile::copy(subset, userData.path() + QStringLiteral("/fonts/velora-cjk.otf")));
    {
        const ScopedEnvironment data("XDG_DATA_HOME", QFile::encodeName(userData.path()));
        const ScopedEnvironment cache("XDG_CACHE_HOME", QFile::encodeName(userData.path() + QStringLiteral("/cache")));
        ASSERT_FALSE(QFontDatabase::families().contains(family));

        w.form->pmlangfontsClick();
        EXPECT_EQ(w.messages.count(), 1);
        EXPECT_TRUE(QFontDatabase::families().contains(family));
    }
    ReloadFontConfiguration();

    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(marker) && waited.elapsed() < 10000)
        QTest::qWait(20);
    EXPECT_TRUE(QFile::exists(marker));
}

}  // namespace
