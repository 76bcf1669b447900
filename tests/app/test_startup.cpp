#include <gtest/gtest.h>

#include <array>

#include "ado_query.h"
#include "main_window.h"
#include "session.h"
#include "splash.h"
#include "startup.h"
#include "test_support.h"
#include "ui_form1.h"
#include "ui_splash.h"
#include "web_browser.h"

#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

using testing_support::demoCatalogueDir;

namespace {
QString DemoExePath() { return demoCatalogueDir() + QStringLiteral("/velora-catalogue"); }

class Startup : public ::testing::Test {
protected:
    // The session of the splash windows a test makes on its own, without the start-up.
    Session session;
};
}  // namespace

TEST_F(Startup, MainWindowIsCreatedAndCountedBeforeAnyLanguageIsChosen)
{
    TStartup startup;
    ASSERT_TRUE(startup.CreateMainWindow(DemoExePath()));
    EXPECT_EQ(startup.session.CurrentLanguage, 0);
    EXPECT_EQ(startup.frmSplash, nullptr);
    EXPECT_FALSE(startup.Form1->isVisible());
    EXPECT_EQ(startup.session.ExeDir, demoCatalogueDir() + "/");
    // The demo catalogue's projects per category, in category order.
    const std::array<std::int32_t, 12> demoCounts{3, 5, 4, 5, 4, 7, 6, 5, 6, 3, 4, 5};
    EXPECT_EQ(startup.session.ProjectCounts, demoCounts);
    EXPECT_FALSE(startup.Form1->ADOQuery1->Active());
    EXPECT_TRUE(startup.session.MenuVisible);
    EXPECT_EQ(startup.Form1->controls().pWB->width(), 1016 - 185 - 8);

    startup.ShowSplash();
    EXPECT_EQ(startup.session.CurrentLanguage, LangRussian);
    EXPECT_TRUE(startup.session.SplashCancelled);
    EXPECT_TRUE(startup.frmSplash->isVisible());
}

// The HTML engine starts as the splash shows, after the main window's creation, and loads the
// first page while the person chooses: nothing is reported and the main window stays hidden.
// Choosing that page's language then reports it once and ends its load once, without loading it
// again.
TEST_F(Startup, TheFirstPageLoadsBehindTheShownSplash)
{
    TStartup startup;
    ASSERT_TRUE(startup.CreateMainWindow(DemoExePath()));
    QStringList navigations;
    int loads = 0;
    QObject::connect(startup.Form1->WebBrowser1, &TWebBrowser::BeforeNavigate2,
                     [&](const QString& url) { navigations << url; });
    QObject::connect(startup.Form1->WebBrowser1, &TWebBrowser::loadFinished, [&](bool ok) {
        loads += ok ? 1 : 100;
        startup.Form1->controls().cmdExit->click();
    });
    EXPECT_FALSE(startup.Form1->WebBrowser1->engineStarted());
    startup.ShowSplash();
    ASSERT_TRUE(startup.Form1->WebBrowser1->engineStarted())
        << "a choice made the moment the splash shows finds the page on its way";
    int engineLoads = 0;
    QObject::connect(startup.Form1->WebBrowser1->view()->page(), &QWebEnginePage::loadFinished, [&] { ++engineLoads; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return engineLoads == 1; }, 60000));
    const QString firstPage = "file://" + demoCatalogueDir() + "/data/00001r.html";
    EXPECT_EQ(startup.Form1->WebBrowser1->view()->url(), QUrl::fromLocalFile(firstPage.mid(7)));
    EXPECT_TRUE(startup.frmSplash->isVisible());
    EXPECT_FALSE(startup.Form1->isVisible());
    EXPECT_TRUE(navigations.isEmpty());
    EXPECT_EQ(loads, 0);

    startup.frmSplash->controls().cmdRus->click();
    startup.WaitForSplash();
    startup.CreateSearchWindow();
    QTimer::singleShot(60000, [] { QCoreApplication::quit(); });
    startup.RunMessageLoop();
    EXPECT_EQ(navigations, QStringList{firstPage});
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(engineLoads, 1);
    EXPECT_EQ(startup.session.PageNumberText, "001");
    startup.Release();
}

TEST_F(Startup, EscapeReleasedOnAnyButtonCancelsTheSplash)
{
    for (const char* name : {"cmdRus", "cmdEng", "btnClose", "cmdChn"}) {
        TfrmSplash splash(session);
        splash.show();
        auto* button = splash.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr);
        button->setFocus();
        QTest::keyPress(button, Qt::Key_Escape);
        EXPECT_TRUE(splash.isVisible()) << "Escape acts on release, not on press";
        QTest::keyRelease(button, Qt::Key_Escape, Qt::ShiftModifier);
        EXPECT_FALSE(splash.isVisible()) << name;
        EXPECT_TRUE(session.SplashCancelled);
    }
}

TEST_F(Startup, SplashButtonsChooseTheLanguage)
{
    struct Case {
        const char* button;
        std::uint8_t language;
    };
    for (const Case& c : {Case{"cmdRus", LangRussian}, Case{"cmdEng", LangEnglish}, Case{"cmdChn", LangChinese}}) {
        TfrmSplash splash(session);
        splash.show();
        QTest::mouseClick(splash.findChild<QPushButton*>(c.button), Qt::LeftButton);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_FALSE(session.SplashCancelled);
        EXPECT_EQ(session.CurrentLanguage, c.language);
    }
    TfrmSplash splash(session);
    splash.show();
    QTest::mouseClick(splash.controls().btnClose, Qt::LeftButton);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(session.SplashCancelled);
}

