// The main window by keyboard and for assistive technology: F6 between the regions, the arrows
// and Enter on the menu (labels, or pictures in Chinese mode), F9 for the menu; the find bar's
// names in the interface language and its counter's name carrying every new count.
#include "find_bar.h"
#include "keyboard_regions.h"
#include "main_window_under_test.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

namespace {

QWidget* Focused() { return QApplication::focusWidget(); }

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(Focused(), Qt::Key(key), modifiers);
}

bool InPage(const TForm1& form) { return Focused() && form.WebBrowser1->isAncestorOf(Focused()); }

QString AccessibleName(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

}  // namespace

TEST(KeyboardRegions, F6GoesRoundTheRegionsShownAndArrowsGoRoundTheMenu)
{
    using R = WindowRegion;
    EXPECT_EQ(NextRegion(R::Page, {R::Page, R::Menu, R::BottomBar}, false), R::Menu);
    EXPECT_EQ(NextRegion(R::BottomBar, {R::Page, R::Menu, R::BottomBar}, false), R::Page);
    EXPECT_EQ(NextRegion(R::Page, {R::Page, R::Menu, R::BottomBar}, true), R::BottomBar);
    EXPECT_EQ(NextRegion(R::Page, {R::Page, R::BottomBar, R::FindBar}, false), R::BottomBar) << "menu hidden";
    EXPECT_EQ(NextRegion(R::Menu, {R::Page, R::BottomBar}, false), R::Page) << "focus in a region gone";
    EXPECT_EQ(NextRegion(R::Page, {}, false), std::nullopt);

    EXPECT_EQ(MenuEntryAfterKey(13, 14, Qt::Key_Down), 0);
    EXPECT_EQ(MenuEntryAfterKey(0, 14, Qt::Key_Up), 13);
    EXPECT_EQ(MenuEntryAfterKey(4, 14, Qt::Key_Down), 5);
    EXPECT_EQ(MenuEntryAfterKey(4, 14, Qt::Key_Up), 3);
    EXPECT_EQ(MenuEntryAfterKey(6, 14, Qt::Key_Home), 0);
    EXPECT_EQ(MenuEntryAfterKey(6, 14, Qt::Key_End), 13);
    EXPECT_EQ(MenuEntryAfterKey(-1, 14, Qt::Key_Down), 0) << "from outside the menu";
    EXPECT_EQ(MenuEntryAfterKey(3, 14, Qt::Key_Left), std::nullopt);
    EXPECT_EQ(MenuEntryAfterKey(0, 0, Qt::Key_Down), std::nullopt);

    EXPECT_EQ(MenuEntryOfPosition({0, 1}), 0);
    EXPECT_EQ(MenuEntryOfPosition({0, 3}), 2);
    EXPECT_EQ(MenuEntryOfPosition({3, 0}), 5);
    EXPECT_EQ(MenuEntryOfPosition({11, 27}), 13);
    EXPECT_EQ(MenuEntryOfPosition({0, 0}), std::nullopt);
    EXPECT_EQ(MenuEntryOfPosition({0, 4}), std::nullopt);
    EXPECT_EQ(MenuEntryOfPosition({12, 0}), std::nullopt);
}

