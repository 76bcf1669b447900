// Start-up timing of the real program's steps, one start per process:
//   splash   from the process start (the launcher's clock reading, passed as the first argument)
//            to the splash window exposed on the screen;
//   page     from the language choice to the first page loaded in the HTML view;
//   next     the median time of Next to its page loaded, over the first ten Next steps;
//   rss      memory of this process and its HTML engine processes after the first page (KiB);
//   search   the same after a search listing every project (KiB).
// The catalogue is the demo one beside the program, or the folder given as the second argument.
// bench/startup.sh runs it repeatedly on a virtual display and prints the medians.
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
#include <vector>

namespace {
double NowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

// Resident memory of a process and all its descendants, from /proc.
long TreeRssKiB(long pid)
{
    long total = 0;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                total += line.mid(6).trimmed().split(' ').first().toLong();
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (children.open(QIODevice::ReadOnly))
        for (const QByteArray& child : children.readAll().split(' '))
            if (!child.trimmed().isEmpty())
                total += TreeRssKiB(child.trimmed().toLong());
    return total;
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
    startup.CreateMainWindow(catalogue + QStringLiteral("/velora-catalogue"));
    startup.ShowSplash();
    while (!startup.frmSplash->windowHandle() || !startup.frmSplash->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double splashShown = NowMs();

    double chosen = 0, firstPage = 0;
    std::vector<double> nextTimes;
    double stepStarted = 0;
    long rss = 0, searchRss = 0;
    QTimer::singleShot(0, [&] {
        chosen = NowMs();
        startup.frmSplash->controls().cmdRus->click();
    });
    startup.WaitForSplash();
    startup.CreateSearchWindow();
    QObject::connect(startup.Form1->WebBrowser1, &TWebBrowser::loadFinished, [&](bool) {
        const double now = NowMs();
        if (firstPage == 0) {
            firstPage = now;
            rss = TreeRssKiB(QCoreApplication::applicationPid());
        } else {
            nextTimes.push_back(now - stepStarted);
        }
        if (nextTimes.size() == 10) {
            // A search with no criteria lists every project.
            startup.frmSearch->controls().cmdFind->click();
            searchRss = TreeRssKiB(QCoreApplication::applicationPid());
            QCoreApplication::quit();
            return;
        }
        QTimer::singleShot(0, [&] {
            stepStarted = NowMs();
            startup.Form1->cmdNextClick();
        });
    });
    QTimer::singleShot(120000, [] { QCoreApplication::quit(); });
    startup.RunMessageLoop();

    std::sort(nextTimes.begin(), nextTimes.end());
    const double nextMedian = nextTimes.empty() ? -1 : nextTimes[nextTimes.size() / 2];
    std::printf("splash %.1f page %.1f next %.1f rss %ld search %ld rows %s\n", splashShown - launched,
                firstPage - chosen, nextMedian, rss, searchRss,
                startup.frmSearch->controls().lblRecCount->text().toUtf8().constData());
    return 0;
}
