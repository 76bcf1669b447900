// Reading aids on a real main window over the demo catalogue: dark pages drawn by the engine and
// the page back exactly as before when they go off; the zoom shown for a moment; the save dialog
// in the interface language, opening in the documents folder, its history kept off the disk and
// the saved file told in a note over the page.
#include "dark_pages.h"
#include "main_window.h"
#include "main_window_under_test.h"
#include "page_context_menu.h"
#include "page_output.h"
#include "session.h"
#include "test_support.h"
#include "ui_form1.h"
#include "web_browser.h"
#include "zoom_steps.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace testing_support;

namespace {

class ReadingAids : public ::testing::Test {
protected:
    void open(std::uint8_t language)
    {
        form = std::make_unique<TForm1>(session);
        form->FormCreate(demoCatalogueDir() + QStringLiteral("/velora-catalogue"));
        session.CurrentLanguage = language;
        QObject::connect(form->WebBrowser1, &TWebBrowser::loadFinished, [this](bool ok) { loads += ok ? 1 : 0; });
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
    QWebEngineView* view() { return form->WebBrowser1->view(); }
    void press(QKeyCombination keys)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
    }
    // The view as drawn, once two grabs in a row agree (the engine draws asynchronously).
    QImage settledPicture()
    {
        QImage last;
        QImage now = view()->grab().toImage();
        for (int i = 0; i < 50 && now != last; ++i) {
            QTest::qWait(150);
            last = now;
            now = view()->grab().toImage();
        }
        return now;
    }
    QVariant evaluate(const QString& script)
    {
        QVariant result;
        bool done = false;
        view()->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
        return result;
    }
    // For every element with text of its own: its tag, colour and the ground it is drawn on.
    QJsonArray textColours()
    {
        return QJsonDocument::fromJson(
                   evaluate(
                       QStringLiteral("JSON.stringify(Array.prototype.filter.call(document.body.querySelectorAll('*'),"
                                      " function (e) { return Array.prototype.some.call(e.childNodes, function (n) {"
                                      " return n.nodeType === 3 && n.textContent.trim(); }); }).map(function (e) {"
                                      " var g = e, ground = 'rgb(255, 255, 255)';"
                                      " for (; g; g = g.parentElement) { var c = getComputedStyle(g).backgroundColor;"
                                      " if (c !== 'rgba(0, 0, 0, 0)') { ground = c; break; } }"
                                      " return [e.tagName, getComputedStyle(e).color, ground]; }))"))
                       .toString()
                       .toUtf8())
            .array();
    }

    MessageRecorder messages;
    Session session;
    std::unique_ptr<TForm1> form;
    int loads = 0;
};

double MeanLightness(const QImage& image)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3, ++count)
            sum += QColor(image.pixel(x, y)).lightnessF();
    return count ? sum / count : 0;
}

QColor CssColour(const QJsonValue& value)
{
    const QStringList parts = value.toString().section(u'(', 1).section(u')', 0, 0).split(u',');
    return parts.size() >= 3 ? QColor(parts[0].toInt(), parts[1].toInt(), parts[2].toInt()) : QColor();
}

// Every text of the page shown against its ground: the lowest contrast and the element it is in.
std::pair<double, QString> LowestContrast(const QJsonArray& colours)
{
    std::pair<double, QString> lowest{21.0, QString()};
    for (const QJsonValue& entry : colours) {
        const QJsonArray e = entry.toArray();
        const double ratio = ContrastRatio(CssColour(e[1]), CssColour(e[2]));
        if (ratio < lowest.first)
            lowest = {ratio, e[0].toString() + u' ' + e[1].toString() + QStringLiteral(" on ") + e[2].toString()};
    }
    return lowest;
}

// Restores an environment variable when the test ends.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(const char* name)
        : name_(name), old_(qgetenv(name)), was_(qEnvironmentVariableIsSet(name))
    {}
    ~EnvironmentGuard() { was_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    QByteArray old_;
    bool was_;
};

}  // namespace

TEST(DarkPageColours, TextLinksAndMarksKeepSevenToOneAndDarkDesktopsAreRecognised)
{
    // The colours the style sheet gives, against its ground.
    const QColor ground = DarkPageBackground();
    for (const char* colour : {"#e6e6e6", "#8ec5ff"})
        EXPECT_GE(ContrastRatio(QColor(QString::fromLatin1(colour)), ground), 7.0) << colour;
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);

    QPalette light;
    light.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    light.setColor(QPalette::WindowText, Qt::black);
    EXPECT_FALSE(PaletteIsDark(light));
    EXPECT_TRUE(PaletteIsDark(DarkControlsPalette(light)));
    const QPalette dark = DarkControlsPalette(light);
    EXPECT_GE(ContrastRatio(dark.color(QPalette::Text), dark.color(QPalette::Base)), 7.0);
    EXPECT_GE(ContrastRatio(dark.color(QPalette::PlaceholderText), dark.color(QPalette::Base)), 7.0);
}

