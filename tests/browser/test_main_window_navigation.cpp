// The main window's navigation commands on a real window: menu entries and their pictures,
// Previous and Next, the go-to box with its key filter, and the navigation hook, observed through
// the addresses the HTML view is asked to show.
#include "catalogue_position.h"
#include "main_window.h"
#include "page_names.h"
#include "session.h"
#include "test_support.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>

using namespace testing_support;

static std::ostream& operator<<(std::ostream& out, const CataloguePosition& at)
{
    return out << at.category << '.' << at.position;
}

namespace {

const std::array<std::int32_t, 12> kCounts{3, 5, 1, 2, 6, 20, 5, 1, 2, 3, 4, 7};

// Writes one small page per position and language letter; every page links to the page named in
// links (by file name) when there is one.
void WritePages(const QString& folder, const std::array<std::int32_t, 12>& counts,
                const QMap<QString, QString>& links = {})
{
    QDir().mkpath(folder + QStringLiteral("/data"));
    for (const char* letter : {"r", "e", "c"})
        for (std::int32_t c = 0; c <= 11; ++c)
            for (std::int32_t p = c == 0 ? 1 : 0; p <= counts[c]; ++p) {
                const QString name = PageFileName(c, p, QString::fromLatin1(letter));
                QFile file(folder + QStringLiteral("/data/") + name);
                if (!file.open(QIODevice::WriteOnly))
                    continue;
                QString body = QStringLiteral("<html><body><p>%1</p>").arg(name);
                if (links.contains(name))
                    body += QStringLiteral("<a href=\"%1\">next</a>").arg(links.value(name));
                file.write((body + QStringLiteral("</body></html>")).toUtf8());
            }
}

class MainWindowNavigation : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        WritePages(folder->path(), kCounts, {{QStringLiteral("00001e.html"), QStringLiteral("04002e.html")}});
        session = new Session;
        form = new TForm1(*session);
    }
    static void TearDownTestSuite()
    {
        delete form;
        delete session;
        delete folder;
        form = nullptr;
        session = nullptr;
        folder = nullptr;
    }

    void SetUp() override
    {
        *session = Session{};
        session->FillLanguages();
        session->ExeDir = folder->path() + u'/';
        session->ProjectCounts = kCounts;
        session->CurrentLanguage = LangEnglish;
        ui().tGoTo->setText(QStringLiteral("1.1"));
        connection = QObject::connect(form->WebBrowser1, &TWebBrowser::BeforeNavigate2,
                                      [this](const QString& url) { navigations << url; });
        openAt(0, 1);
    }
    void TearDown() override { QObject::disconnect(connection); }

    static Ui::Form1& ui() { return form->controls(); }

    void openAt(std::int32_t category, std::int32_t position)
    {
        session->CurrentCategory = category;
        session->CurrentPosition = position;
        form->OpenPage();
        navigations.clear();
    }
    // The file name of the latest navigation, empty when none happened since the last look.
    QString opened()
    {
        const QString last = navigations.isEmpty() ? QString() : QFileInfo(navigations.last()).fileName();
        navigations.clear();
        return last;
    }
    // The page files of one language letter, in name order, which is catalogue order.
    static QStringList pageFiles(const QString& root, const QString& letter)
    {
        QStringList names =
            QDir(root + QStringLiteral("/data"))
                .entryList({QStringLiteral("?????") + letter + QStringLiteral(".html")}, QDir::Files, QDir::Name);
        return names;
    }
    // From the first page, Next up to the end visits exactly pages; Previous walks them back.
    void expectWalkThrough(const QStringList& pages)
    {
        ASSERT_EQ(position(), (CataloguePosition{0, 1}));
        ASSERT_FALSE(ui().cmdPrev->isEnabled());
        QStringList forward{PageFileName(0, 1, session->Languages[session->CurrentLanguage].Letter)};
        while (ui().cmdNext->isEnabled() && forward.size() <= pages.size()) {
            ui().cmdNext->click();
            forward << opened();
        }
        EXPECT_EQ(forward, pages);
        QStringList back{forward.last()};
        while (ui().cmdPrev->isEnabled() && back.size() <= pages.size()) {
            ui().cmdPrev->click();
            back << opened();
        }
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(back, pages);
    }
    static CataloguePosition position() { return {session->CurrentCategory, session->CurrentPosition}; }
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    static QTemporaryDir* folder;
    static Session* session;
    static TForm1* form;
    QStringList navigations;
    QMetaObject::Connection connection;
};

QTemporaryDir* MainWindowNavigation::folder = nullptr;
Session* MainWindowNavigation::session = nullptr;
TForm1* MainWindowNavigation::form = nullptr;

}  // namespace