TEST(MainWindowKeys, F6ReachesTheMenuEntryOfThePageWhoseArrowsAndEnterOpenPagesAndF9HidesIt)
{
    MainWindowUnderTest window(LangRussian);
    TForm1& form = *window.form;
    Ui::Form1& ui = window.ui();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    window.session.ProjectCounts = {3, 2, 2, 5, 2, 2, 2, 2, 2, 2, 2, 2};
    form.OpenPageAt(3, 2);
    form.WebBrowser1->setFocus();
    ASSERT_TRUE(InPage(form));
    const QStringList tabOrderBefore = [&] {
        QStringList order;
        for (QWidget* w = ui.tGoTo->nextInFocusChain(); w != ui.tGoTo; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        return order;
    }();

    Press(Qt::Key_F6);
    EXPECT_EQ(Focused(), ui.menu3) << "the entry of the page shown";
    Press(Qt::Key_Down);
    EXPECT_EQ(Focused(), ui.menu4);
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    EXPECT_EQ(Focused(), ui.menu2);
    Press(Qt::Key_Home);
    EXPECT_EQ(Focused(), ui.menu0);
    Press(Qt::Key_Up);
    EXPECT_EQ(Focused(), ui.menu11) << "round from the top";
    const int before = window.navigations.size();
    Press(Qt::Key_Return);
    ASSERT_EQ(window.navigations.size(), before + 1);
    EXPECT_TRUE(window.navigations.last().endsWith("/11000r.html")) << window.navigations.last().toStdString();
    Press(Qt::Key_Up);
    Press(Qt::Key_Space);
    EXPECT_TRUE(window.navigations.last().endsWith("/10000r.html"));
    Press(Qt::Key_Escape);
    EXPECT_TRUE(InPage(form)) << "Escape gives the page the keys again";

    Press(Qt::Key_F6);
    EXPECT_EQ(Focused(), ui.menu10);
    Press(Qt::Key_F6);
    EXPECT_EQ(Focused(), ui.tGoTo) << "then the bottom bar";
    Press(Qt::Key_F6);
    EXPECT_TRUE(InPage(form)) << "and round to the page";
    Press(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), ui.tGoTo) << "Shift+F6 goes back";

    // F9 hides the menu: F6 passes it by; the focus on the menu goes to the page when it hides.
    Press(Qt::Key_F9);
    EXPECT_FALSE(ui.pMenu->isVisible());
    EXPECT_FALSE(window.session.MenuVisible);
    Press(Qt::Key_F6);
    EXPECT_TRUE(InPage(form));
    Press(Qt::Key_F6);
    EXPECT_EQ(Focused(), ui.tGoTo);
    Press(Qt::Key_F9);
    EXPECT_TRUE(ui.pMenu->isVisible());
    Press(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), ui.menu10);
    Press(Qt::Key_F9);
    EXPECT_TRUE(InPage(form));
    Press(Qt::Key_F9);

    // Chinese mode walks the pictures, top to bottom: the picture of the structure (page 3) lies
    // above the chairman's address (page 2).
    form.cmdLangChnClick();
    form.OpenPageAt(0, 1);
    form.WebBrowser1->setFocus();
    Press(Qt::Key_F6);
    EXPECT_EQ(Focused(), ui.imgmch0);
    Press(Qt::Key_Down);
    EXPECT_EQ(Focused(), ui.imgmch01);
    Press(Qt::Key_Return);
    EXPECT_TRUE(window.navigations.last().endsWith("/00003c.html")) << window.navigations.last().toStdString();
    Press(Qt::Key_F6, Qt::ShiftModifier);
    Press(Qt::Key_F6);
    EXPECT_EQ(Focused(), ui.imgmch01) << "the entry of page 3";

    // The window's tab order is as designed: the menu takes no Tab.
    QStringList tabOrderAfter;
    for (QWidget* w = ui.tGoTo->nextInFocusChain(); w != ui.tGoTo; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrderAfter << w->objectName();
    EXPECT_EQ(tabOrderAfter, tabOrderBefore);
}

TEST(AccessibleNames, FindBarIsNamedInTheLanguageAndItsCounterNamedByItsCount)
{
    MainWindowUnderTest window(LangRussian, false);
    QDir(window.folder.path()).mkpath(QStringLiteral("data"));
    QFile page(window.folder.path() + QStringLiteral("/data/00001r.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Насосы</title></head>"
               "<body><p>Pump, pump and PUMP.</p></body></html>");
    page.close();
    int loads = 0;
    QObject::connect(window.form->WebBrowser1, &TWebBrowser::loadFinished, [&] { ++loads; });
    window.form->show();
    QApplication::setActiveWindow(window.form.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads > 0; }, 60000));

    FindBar* bar = window.form->findChild<FindBar*>();
    auto* text = bar->findChild<QLineEdit*>(QStringLiteral("findText"));
    auto* count = bar->findChild<QLabel*>(QStringLiteral("findCount"));
    window.form->ShowFindInPage();
    EXPECT_EQ(AccessibleName(text), "Найти на странице");
    EXPECT_EQ(AccessibleName(bar->findChild<QToolButton*>(QStringLiteral("findPrevious"))), "Предыдущее совпадение");
    EXPECT_EQ(AccessibleName(bar->findChild<QToolButton*>(QStringLiteral("findNext"))), "Следующее совпадение");
    EXPECT_EQ(AccessibleName(bar->findChild<QToolButton*>(QStringLiteral("findClose"))), "Закрыть поиск");
    EXPECT_EQ(bar->findChild<QComboBox*>(QStringLiteral("findScope"))->accessibleDescription(), "Где искать");
    EXPECT_EQ(AccessibleName(count), "Совпадения");

    QTest::keyClicks(text, QStringLiteral("pump"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return count->text() == "1 из 3"; }, 20000)) << count->text().toStdString();
    EXPECT_EQ(AccessibleName(count), "Совпадения: 1 из 3");
    QTest::keyClick(text, Qt::Key_F3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return count->text() == "2 из 3"; }, 20000));
    // The count is in the counter's name, so each new count reaches assistive technology as a
    // change of name (the check through AT-SPI listens for it).
    EXPECT_EQ(AccessibleName(count), "Совпадения: 2 из 3");
    EXPECT_EQ(text->accessibleDescription(), "2 из 3");

    window.form->cmdLangChnClick();
    window.form->ShowCatalogueSearch();
    EXPECT_EQ(AccessibleName(text), "在目录中查找");
    EXPECT_EQ(AccessibleName(count), "匹配项");
    for (QToolButton* clear : text->findChildren<QToolButton*>())
        EXPECT_EQ(AccessibleName(clear), "清除");
}