TEST(DarkPagesAtStart, OnWhenTheDesktopsColoursAreDarkOffOtherwise)
{
    const QPalette desktop = QApplication::palette();
    QApplication::setPalette(DarkControlsPalette(desktop));
    {
        MainWindowUnderTest window(LangEnglish, false);
        EXPECT_TRUE(window.form->WebBrowser1->darkPages());
    }
    QApplication::setPalette(desktop);
    MainWindowUnderTest window(LangEnglish, false);
    EXPECT_FALSE(window.form->WebBrowser1->darkPages());
}

TEST_F(ReadingAids, DarkPagesByKeyAndMenuEntryThenThePageExactlyAsBefore)
{
    open(LangEnglish);
    ui().tGoTo->setText(QStringLiteral("5.1"));
    ui().cmdGoTo->click();
    waitForLoads(2);
    const QImage before = settledPicture();
    ASSERT_GT(MeanLightness(before), 0.7) << "the page is drawn light";
    const QColor findBarGround =
        form->findChild<QWidget*>(QStringLiteral("findBar"))->palette().color(QPalette::Window);
    // The project's picture: its box on the page, inside its rounded corners (which let the page
    // show through).
    const QJsonArray box =
        QJsonDocument::fromJson(evaluate(QStringLiteral("var r = document.querySelector('img').getBoundingClientRect();"
                                                        " JSON.stringify([r.left, r.top, r.width, r.height])"))
                                    .toString()
                                    .toUtf8())
            .array();
    const int corner = 12;
    const auto at = [&](int i) { return qRound(box[i].toDouble()); };
    const QRect picture(at(0) + corner, at(1) + corner, at(2) - 2 * corner, at(3) - 2 * corner);
    ASSERT_TRUE(before.rect().contains(picture)) << picture.x() << "," << picture.y();

    press(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
    EXPECT_TRUE(form->WebBrowser1->darkPages());
    ASSERT_TRUE(QTest::qWaitFor([&] { return MeanLightness(view()->grab().toImage()) < 0.25; }, 10000))
        << "mean lightness " << MeanLightness(view()->grab().toImage());
    const QImage dark = settledPicture();
    // Every pixel of the picture is unchanged (its white lines are left out: white is also the
    // page's ground).
    int drawn = 0, changed = 0;
    for (int y = picture.top(); y <= picture.bottom(); ++y)
        for (int x = picture.left(); x <= picture.right(); ++x)
            if (before.pixel(x, y) != qRgb(255, 255, 255)) {
                ++drawn;
                changed += dark.pixel(x, y) != before.pixel(x, y) ? 1 : 0;
            }
    EXPECT_GT(drawn, picture.width() * picture.height() / 2);
    EXPECT_EQ(changed, 0) << "of " << drawn << " pixels of the picture";

    const auto [lowest, where] = LowestContrast(textColours());
    EXPECT_GE(lowest, 7.0) << where.toStdString();
    // The find bar follows the page.
    QWidget* findBar = form->findChild<QWidget*>(QStringLiteral("findBar"));
    ASSERT_NE(findBar, nullptr);
    form->ShowFindInPage();
    EXPECT_LT(findBar->palette().color(QPalette::Window).lightnessF(), 0.3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // A page opened while dark is dark from its start: the next one, and the catalogue's results
    // page with its marked words.
    ui().cmdNext->click();
    waitForLoads(3);
    EXPECT_LT(MeanLightness(settledPicture()), 0.25) << "the next page";
    form->ShowCatalogueSearch();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Velora"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return evaluate(QStringLiteral("document.querySelectorAll('mark').length")).toInt() > 0; }, 60000))
        << "no results page";
    EXPECT_LT(MeanLightness(settledPicture()), 0.25) << "the results page";
    const auto [lowestResult, whereResult] = LowestContrast(textColours());
    EXPECT_GE(lowestResult, 7.0) << whereResult.toStdString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // Off through the context menu's command: the same page again is drawn exactly as before.
    ui().tGoTo->setText(QStringLiteral("5.1"));
    ui().cmdGoTo->click();
    waitForLoads(5);
    form->WebBrowser1->runCommand(PageCommand::DarkPages);
    EXPECT_FALSE(form->WebBrowser1->darkPages());
    EXPECT_TRUE(QTest::qWaitFor([&] { return view()->grab().toImage() == before; }, 10000))
        << "mean lightness " << MeanLightness(view()->grab().toImage());
    EXPECT_EQ(findBar->palette().color(QPalette::Window), findBarGround);
}

TEST_F(ReadingAids, ZoomIsShownForAMomentOverThePageCorner)
{
    EXPECT_EQ(ZoomPercentText(1.25), "125%");
    EXPECT_EQ(ZoomPercentText(0.67), "67%");
    EXPECT_EQ(ZoomPercentText(3.0), "300%");

    open(LangRussian);
    auto* notice = form->findChild<QLabel*>(QStringLiteral("pageNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isVisible()) << "no notice before the zoom changes";
    press(Qt::CTRL | Qt::Key_Equal);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "110%");
    EXPECT_EQ(notice->accessibleName(), "110%");
    const QRect page = form->WebBrowser1->geometry();
    EXPECT_TRUE(page.contains(notice->geometry())) << "over the page";
    EXPECT_LT(notice->geometry().top() - page.top(), 40) << "at its top";
    EXPECT_LT(page.right() - notice->geometry().right(), 40) << "at its right";
    press(Qt::CTRL | Qt::Key_Minus);
    press(Qt::CTRL | Qt::Key_Minus);
    EXPECT_EQ(notice->text(), "90%");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !notice->isVisible(); }, 5000)) << "the notice goes by itself";
}

