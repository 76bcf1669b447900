// The page viewer's comforts on a real main window over the demo catalogue: the keyboard focus
// in the page, the keys and their silence under a message box, zoom held across pages and
// languages, the context menu, the PDF of a page, and names for assistive technology.
#include "main_window.h"
#include "page_context_menu.h"
#include "page_output.h"
#include "session.h"
#include "project_counts.h"
#include "test_support.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

using namespace testing_support;

namespace {

class PageViewer : public ::testing::Test {
protected:
    // A main window over the demo catalogue, shown with its first page loaded.
    void open(std::uint8_t language)
    {
        form = std::make_unique<TForm1>(session);
        form->FormCreate(demoCatalogueDir() + QStringLiteral("/velora-catalogue"));
        session.CurrentLanguage = language;
        QObject::connect(form->WebBrowser1, &TWebBrowser::loadFinished, [this](bool ok) { loads += ok ? 1 : 0; });
        QObject::connect(form->WebBrowser1, &TWebBrowser::BeforeNavigate2,
                         [this](const QString& url) { navigations << url; });
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        waitForLoads(1);
    }
    void waitForLoads(int count)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return loads >= count; }, 60000)) << "page did not load";
    }
    void TearDown() override { form.reset(); }
    Ui::Form1& ui() { return form->controls(); }
    void press(int key, Qt::KeyboardModifiers modifiers)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    MessageRecorder messages;
    Session session;
    std::unique_ptr<TForm1> form;
    int loads = 0;
    QStringList navigations;
};

// Runs the message loop until Ctrl+Q ends it or a short time passes; true when it ended it.
bool CtrlQEndsTheLoop(QWidget* target)
{
    bool timedOut = false;
    QTimer::singleShot(0, [&] { QTest::keyClick(target, Qt::Key_Q, Qt::ControlModifier); });
    QTimer::singleShot(1500, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    const int code = QCoreApplication::exec();
    return !timedOut && code == 0;
}

}  // namespace

TEST_F(PageViewer, ThePageHasTheFocusAndPageDownScrollsIt)
{
    open(LangEnglish);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(form->WebBrowser1->view()->isAncestorOf(focused) || focused == form->WebBrowser1->view())
        << "focus is on " << focused->metaObject()->className() << " " << focused->objectName().toStdString();
    EXPECT_EQ(ui().tGoTo->text(), "1.1");

    // Page Down scrolls the page shown.
    form->WebBrowser1->view()->page()->runJavaScript("document.body.style.height = '5000px'");
    QTest::qWait(200);
    press(Qt::Key_PageDown, Qt::NoModifier);
    double scrolled = 0;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            scrolled = form->WebBrowser1->view()->page()->scrollPosition().y();
            return scrolled > 0;
        },
        10000));
}

TEST_F(PageViewer, KeysRunTheirCommandsAndNothingWhileABoxIsUp)
{
    open(LangEnglish);
    // At the first page Previous is disabled: Alt+Left does nothing.
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(navigations.size(), 1);
    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(navigations.value(1), "file://" + session.ExeDir + "data/00002e.html");
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(navigations.value(2), "file://" + session.ExeDir + "data/00001e.html");

    press(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), ui().tGoTo);
    EXPECT_EQ(ui().tGoTo->selectedText(), "1.1");
    QTest::keyClicks(ui().tGoTo, "5.2");
    QTest::keyClick(ui().tGoTo, Qt::Key_Return);
    EXPECT_EQ(navigations.value(3), "file://" + session.ExeDir + "data/05002e.html");

    press(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(form->WebBrowser1->zoomFactor(), 1.1);

    // Ctrl+P brings the print dialog, Ctrl+Shift+S the save dialog proposing the page's name.
    QWebEngineView* view = form->WebBrowser1->view();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return view->url().fileName() == "05002e.html" && !view->page()->isLoading(); }, 60000));
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_P, Qt::CTRL | Qt::SHIFT | Qt::Key_S}) {
        QString dialog;
        QTimer::singleShot(500, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                dialog = modal->metaObject()->className();
                if (auto* files = qobject_cast<QFileDialog*>(modal))
                    dialog += " " + QFileInfo(files->selectedFiles().value(0)).fileName();
                modal->close();
            }
        });
        press(keys.key(), keys.keyboardModifiers());
        QTest::qWait(700);
        EXPECT_TRUE(dialog == "QPrintDialog" || dialog == "QFileDialog 5.2 " + view->title() + ".pdf")
            << dialog.toStdString() << " / " << view->title().toStdString();
        QApplication::setActiveWindow(form.get());
    }
    EXPECT_TRUE(CtrlQEndsTheLoop(form.get()));

    // A modal box takes every key: none of the commands runs underneath it.
    // (Another caption than the program's, so the message recorder leaves this box up.)
    QMessageBox box(QMessageBox::NoIcon, "A box", "text", QMessageBox::Ok, form.get());
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const int before = navigations.size();
    for (QWidget* target : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(ui().tGoTo)}) {
        QTest::keyClick(target, Qt::Key_Right, Qt::AltModifier);
        QTest::keyClick(target, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_0, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_G, Qt::ControlModifier);
        EXPECT_FALSE(CtrlQEndsTheLoop(target));
    }
    EXPECT_EQ(navigations.size(), before);
    EXPECT_DOUBLE_EQ(form->WebBrowser1->zoomFactor(), 1.1);
    box.close();
}

