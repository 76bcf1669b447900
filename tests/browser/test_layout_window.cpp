// The main window's layout on a real window: the definition's geometry, fonts, stacking and tab
// order, growing the window, the menu toggle and clicks on the menu panel's overlapping controls.
#include "jpeg_picture.h"
#include "language_texts.h"
#include "main_window_under_test.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWebEngineView>

#include <map>

namespace {

struct Place {
    const char* name;
    const char* parent;
    QRect rect;
};

// Every visual control at the design size, relative to its parent.
const std::vector<Place> designPlaces = {
    {"Panel1", "Form1", {0, 0, 1017, 105}},      {"Image2", "Panel1", {8, 5, 157, 97}},
    {"Bevel1", "Panel1", {0, 103, 1017, 2}},     {"title", "Panel1", {176, 4, 829, 97}},
    {"Label25", "Form1", {664, 56, 193, 17}},    {"pMenu", "Form1", {0, 104, 185, 611}},
    {"pWB", "Form1", {188, 104, 819, 567}},      {"Panel2", "pWB", {0, 0, 25, 567}},
    {"Image1", "Panel2", {0, 5, 25, 101}},       {"WebBrowser1", "pWB", {25, 0, 794, 567}},
    {"pBar", "Form1", {188, 674, 821, 41}},      {"cmdPrev", "pBar", {32, 4, 81, 33}},
    {"cmdNext", "pBar", {116, 4, 81, 33}},       {"cmdSearchDB", "pBar", {208, 4, 61, 33}},
    {"lblOpenProj", "pBar", {308, 14, 101, 17}}, {"imgGoTo", "pBar", {348, 12, 65, 25}},
    {"tGoTo", "pBar", {412, 12, 37, 21}},        {"cmdGoTo", "pBar", {452, 4, 81, 33}},
    {"cmdLangRus", "pBar", {548, 4, 57, 33}},    {"cmdLang", "pBar", {608, 4, 57, 33}},
    {"cmdLangChn", "pBar", {668, 4, 57, 33}},    {"cmdExit", "pBar", {744, 4, 77, 33}},
    {"menu0", "pMenu", {8, 8, 161, 33}},         {"menu02", "pMenu", {12, 48, 161, 45}},
    {"menu03", "pMenu", {12, 100, 157, 21}},     {"menu1", "pMenu", {8, 132, 161, 45}},
    {"menu2", "pMenu", {8, 184, 165, 45}},       {"menu3", "pMenu", {8, 236, 144, 21}},
    {"menu4", "pMenu", {8, 264, 165, 45}},       {"menu5", "pMenu", {8, 316, 165, 57}},
    {"menu6", "pMenu", {8, 368, 165, 21}},       {"menu7", "pMenu", {8, 408, 165, 33}},
    {"menu8", "pMenu", {8, 448, 165, 45}},       {"menu9", "pMenu", {8, 500, 165, 33}},
    {"menu10", "pMenu", {8, 540, 165, 33}},      {"menu11", "pMenu", {8, 580, 165, 17}},
    {"Shape1", "pMenu", {8, 40, 165, 1}},        {"Shape2", "pMenu", {8, 92, 165, 1}},
    {"Shape3", "pMenu", {8, 120, 165, 1}},       {"Shape4", "pMenu", {8, 176, 165, 1}},
    {"Shape5", "pMenu", {8, 228, 165, 1}},       {"Shape6", "pMenu", {8, 256, 165, 1}},
    {"Shape7", "pMenu", {8, 308, 165, 1}},       {"Shape8", "pMenu", {8, 372, 165, 1}},
    {"Shape9", "pMenu", {8, 400, 165, 1}},       {"Shape10", "pMenu", {8, 440, 165, 1}},
    {"Shape11", "pMenu", {8, 492, 165, 1}},      {"Shape12", "pMenu", {8, 532, 165, 1}},
    {"Shape13", "pMenu", {8, 572, 165, 1}},      {"Image4", "pMenu", {8, 8, 165, 25}},
    {"imgmch0", "pMenu", {8, 8, 165, 41}},       {"imgmch01", "pMenu", {8, 52, 165, 41}},
    {"imgmch02", "pMenu", {8, 92, 165, 61}},     {"imgmch1", "pMenu", {8, 168, 165, 41}},
    {"imgmch2", "pMenu", {8, 208, 165, 41}},     {"imgmch3", "pMenu", {8, 248, 165, 25}},
    {"imgmch4", "pMenu", {8, 272, 165, 41}},     {"imgmch5", "pMenu", {8, 312, 165, 61}},
    {"imgmch6", "pMenu", {8, 372, 165, 25}},     {"imgmch7", "pMenu", {8, 396, 165, 41}},
    {"imgmch8", "pMenu", {8, 436, 165, 45}},     {"imgmch9", "pMenu", {8, 480, 165, 45}},
    {"imgmch10", "pMenu", {8, 524, 165, 41}},    {"imgmch11", "pMenu", {8, 568, 165, 41}},
};

QWidget* control(TForm1& form, const char* name)
{
    if (form.objectName() == QLatin1String(name))
        return &form;
    return form.findChild<QWidget*>(QLatin1String(name));
}

bool SamePicture(const QPixmap& shown, const QString& path)
{
    return shown.toImage().convertToFormat(QImage::Format_ARGB32) ==
        LoadPicture(path).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(MainWindowDefinition, EveryControlHasItsParentAndPlace)
{
    MainWindowUnderTest w(LangNone, false);
    EXPECT_EQ(w.form->size(), QSize(1016, 716));
    for (const Place& place : designPlaces) {
        QWidget* widget = control(*w.form, place.name);
        ASSERT_NE(widget, nullptr) << place.name;
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(place.parent)) << place.name;
        EXPECT_EQ(widget->geometry(), place.rect) << place.name;
    }
}

TEST(MainWindowDefinition, HiddenControlsFontsAndCursors)
{
    MainWindowUnderTest w(LangNone, false);
    for (const char* hidden :
         {"Label25", "imgGoTo", "imgmch0", "imgmch01", "imgmch02", "imgmch1", "imgmch5", "imgmch11"})
        EXPECT_TRUE(control(*w.form, hidden)->isHidden()) << hidden;
    for (const char* shown : {"Image4", "menu0", "Shape1", "lblOpenProj", "cmdSearchDB"})
        EXPECT_FALSE(control(*w.form, shown)->isHidden()) << shown;

    // One 11-pixel face everywhere, bold where the definition says so.
    for (const char* bold : {"menu0", "menu1", "menu3", "menu11", "lblOpenProj"}) {
        EXPECT_TRUE(control(*w.form, bold)->font().bold()) << bold;
        EXPECT_EQ(control(*w.form, bold)->font().pixelSize(), 11) << bold;
    }
    for (const char* regular : {"menu02", "menu03", "cmdPrev", "tGoTo", "Label25"}) {
        EXPECT_FALSE(control(*w.form, regular)->font().bold()) << regular;
        EXPECT_EQ(control(*w.form, regular)->font().pixelSize(), 11) << regular;
    }
    for (const char* hand : {"menu0", "menu7", "Image4", "imgmch3", "Image1"})
        EXPECT_EQ(control(*w.form, hand)->cursor().shape(), Qt::PointingHandCursor) << hand;
    EXPECT_FALSE(w.ui().menu3->wordWrap());
    EXPECT_FALSE(w.ui().menu6->wordWrap());
    EXPECT_TRUE(w.ui().menu11->wordWrap());
    EXPECT_EQ(w.ui().tGoTo->maxLength(), 5);
    EXPECT_EQ(w.ui().tGoTo->text(), QStringLiteral("1.1"));
    EXPECT_FALSE(w.form->windowIcon().isNull());
}

TEST(MainWindowDefinition, MenuPanelStacksItsControlsFromBottomToTop)
{
    MainWindowUnderTest w(LangNone, false);
    const QStringList expected =
        QStringLiteral(
            "menu0 menu1 menu2 menu3 menu4 menu5 menu6 menu7 menu8 menu9 menu10 menu11 Shape4 Shape5 Shape6 Shape7 "
            "Shape8 Shape9 Shape10 Shape11 Shape12 Shape13 menu03 Shape1 menu02 Shape2 Shape3 imgmch8 imgmch11 Image4 "
            "imgmch0 imgmch10 imgmch9 imgmch7 imgmch6 imgmch5 imgmch4 imgmch3 imgmch2 imgmch1 imgmch02 imgmch01")
            .split(u' ');
    QStringList order;
    for (QObject* child : w.ui().pMenu->children())
        if (child->isWidgetType())
            order << child->objectName();
    EXPECT_EQ(order, expected);
}

TEST(MainWindowDefinition, TabOrderRunsThroughViewAndBar)
{
    // Shown, so the engine has made its view's inner widget and placed the view on screen (which
    // moves it in the focus chain).
    MainWindowUnderTest w(LangRussian);
    QWidget* view = w.form->WebBrowser1->view();
    ASSERT_NE(view->focusProxy(), nullptr) << "the engine's inner widget";
    auto nameOf = [&](QWidget* at) {
        return at == view              ? QStringLiteral("view")
            : at == view->focusProxy() ? QStringLiteral("page")
                                       : at->objectName();
    };
    const QStringList expected =
        QStringLiteral(
            "WebBrowser1 view page tGoTo cmdSearchDB cmdNext cmdPrev cmdGoTo cmdExit cmdLang cmdLangRus cmdLangChn")
            .split(u' ');
    QStringList order;
    QWidget* at = w.ui().WebBrowser1;
    for (int step = 0; step < 200 && order.size() < expected.size(); ++step, at = at->nextInFocusChain())
        if (expected.contains(nameOf(at)) && !order.contains(nameOf(at)))
            order << nameOf(at);
    EXPECT_EQ(order, expected);
}

// Places of every control of the window, by name.
std::map<QString, QRect> PlacesOf(TForm1& form)
{
    std::map<QString, QRect> places;
    for (const Place& place : designPlaces)
        places[QLatin1String(place.name)] = control(form, place.name)->geometry();
    return places;
}

TEST(MainWindowResizing, OnlyTheAnchoredPanelsFollowTheGrowingWindow)
{
    MainWindowUnderTest w(LangRussian);
    const std::map<QString, QRect> before = PlacesOf(*w.form);
    const QSize design = w.form->size();
    for (const QSize& delta : {QSize(120, 70), QSize(0, 33), QSize(57, 0)}) {
        w.form->resize(design + delta);
        ASSERT_EQ(w.form->size(), design + delta);
        const int dx = delta.width();
        const int dy = delta.height();
        std::map<QString, QRect> expected = before;
        expected["Panel1"].adjust(0, 0, dx, 0);
        expected["Bevel1"].adjust(0, 0, dx, 0);
        expected["title"].adjust(0, 0, dx, 0);
        expected["pMenu"].adjust(0, 0, 0, dy);
        expected["pWB"].adjust(0, 0, dx, dy);
        expected["Panel2"].adjust(0, 0, 0, dy);
        expected["WebBrowser1"].adjust(0, 0, dx, dy);
        expected["pBar"].adjust(0, dy, dx, dy);
        const std::map<QString, QRect> after = PlacesOf(*w.form);
        for (const auto& [name, rect] : expected)
            EXPECT_EQ(after.at(name), rect) << name.toStdString() << " after growing by " << dx << "," << dy;
    }
    w.form->resize(design);
    EXPECT_EQ(PlacesOf(*w.form), before);
}

TEST(MainWindowResizing, TitleStaysCentredAndShrinksOnlyWhenTooNarrow)
{
    MainWindowUnderTest w(LangRussian);
    QLabel* title = w.ui().title;
    EXPECT_TRUE(title->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(title->pixmap().size(), QSize(700, 90));
    w.form->resize(800, 600);
    ASSERT_LT(title->width(), 700);
    EXPECT_EQ(title->pixmap().width(), title->width());
    EXPECT_EQ(title->pixmap().height(), 90 * title->width() / 700);
    w.form->resize(1100, 716);
    EXPECT_EQ(title->pixmap().size(), QSize(700, 90));
}

TEST(MainWindowResizing, CannotBeMadeSmallerThan800By600WithItsFrame)
{
    MainWindowUnderTest w(LangRussian);
    w.form->resize(500, 300);
    const QSize frame = w.form->frameGeometry().size() - w.form->size();
    EXPECT_EQ(w.form->size() + frame, QSize(800, 600));
}

TEST(MenuToggle, HidesAndShowsTheMenuMovingViewAndBar)
{
    MainWindowUnderTest w(LangRussian);
    QTest::mouseClick(w.ui().Image1, Qt::LeftButton);
    EXPECT_FALSE(w.session.MenuVisible);
    EXPECT_TRUE(w.ui().pMenu->isHidden());
    EXPECT_EQ(w.ui().pWB->geometry(), QRect(4, 104, 1008, 567));
    EXPECT_EQ(w.ui().pBar->geometry(), QRect(4, 674, 821, 41));

    QTest::mouseClick(w.ui().Image1, Qt::LeftButton);
    EXPECT_TRUE(w.session.MenuVisible);
    EXPECT_FALSE(w.ui().pMenu->isHidden());
    EXPECT_EQ(w.ui().pWB->geometry(), QRect(189, 104, 823, 567));
    EXPECT_EQ(w.ui().pBar->geometry(), QRect(189, 674, 821, 41));
    // The menu keeps its layout while hidden.
    EXPECT_EQ(w.ui().menu6->y(), 380);
}

TEST(MenuToggle, UsesTheWidthOfTheMomentAndTheViewKeepsFollowingTheWindow)
{
    MainWindowUnderTest w(LangEnglish);
    w.form->resize(1200, 716);
    w.form->ToggleMenuPanel();
    EXPECT_EQ(w.ui().pWB->geometry(), QRect(4, 104, 1192, 567));
    w.form->resize(1100, 800);
    EXPECT_EQ(w.ui().pWB->geometry(), QRect(4, 104, 1092, 651));
    EXPECT_EQ(w.ui().pBar->geometry().topLeft(), QPoint(4, 758));
    w.form->ToggleMenuPanel();
    EXPECT_EQ(w.ui().pWB->geometry(), QRect(189, 104, 1100 - 185 - 8, 651));
    EXPECT_EQ(w.ui().pMenu->height(), 611 + 84);
}

struct ToggleCase {
    std::uint8_t language;
    const char* hideHint;
    const char* showHint;
};

TEST(MenuToggle, PictureAndHintOfferTheOppositeActionInEachLanguage)
{
    const ToggleCase cases[] = {
        {LangRussian, "Скрыть меню", "Показать меню"}, {LangEnglish, "Hide menu", "Show menu"}, {LangChinese, "", ""}};
    for (const ToggleCase& c : cases) {
        MainWindowUnderTest w(c.language);
        QLabel* toggle = w.ui().Image1;
        EXPECT_EQ(toggle->toolTip(), QString::fromUtf8(c.hideHint)) << int(c.language);
        EXPECT_TRUE(SamePicture(toggle->pixmap(), MenuTogglePicturePath(c.language, true))) << int(c.language);
        w.form->Image1Click();
        EXPECT_EQ(toggle->toolTip(), QString::fromUtf8(c.showHint)) << int(c.language);
        EXPECT_TRUE(SamePicture(toggle->pixmap(), MenuTogglePicturePath(c.language, false))) << int(c.language);
        w.form->Image1Click();
        EXPECT_EQ(toggle->toolTip(), QString::fromUtf8(c.hideHint)) << int(c.language);
    }
}

TEST(MenuToggle, ChineseHidePictureIsCutToTheToggleBox)
{
    MainWindowUnderTest w(LangChinese);
    QLabel* toggle = w.ui().Image1;
    EXPECT_EQ(toggle->size(), QSize(25, 101));
    EXPECT_EQ(toggle->pixmap().height(), 132);
    const QImage shown = toggle->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage top = LoadPicture(MenuTogglePicturePath(LangChinese, true))
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32)
                           .copy(0, 0, 25, 101);
    EXPECT_EQ(shown, top);
}

TEST(MenuToggle, ChangingLanguageWhileHiddenKeepsTheMenuHidden)
{
    MainWindowUnderTest w(LangRussian);
    w.form->Image1Click();
    w.form->cmdLangClick();
    EXPECT_TRUE(w.ui().pMenu->isHidden());
    EXPECT_EQ(w.ui().Image1->toolTip(), QStringLiteral("Show menu"));
    EXPECT_TRUE(SamePicture(w.ui().Image1->pixmap(), MenuTogglePicturePath(LangEnglish, false)));
    w.form->cmdLangChnClick();
    EXPECT_TRUE(w.ui().Image1->toolTip().isEmpty());
    EXPECT_TRUE(SamePicture(w.ui().Image1->pixmap(), MenuTogglePicturePath(LangChinese, false)));
}

// The upper band of menu0, where the empty picture Image4 lies over it.
const QPoint menu0UpperBand(60, 15);

TEST(MenuPanelClicks, EmptyPictureCatchesTheUpperBandUntilMenu0IsRaised)
{
    MainWindowUnderTest w(LangNone);
    QWidget* hit = w.ui().pMenu->childAt(menu0UpperBand);
    ASSERT_EQ(hit, w.ui().Image4);
    w.session.CurrentCategory = 5;
    w.session.CurrentPosition = 2;
    w.navigations.clear();
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(w.ui().pMenu, menu0UpperBand));
    EXPECT_TRUE(w.navigations.isEmpty());
    EXPECT_EQ(w.session.CurrentCategory, 5);

