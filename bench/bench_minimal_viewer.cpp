// The peer of the start-up figures: the least a Qt program needs to show one page file, a
// QWebEngineView with an off-the-record profile. It prints the time from its process start (the
// launcher's clock reading, the first argument) to the page loaded, and its memory then: PSS of
// this process and its HTML engine processes (KiB); and the time to the page drawn on the screen.
// With a third argument "stay" it stays open afterwards (for screen_watch, which ends it).
// Usage: bench_minimal_viewer LAUNCH_MS PAGE_FILE_OR_URL [stay]
#include "../tests/robustness/process_memory.h"
#include "first_frame.h"

#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    using namespace std::chrono;
    const auto nowMs = [] { return duration<double, std::milli>(system_clock::now().time_since_epoch()).count(); };
    const double launched = argc > 1 ? std::atof(argv[1]) : nowMs();
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LAUNCH_MS PAGE\n", argv[0]);
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const QUrl page = QUrl::fromUserInput(QString::fromLocal8Bit(argv[2]), QString(), QUrl::AssumeLocalFile);
    const bool stay = argc > 3 && std::strcmp(argv[3], "stay") == 0;

    QWebEngineProfile profile;  // no storage name: off the record; it outlives the view and its page
    QWebEngineView view;
    auto* webPage = new QWebEnginePage(&profile, &view);
    view.setPage(webPage);
    view.resize(1016, 640);
    view.show();
    double loaded = 0, painted = 0;
    bool loadedOk = false;
    ProcessMemory memory;
    const auto reportWhenDone = [&] {
        if (loaded == 0 || painted == 0)
            return;
        std::printf("viewer page %.1f painted %.1f pss %lld allocated %lld ok %d\n", loaded - launched,
                    painted - launched, static_cast<long long>(memory.totalKb()),
                    static_cast<long long>(memory.allocatedKb), loadedOk ? 1 : 0);
        std::fflush(stdout);
        if (!stay)
            QCoreApplication::quit();
    };
    QObject::connect(webPage, &QWebEnginePage::loadFinished, [&](bool ok) {
        loaded = nowMs();
        loadedOk = ok;
        memory = MeasureProcessMemory();
        reportWhenDone();
    });
    new FirstFrameWatch(&view, [&] {
        painted = nowMs();
        reportWhenDone();
    });
    view.load(page);
    return QCoreApplication::exec();
}
