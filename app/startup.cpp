#include "startup.h"

#include "ado_query.h"
#include "anchors.h"
#include "application.h"
#include "main_window.h"
#include "platform.h"
#include "session.h"
#include "search_window.h"
#include "splash.h"
#include "web_browser.h"

#include <QPointer>
#include <QTimer>

namespace {
// Once the watched window has been painted for the first time and has stayed up a moment, lays out,
// polishes and draws the hidden main window, so that its first showing only puts it on the screen.
// A choice made at once does not wait for it: by then the splash is gone and nothing is done.
class PrepareAfterFirstPaint : public QObject {
public:
    PrepareAfterFirstPaint(QWidget* window, TForm1* form) : QObject(window), window_(window), form_(form)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(PrepareDelayMs, this, [this] {
                if (window_ && window_->isVisible() && form_ && !form_->isVisible())
                    form_->PrepareFirstShowing();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Far less than anyone takes to read the splash and choose.
    static constexpr int PrepareDelayMs = 50;
    QPointer<QWidget> window_;
    QPointer<TForm1> form_;
};
}  // namespace

TStartup::TStartup() = default;

TStartup::~TStartup() { Release(); }

bool TStartup::CreateMainWindow(const QString& exePath)
{
    Form1 = new TForm1(session);
    RunReported([&] { Form1->FormCreate(exePath); });
    return !Form1->countCheckFailed();
}

void TStartup::ShowSplash()
{
    frmSplash = new TfrmSplash(session);
    // The HTML engine starts, and the first page in the splash's language loads, hidden, before the
    // splash shows: the engine's start holds up this thread, and a choice made the moment the
    // splash shows then finds the page on its way.
    Form1->PreloadFirstPage();
    CentreOnScreen(frmSplash);
    frmSplash->show();
    frmSplash->raise();
    frmSplash->activateWindow();
    new PrepareAfterFirstPaint(frmSplash, Form1);
}

void TStartup::WaitForSplash()
{
    while (frmSplash->isVisible())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    frmSplash->hide();
}

void TStartup::CreateSearchWindow()
{
    frmSearch = new TfrmSearch(session, Form1);
    Form1->setSearchWindow(frmSearch);
}

void TStartup::RunMessageLoop()
{
    CentreOnScreen(Form1);
    Form1->show();
    QCoreApplication::exec();
    if (Form1->ADOQuery1->Active())
        Form1->ADOQuery1->Close();
}

void TStartup::Release()
{
    if (released_)
        return;
    released_ = true;
    delete frmSearch;
    delete frmSplash;
    delete Form1;
    frmSearch = nullptr;
    frmSplash = nullptr;
    Form1 = nullptr;
    OleUninitialize();
}

int RunProgram(int& argc, char** argv)
{
    PrepareProcess();
    TApplication application(argc, argv);
    // The program ends by its own rules (Exit, the main window's close box, the splash), never
    // because some window happened to be the last one closed.
    TApplication::setQuitOnLastWindowClosed(false);
    TStartup startup;
    if (startup.CreateMainWindow(QCoreApplication::applicationFilePath())) {
        startup.ShowSplash();
        startup.WaitForSplash();
        if (!startup.session.SplashCancelled) {
            startup.CreateSearchWindow();
            startup.RunMessageLoop();
        }
    }
    startup.Release();
    return 0;
}