TEST_F(PageViewer, ZoomHoldsAcrossNextAndALanguageChange)
{
    open(LangEnglish);
    QWebEngineView* view = form->WebBrowser1->view();
    press(Qt::Key_Equal, Qt::ControlModifier);
    press(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_NEAR(view->zoomFactor(), 1.2, 0.001);
    ui().cmdNext->click();
    waitForLoads(2);
    EXPECT_NEAR(view->zoomFactor(), 1.2, 0.001) << "after Next";
    ui().cmdLangRus->click();
    waitForLoads(3);
    EXPECT_NEAR(view->zoomFactor(), 1.2, 0.001) << "after a change of language";
    press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_NEAR(view->zoomFactor(), 1.0, 0.001);
    press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(view->zoomFactor(), 0.9, 0.001);

    // Ctrl with the wheel over the page.
    QWidget* page = view->focusProxy() ? view->focusProxy() : view;
    const QPointF at(100, 100);
    QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(page, &wheel);
    EXPECT_NEAR(view->zoomFactor(), 1.0, 0.001);
}

TEST_F(PageViewer, ContextMenuInEachLanguageAndOnALink)
{
    auto entries = [](const QMenu& menu) {
        QStringList texts;
        for (const QAction* action : menu.actions())
            if (!action->isSeparator())
                texts << action->text();
        return texts;
    };
    EXPECT_EQ(entries(PageContextMenu(LangEnglish, QUrl(), true)),
              QStringList({"Copy", "Select all", "Find in page…", "Search the catalogue…", "Zoom in", "Zoom out",
                           "Actual size", "Dark pages", "Print…", "Save as PDF…"}));
    EXPECT_EQ(entries(PageContextMenu(LangRussian, QUrl(), true)),
              QStringList({"Копировать", "Выделить всё", "Найти на странице…", "Искать в каталоге…", "Увеличить",
                           "Уменьшить", "Обычный размер", "Тёмные страницы", "Печать…", "Сохранить как PDF…"}));
    EXPECT_EQ(entries(PageContextMenu(LangChinese, QUrl(), true)),
              QStringList({"复制", "全选", "在页面中查找…", "搜索目录…", "放大", "缩小", "实际大小", "深色页面",
                           "打印…", "另存为 PDF…"}));
    EXPECT_EQ(entries(PageContextMenu(LangEnglish, QUrl("https://velora.org/"), false)).mid(0, 4),
              QStringList({"Open link", "Open in the web browser", "Copy link address", "Copy"}));
    EXPECT_EQ(entries(PageContextMenu(LangEnglish, QUrl("file:///c/data/05001e.html"), false)).mid(0, 3),
              QStringList({"Open link", "Copy link address", "Copy"}));
    EXPECT_FALSE(PageContextMenu(LangEnglish, QUrl(), false).actions().first()->isEnabled())
        << "Copy without a selection";

    // A right click on the page shows the program's menu, in the interface language, and its
    // find entries reach the main window's signals.
    open(LangRussian);
    QWidget* page = form->WebBrowser1->view()->focusProxy();
    ASSERT_NE(page, nullptr);
    QTest::mouseClick(page, Qt::RightButton, {}, QPoint(300, 300));
    PageContextMenu* shown = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* menu = qobject_cast<PageContextMenu*>(top); menu && menu->isVisible())
                    shown = menu;
            return shown != nullptr;
        },
        10000))
        << "no context menu";
    EXPECT_EQ(entries(*shown).value(0), "Копировать");
    int findRequests = 0;
    QObject::connect(form->WebBrowser1, &TWebBrowser::findInPageRequested, [&] { ++findRequests; });
    for (QAction* action : shown->actions())
        if (action->text() == "Найти на странице…")
            action->trigger();
    EXPECT_EQ(findRequests, 1);
    shown->close();
}