TEST_F(MainWindowNavigation, MenuEntriesAndTheirPicturesOpenTheirPage)
{
    const struct {
        QWidget* label;
        QWidget* picture;
        const char* page;
    } entries[] = {
        {ui().menu0, ui().imgmch0, "00001e.html"},   {ui().menu02, ui().imgmch02, "00002e.html"},
        {ui().menu03, ui().imgmch01, "00003e.html"}, {ui().menu1, ui().imgmch1, "01000e.html"},
        {ui().menu2, ui().imgmch2, "02000e.html"},   {ui().menu3, ui().imgmch3, "03000e.html"},
        {ui().menu4, ui().imgmch4, "04000e.html"},   {ui().menu5, ui().imgmch5, "05000e.html"},
        {ui().menu6, ui().imgmch6, "06000e.html"},   {ui().menu7, ui().imgmch7, "07000e.html"},
        {ui().menu8, ui().imgmch8, "08000e.html"},   {ui().menu9, ui().imgmch9, "09000e.html"},
        {ui().menu10, ui().imgmch10, "10000e.html"}, {ui().menu11, ui().imgmch11, "11000e.html"},
    };
    for (const auto& entry : entries) {
        openAt(5, 3);
        click(entry.label);
        EXPECT_EQ(opened(), QString::fromLatin1(entry.page)) << entry.label->objectName().toStdString();
        // The page already shown is not reopened.
        click(entry.label);
        EXPECT_EQ(opened(), QString()) << entry.label->objectName().toStdString();
        openAt(5, 3);
        click(entry.picture);
        EXPECT_EQ(opened(), QString::fromLatin1(entry.page)) << entry.picture->objectName().toStdString();
    }
    openAt(3, 2);
    click(ui().menu3);
    EXPECT_EQ(position(), (CataloguePosition{3, 0}));
}

TEST_F(MainWindowNavigation, PreviousAndNextAcrossCategoriesAndAtBothEnds)
{
    openAt(0, 3);
    ui().cmdNext->click();
    EXPECT_EQ(opened(), QStringLiteral("01000e.html"));
    EXPECT_EQ(ui().Label25->text(), QStringLiteral("Cat=1 PosInCat=0"));
    ui().cmdPrev->click();
    EXPECT_EQ(opened(), QStringLiteral("00003e.html"));

    openAt(4, 6);
    ui().cmdNext->click();
    EXPECT_EQ(opened(), QStringLiteral("05000e.html"));
    ui().cmdPrev->click();
    EXPECT_EQ(opened(), QStringLiteral("04006e.html"));

    openAt(11, 6);
    EXPECT_TRUE(ui().cmdNext->isEnabled());
    ui().cmdNext->click();
    EXPECT_EQ(opened(), QStringLiteral("11007e.html"));
    EXPECT_FALSE(ui().cmdNext->isEnabled());
    EXPECT_TRUE(ui().cmdPrev->isEnabled());
    // The step itself does not move there either, and the label still follows.
    form->StepForward();
    EXPECT_EQ(opened(), QString());
    EXPECT_EQ(ui().Label25->text(), QStringLiteral("Cat=11 PosInCat=7"));

    openAt(0, 2);
    ui().cmdPrev->click();
    EXPECT_EQ(opened(), QStringLiteral("00001e.html"));
    EXPECT_FALSE(ui().cmdPrev->isEnabled());
    EXPECT_TRUE(ui().cmdNext->isEnabled());
    form->StepBack();
    EXPECT_EQ(opened(), QString());
    EXPECT_EQ(position(), (CataloguePosition{0, 1}));
}

TEST_F(MainWindowNavigation, WalkingTheWholeCatalogueVisitsEveryPageOnceInOrder)
{
    const QStringList pages = pageFiles(folder->path(), QStringLiteral("e"));
    ASSERT_EQ(pages.size(), 3 + 11 + 5 + 1 + 2 + 6 + 20 + 5 + 1 + 2 + 3 + 4 + 7);
    expectWalkThrough(pages);
}

// The demo catalogue laid beside the program, with the counts read from its database.
TEST_F(MainWindowNavigation, WalkingTheDemoCatalogueVisitsEveryPageOnceInOrder)
{
    ASSERT_TRUE(QFileInfo::exists(demoCatalogueDir() + QStringLiteral("/data"))) << "demo catalogue missing";
    form->FormCreate(programPath());
    ASSERT_FALSE(form->countCheckFailed());
    session->CurrentLanguage = LangRussian;
    openAt(0, 1);
    const QStringList pages = pageFiles(demoCatalogueDir(), QStringLiteral("r"));
    expectWalkThrough(pages);
}