    // The lower part of menu0 lies outside the empty picture.
    EXPECT_EQ(w.ui().pMenu->childAt(QPoint(60, 36)), w.ui().menu0);
}

TEST(MenuPanelClicks, BothTextLayoutsPutMenu0OnTopSoItsWholeEntryOpensPageOne)
{
    for (std::uint8_t language : {LangRussian, LangEnglish}) {
        MainWindowUnderTest w(language);
        QWidget* hit = w.ui().pMenu->childAt(menu0UpperBand);
        ASSERT_EQ(hit, w.ui().menu0) << int(language);
        w.session.CurrentCategory = 5;
        w.session.CurrentPosition = 2;
        w.navigations.clear();
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(w.ui().pMenu, menu0UpperBand));
        EXPECT_EQ(w.session.CurrentCategory, 0) << int(language);
        EXPECT_EQ(w.session.CurrentPosition, 1) << int(language);
        EXPECT_EQ(w.navigations.size(), 1) << int(language);
    }
}

TEST(MenuPanelClicks, InChineseModeThePicturesLieOnTop)
{
    MainWindowUnderTest w(LangChinese);
    EXPECT_EQ(w.ui().pMenu->childAt(menu0UpperBand), w.ui().imgmch0);
    // Where imgmch01 and imgmch02 overlap by a row, imgmch01 lies on top.
    EXPECT_EQ(w.ui().pMenu->childAt(QPoint(60, 92)), w.ui().imgmch01);
    EXPECT_EQ(w.ui().pMenu->childAt(QPoint(60, 600)), w.ui().imgmch11);
}

}  // namespace