TEST_F(PageViewer, PdfOfThePageHoldsItsTitleAndAnUnwritableFolderIsTold)
{
    open(LangEnglish);
    ui().tGoTo->setText("5.1");
    ui().cmdGoTo->click();
    waitForLoads(2);
    EXPECT_EQ(form->ProposedPdfName(), "5.1 Velora-Grid cluster computing system.pdf");

    QTemporaryDir folder;
    const QString path = folder.filePath(form->ProposedPdfName());
    int written = -1;
    WritePageAsPdf(form->WebBrowser1->view()->page(), path, false, [&](bool ok) { written = ok; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return written >= 0; }, 60000));
    EXPECT_EQ(written, 1);
    EXPECT_EQ(messages.count(), 0);
    QProcess text;
    text.start("pdftotext", {path, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString pdfText = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(pdfText.contains("Velora-Grid cluster computing system")) << pdfText.left(2000).toStdString();

    // A folder that cannot be written to (here a plain file in its place, which holds for root
    // too): a message naming the file, and the page still shown.
    QFile plain(folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString blocked = folder.filePath("plain/page.pdf");
    written = -1;
    WritePageAsPdf(form->WebBrowser1->view()->page(), blocked, false, [&](bool ok) { written = ok; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return written >= 0; }, 60000));
    EXPECT_EQ(written, 0);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().startsWith("The page could not be saved as \"" + blocked + "\""))
        << messages.last().toStdString();
    EXPECT_EQ(QFileInfo(plain.fileName()).size(), 0);
    EXPECT_EQ(session.CurrentCategory, 5);
    EXPECT_EQ(session.CurrentPosition, 1);
}

TEST_F(PageViewer, PictureControlsHaveNamesInEachLanguage)
{
    open(LangRussian);
    auto name = [](QWidget* widget) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(QAccessible::Name) : QString();
    };
    const QList<QWidget*> pictures = {ui().Image1, ui().Image2,  ui().title,   ui().cmdLangChn, ui().imgGoTo,
                                      ui().tGoTo,  ui().imgmch0, ui().imgmch5, ui().imgmch11};
    struct Expected {
        std::uint8_t language;
        void (TForm1::*choose)();
        QString toggle, chinese, menu5, prev;
    };
    const Expected cases[] = {
        {LangRussian, nullptr, "Скрыть меню", "Китайский",
         "5. Электроника, информационные технологии и телекоммуникация", "Предыдущий"},
        {LangChinese, &TForm1::cmdLangChnClick, "最小化菜单", "中文", "5. 电子、信息技术和电信", "上一个"},
        {LangEnglish, &TForm1::cmdLangClick, "Hide menu", "Chinese", "5. Electronics, IT and Telecommunication",
         "Previous"},
    };
    for (const Expected& c : cases) {
        if (c.choose)
            (form.get()->*c.choose)();
        for (QWidget* widget : pictures)
            EXPECT_FALSE(name(widget).isEmpty()) << widget->objectName().toStdString() << " in " << int(c.language);
        EXPECT_EQ(name(ui().Image1), c.toggle);
        EXPECT_EQ(name(ui().cmdLangChn), c.chinese);
        EXPECT_EQ(name(ui().imgmch5), c.menu5);
        EXPECT_EQ(name(ui().cmdPrev), c.prev) << "the Chinese button shows a picture only";
    }
    form->ToggleMenuPanel();
    EXPECT_EQ(name(ui().Image1), "Show menu");
}

TEST_F(PageViewer, InputMethodTextInTheGoToBoxPassesTheKeyFilter)
{
    open(LangEnglish);
    QLineEdit* box = ui().tGoTo;
    box->setFocus();
    box->clear();
    QInputMethodEvent commit;
    commit.setCommitString("1a.2");
    QCoreApplication::sendEvent(box, &commit);
    EXPECT_EQ(box->text(), "1.2");
}