TEST_F(ReadingAids, SaveDialogInTheLanguageInTheDocumentsFolderAndTheSavedFileNoted)
{
    QTemporaryDir home;
    EnvironmentGuard keepHome("HOME"), keepConfig("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    const QString documents = home.filePath(QStringLiteral("Documents"));
    EXPECT_EQ(PdfSaveFolder(documents, home.path()), home.path()) << "no documents folder: the home folder";
    ASSERT_TRUE(QDir().mkpath(documents));
    EXPECT_EQ(PdfSaveFolder(documents, home.path()), documents);

    open(LangRussian);
    ui().tGoTo->setText(QStringLiteral("5.1"));
    ui().cmdGoTo->click();
    waitForLoads(2);
    struct Seen {
        QString accept, reject, lookIn, fileName, folder, file;
    };
    // Opens the save dialog by its key, notes what it shows and saves (or cancels).
    const auto saveDialog = [&](bool save) {
        Seen seen;
        QApplication::setActiveWindow(form.get());
        QTimer::singleShot(500, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = {dialog->labelText(QFileDialog::Accept), dialog->labelText(QFileDialog::Reject),
                    dialog->labelText(QFileDialog::LookIn), dialog->labelText(QFileDialog::FileName),
                    dialog->directory().absolutePath(),     dialog->selectedFiles().value(0)};
            QMetaObject::invokeMethod(dialog, save ? "accept" : "reject");
        });
        press(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        QTest::qWait(700);
        QApplication::setActiveWindow(form.get());
        return seen;
    };
    const Seen russian = saveDialog(true);
    EXPECT_EQ(russian.accept, "&Сохранить");
    EXPECT_EQ(russian.reject, "Отмена");
    EXPECT_EQ(russian.lookIn, "Перейти к:");
    EXPECT_EQ(russian.fileName, "&Имя файла:");
    EXPECT_EQ(russian.folder, documents);
    const QString pdf = documents + QStringLiteral("/5.1 Кластерная вычислительная система «Велора-Грид».pdf");
    EXPECT_EQ(russian.file, pdf);
    auto* notice = form->findChild<QLabel*>(QStringLiteral("pageNotice"));
    ASSERT_NE(notice, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notice->isVisible(); }, 60000)) << "no note of the saved file";
    EXPECT_EQ(notice->accessibleName(), "Страница сохранена: " + pdf);
    EXPECT_TRUE(QFileInfo(pdf).size() > 1000);
    EXPECT_EQ(messages.count(), 0) << "no box to close";
    EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{QFileInfo(pdf).fileName()});
    // Qt's dialogs keep their history nowhere.
    EXPECT_TRUE(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName().startsWith("/dev/null/"))
        << QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName().toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral(".config/QtProject.conf"))));

    // The program's own message keeps its text and caption with Qt's translations loaded.
    ui().tGoTo->setText(QStringLiteral("0.1"));
    ui().cmdGoTo->click();
    EXPECT_EQ(messages.last(), "Номер категории может быть от 1 до 11");
    EXPECT_EQ(messages.captions().value(0), "Catalogue VELORA 2014");

    form->cmdLangChnClick();
    const Seen chinese = saveDialog(false);
    EXPECT_EQ(chinese.accept, "保存");
    EXPECT_EQ(chinese.lookIn, "查找范围：");
    form->cmdLangClick();
    const Seen english = saveDialog(false);
    EXPECT_EQ(english.accept, "Save");
    EXPECT_EQ(english.lookIn, "Look in:");
    EXPECT_EQ(QDir(documents).entryList(QDir::Files).size(), 1) << "cancelled dialogs write nothing";
}
