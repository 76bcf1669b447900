// Start-up timing of the real program's steps, one start per process:
//   splash   from the process start (the launcher's clock reading, passed as the first argument)
//            to the splash window exposed on the screen;
//   page     from the language choice to the first page loaded in the HTML view;
//   painted  from the language choice to the first page drawn in the view on the screen;
//   start    from the process start to the first page loaded;
//   next     the median time of Next to its page loaded, over the first ten Next steps;
//   pss      memory (PSS) of this process and its HTML engine processes after the first page (KiB);
//   allocated  of that, the anonymous and shared-memory pages (less moved by other programs);
//   search   the same after a search listing every project (KiB);
//   view     where the HTML view lies on the screen (x,y,w,h);
//   url      the first page, for the minimal viewer to load.
// The catalogue is the demo one beside the program, or the folder given as the second argument;
// the third argument is how long the splash stays up before the choice, in ms (default 0: at once);
// the fourth the language chosen: r (default), e or c.
// bench/startup.sh runs it repeatedly on a virtual display and prints the medians.
#include "../tests/robustness/process_memory.h"
#include "first_frame.h"
#include "application.h"
#include "main_window.h"
#include "platform.h"
#include "splash.h"
#include "startup.h"
#include "ui_form1.h"
#include "search_window.h"
#include "ui_frmsearch.h"
#include "ui_splash.h"
#include "web_browser.h"

#include <QDir>
#include <QElapsedTimer>
#include <QWindow>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double NowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}
}  // namespace

int main(int argc, char** argv)
{
    const double launched = argc > 1 ? std::atof(argv[1]) : NowMs();
    PrepareProcess();
    TApplication application(argc, argv);
    TApplication::setQuitOnLastWindowClosed(false);
    TStartup startup;
    // The demo catalogue beside the program in the build folder.
    const QString catalogue = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(VELORA_BUILD_DIR);
    const int splashDelayMs = argc > 3 ? std::atoi(argv[3]) : 0;
    const char language = argc > 4 ? argv[4][0] : 'r';
    startup.CreateMainWindow(catalogue + QStringLiteral("/velora-catalogue"));
    startup.ShowSplash();
    while (!startup.frmSplash->windowHandle() || !startup.frmSplash->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double splashShown = NowMs();

    double chosen = 0, firstPage = 0, painted = 0;
    std::vector<double> nextTimes;
    double stepStarted = 0;
    long long pss = 0, searchPss = 0, allocated = 0;
    QString firstUrl;
    // Next is pressed ten times once the first page is both loaded and drawn, each press when the
    // page before it has loaded; then a search with no criteria lists every project.
    std::function<void()> stepOn = [&] {
        if (nextTimes.size() == 10) {
            startup.frmSearch->controls().cmdFind->click();
            searchPss = MeasureProcessMemory().totalKb();
            QCoreApplication::quit();
            return;
        }
        QTimer::singleShot(0, [&] {
            stepStarted = NowMs();
            startup.Form1->cmdNextClick();
        });
    };
    QTimer::singleShot(splashDelayMs, [&] {
        chosen = NowMs();
        new FirstFrameWatch(startup.Form1->WebBrowser1->view(), [&] {
            painted = NowMs();
            if (firstPage > 0)
                stepOn();
        });
        const auto& buttons = startup.frmSplash->controls();
        (language == 'e' ? buttons.cmdEng : language == 'c' ? buttons.cmdChn : buttons.cmdRus)->click();
    });
    startup.WaitForSplash();
    startup.CreateSearchWindow();
    QObject::connect(startup.Form1->WebBrowser1, &TWebBrowser::BeforeNavigate2, [&](const QString& url) {
        if (firstUrl.isEmpty())
            firstUrl = url;
    });
    QObject::connect(startup.Form1->WebBrowser1, &TWebBrowser::loadFinished, [&](bool) {
        const double now = NowMs();
        if (firstPage == 0) {
            firstPage = now;
            const ProcessMemory memory = MeasureProcessMemory();
            pss = memory.totalKb();
            allocated = memory.allocatedKb;
            if (painted == 0)
                return;
        } else {
            nextTimes.push_back(now - stepStarted);
        }
        stepOn();
    });
    QTimer::singleShot(120000, [] { QCoreApplication::quit(); });
    startup.RunMessageLoop();

    // Where the HTML view lies on the screen, for the screen watcher's split of window and page.
    QWidget* view = startup.Form1->WebBrowser1->view();
    const QRect viewRect(view->mapToGlobal(QPoint(0, 0)), view->size());
    std::sort(nextTimes.begin(), nextTimes.end());
    const double nextMedian = nextTimes.empty() ? -1 : nextTimes[nextTimes.size() / 2];
    std::printf(
        "splash %.1f page %.1f painted %.1f start %.1f next %.1f pss %lld allocated %lld search %lld rows %s view "
        "%d,%d,%d,%d url %s\n",
        splashShown - launched, firstPage - chosen, painted > 0 ? painted - chosen : -1, firstPage - launched,
        nextMedian, pss, allocated, searchPss, startup.frmSearch->controls().lblRecCount->text().toUtf8().constData(),
        viewRect.x(), viewRect.y(), viewRect.width(), viewRect.height(), firstUrl.toUtf8().constData());
    return 0;
}