TEST_F(Startup, EnterRightAfterShowingPressesRussianAndThePictureDoesNothing)
{
    TfrmSplash splash(session);
    splash.show();
    QApplication::setActiveWindow(&splash);
    QTest::mouseClick(splash.controls().Image1, Qt::LeftButton);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), splash.controls().cmdRus);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(session.SplashCancelled);
    EXPECT_EQ(session.CurrentLanguage, LangRussian);
}

TEST_F(Startup, SplashLaysItsControlsOutAsDefined)
{
    TfrmSplash splash(session);
    EXPECT_EQ(splash.size(), QSize(606, 435));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.controls().cmdRus->geometry(), QRect(140, 156, 97, 33));
    EXPECT_EQ(splash.controls().cmdEng->geometry(), QRect(264, 156, 97, 33));
    EXPECT_EQ(splash.controls().btnClose->geometry(), QRect(588, 8, 13, 17));
    EXPECT_EQ(splash.controls().cmdChn->geometry(), QRect(388, 156, 97, 33));
    EXPECT_EQ(splash.controls().Image1->pixmap().size(), QSize(607, 436));
    EXPECT_EQ(splash.controls().btnClose->cursor().shape(), Qt::WhatsThisCursor);
    // Tab order: Russian, English, X, Chinese.
    EXPECT_EQ(splash.controls().cmdRus->nextInFocusChain(), splash.controls().cmdEng);
    EXPECT_EQ(splash.controls().cmdEng->nextInFocusChain(), splash.controls().btnClose);
    EXPECT_EQ(splash.controls().btnClose->nextInFocusChain(), splash.controls().cmdChn);
}

TEST_F(Startup, EnglishChoiceOpensTheFirstEnglishPageAndExitEndsTheLoop)
{
    TStartup startup;
    ASSERT_TRUE(startup.CreateMainWindow(DemoExePath()));
    startup.ShowSplash();
    QTimer::singleShot(0, [&] { startup.frmSplash->controls().cmdEng->click(); });
    startup.WaitForSplash();
    ASSERT_FALSE(startup.session.SplashCancelled);
    startup.CreateSearchWindow();

    QStringList navigations;
    QObject::connect(startup.Form1->WebBrowser1, &TWebBrowser::BeforeNavigate2,
                     [&](const QString& url) { navigations << url; });
    bool loaded = false;
    QObject::connect(startup.Form1->WebBrowser1, &TWebBrowser::loadFinished, [&](bool ok) {
        loaded = ok;
        startup.Form1->controls().cmdExit->click();
    });
    // Ends the loop even if the page never loads, so a fault fails instead of hanging.
    QTimer::singleShot(60000, [] { QCoreApplication::quit(); });
    startup.RunMessageLoop();

    ASSERT_FALSE(navigations.isEmpty());
    EXPECT_EQ(navigations.first(), "file://" + demoCatalogueDir() + "/data/00001e.html");
    EXPECT_TRUE(loaded);
    EXPECT_EQ(startup.session.CurrentCategory, 0);
    EXPECT_EQ(startup.session.CurrentPosition, 1);
    EXPECT_EQ(startup.session.PageNumberText, "001");
    startup.Release();
    EXPECT_EQ(startup.Form1, nullptr);
}

TEST_F(Startup, CountCheckFailureEndsBeforeTheSplashWithAnEnglishMessage)
{
    // A database whose count query gives no rows at all.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString db = folder.filePath("velora2014.mdb");
    {
        QProcess sqlite;
        sqlite.start("sqlite3", {db, "CREATE TABLE cc (cat INTEGER, d INTEGER, n INTEGER, pcat INTEGER);"});
        ASSERT_TRUE(sqlite.waitForFinished());
    }
    testing_support::MessageRecorder messages;
    TStartup startup;
    EXPECT_FALSE(startup.CreateMainWindow(folder.filePath("velora-catalogue")));
    EXPECT_EQ(messages.texts(), QStringList{"Database reading error"});
    EXPECT_EQ(messages.captions().value(0), "Catalogue VELORA 2014");
    EXPECT_EQ(startup.frmSplash, nullptr);
    EXPECT_EQ(startup.session.ProjectCounts, (std::array<std::int32_t, 12>{}));
}

TEST_F(Startup, MissingDatabaseIsReportedAndStartUpGoesOnWithCountsZero)
{
    QTemporaryDir folder;
    testing_support::MessageRecorder messages;
    TStartup startup;
    EXPECT_TRUE(startup.CreateMainWindow(folder.filePath("velora-catalogue")));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().contains("velora2014.mdb")) << messages.last().toStdString();
    EXPECT_TRUE(messages.last().endsWith('.'));
    EXPECT_EQ(startup.session.ProjectCounts, (std::array<std::int32_t, 12>{}));
    EXPECT_EQ(startup.session.ExeDir, folder.path() + "/");
}

TEST_F(Startup, ClosingTheMainWindowEndsTheLoopAndClosesAnOpenDataset)
{
    TStartup startup;
    ASSERT_TRUE(startup.CreateMainWindow(DemoExePath()));
    startup.ShowSplash();
    QTimer::singleShot(0, [&] { startup.frmSplash->controls().cmdRus->click(); });
    startup.WaitForSplash();
    startup.CreateSearchWindow();
    QTimer::singleShot(0, [&] {
        // A search left the dataset open.
        startup.Form1->ADOQuery1->setSql("SELECT cn FROM c;");
        startup.Form1->ADOQuery1->Open();
        startup.Form1->close();
    });
    QTimer::singleShot(60000, [] { QCoreApplication::quit(); });
    startup.RunMessageLoop();
    EXPECT_FALSE(startup.Form1->ADOQuery1->Active());
}
