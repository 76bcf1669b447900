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

namespace {
// Loads the main window's first page, hidden, once the watched window has been painted for the
// first time: the HTML engine, its renderer and the page start while the splash waits.
class PreloadAfterFirstPaint : public QObject {
public:
    PreloadAfterFirstPaint(QWidget* window, TForm1* form) : QObject(window), form_(form)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so the splash's paint reaches the screen first.
            if (TForm1* form = form_)
                QMetaObject::invokeMethod(form, &TForm1::PreloadFirstPage, Qt::QueuedConnection);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
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
    CentreOnScreen(frmSplash);
    frmSplash->show();
    frmSplash->raise();
    frmSplash->activateWindow();
    new PreloadAfterFirstPaint(frmSplash, Form1);
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