TEST_F(MainWindowNavigation, GoToOpensAProjectOrShowsItsMessage)
{
    MessageRecorder messages;
    ui().tGoTo->setText(QStringLiteral("01.05"));
    ui().cmdGoTo->click();
    EXPECT_EQ(opened(), QStringLiteral("01005e.html"));
    EXPECT_EQ(messages.count(), 0);
    // The project already shown is not reopened.
    ui().cmdGoTo->click();
    EXPECT_EQ(opened(), QString());

    ui().tGoTo->setText(QStringLiteral("5.999"));
    ui().cmdGoTo->click();
    EXPECT_EQ(messages.last(), QStringLiteral("For the category 5 max. project number is 20"));
    EXPECT_EQ(messages.captions().last(), QStringLiteral("Catalogue VELORA 2014"));
    EXPECT_EQ(opened(), QString());
    EXPECT_EQ(position(), (CataloguePosition{1, 5}));
    EXPECT_EQ(ui().tGoTo->text(), QStringLiteral("5.999"));

    session->CurrentLanguage = LangRussian;
    ui().tGoTo->setText(QStringLiteral("12"));
    ui().cmdGoTo->click();
    EXPECT_EQ(messages.last(), QStringLiteral("Введите номер категории и номер проекта через точку (например: 1.1)"));
    // Chinese mode and no language yet both give English.
    for (const std::uint8_t language : {std::uint8_t(LangChinese), std::uint8_t(LangNone)}) {
        session->CurrentLanguage = language;
        ui().tGoTo->setText(QStringLiteral("1x."));
        ui().cmdGoTo->click();
        EXPECT_EQ(messages.last(), QStringLiteral("Please input category and project number, dot separated (ex: 1.4)"));
    }
    EXPECT_EQ(messages.count(), 4);
    EXPECT_EQ(opened(), QString());
}

TEST_F(MainWindowNavigation, KeyFilterOnTypedKeys)
{
    QLineEdit* box = ui().tGoTo;
    box->clear();
    QTest::keyClicks(box, QStringLiteral("12a3.45.6"));
    EXPECT_EQ(box->text(), QStringLiteral("12.45"));  // the sixth character meets the length limit
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("12.4"));
    // Typed before the dot, a third digit gets in; then only Backspace passes.
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClicks(box, QStringLiteral("3"));
    EXPECT_EQ(box->text(), QStringLiteral("312.4"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("12.4"));
    // Keys without a character of their own pass.
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(box->text(), QStringLiteral("2.4"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, QStringLiteral("x-9 "));
    EXPECT_EQ(box->text(), QStringLiteral("2.49"));
}

TEST_F(MainWindowNavigation, HookReadsThePositionFromTheAddressAndSetsTheButtons)
{
    session->CurrentLanguage = LangRussian;
    emit form->WebBrowser1->BeforeNavigate2(QStringLiteral("file:///somewhere/data/07012e.html"));
    EXPECT_EQ(position(), (CataloguePosition{7, 12}));
    EXPECT_EQ(session->CurrentLanguage, LangRussian);
    emit form->WebBrowser1->BeforeNavigate2(QStringLiteral("C:\\Cat\\data\\03001r.html"));
    EXPECT_EQ(position(), (CataloguePosition{3, 1}));
    emit form->WebBrowser1->BeforeNavigate2(QStringLiteral("file:///somewhere/index.html"));
    EXPECT_EQ(position(), (CataloguePosition{0, 0}));

    openAt(11, 7);
    ASSERT_FALSE(ui().cmdNext->isEnabled());
    for (const char* other : {"file:///d/a.html", "file:///d/12001r.html", "https://example.org/"}) {
        emit form->WebBrowser1->BeforeNavigate2(QString::fromLatin1(other));
        EXPECT_EQ(position(), (CataloguePosition{11, 7})) << other;
        EXPECT_FALSE(ui().cmdNext->isEnabled()) << other;
    }
    // Any address re-evaluates the buttons from the position as it stands.
    session->CurrentPosition = 6;
    emit form->WebBrowser1->BeforeNavigate2(QStringLiteral("about:blank"));
    EXPECT_TRUE(ui().cmdNext->isEnabled());
    session->CurrentCategory = 0;
    session->CurrentPosition = 1;
    emit form->WebBrowser1->BeforeNavigate2(QStringLiteral("about:blank"));
    EXPECT_FALSE(ui().cmdPrev->isEnabled());
}

TEST_F(MainWindowNavigation, NextAndPreviousContinueFromALinkedPage)
{
    emit form->WebBrowser1->BeforeNavigate2(session->ExeDir + QStringLiteral("data/05003e.html"));
    ui().cmdNext->click();
    EXPECT_EQ(opened(), QStringLiteral("05004e.html"));
    emit form->WebBrowser1->BeforeNavigate2(session->ExeDir + QStringLiteral("data/02000e.html"));
    ui().cmdPrev->click();
    EXPECT_EQ(opened(), QStringLiteral("01005e.html"));
}

// A link followed inside a page shown by the engine moves the position.
TEST_F(MainWindowNavigation, FollowingALinkInAShownPage)
{
    QWebEngineView* view = form->WebBrowser1->view();
    ASSERT_NE(view, nullptr);
    bool loaded = false;
    const auto done = QObject::connect(form->WebBrowser1, &TWebBrowser::loadFinished, [&](bool ok) { loaded = ok; });
    openAt(0, 2);
    openAt(0, 1);  // 00001e.html links to 04002e.html
    EXPECT_TRUE(QTest::qWaitFor([&] { return loaded; }, 60000)) << "page did not load";
    view->page()->runJavaScript(QStringLiteral("document.querySelector('a').click()"));
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            return position() == CataloguePosition{4, 2};
        },
        60000))
        << "position after the link: " << position();
    QObject::disconnect(done);
    ui().cmdNext->click();
    EXPECT_EQ(opened(), QStringLiteral("04003e.html"));
}
