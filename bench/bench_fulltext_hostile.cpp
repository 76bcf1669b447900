// The full-text index under hostile use, on the tool's largest synthetic catalogue (11 x 999
// projects x 3 languages, 33,009 pages) with one page of 50 MB of common words added:
//  - opening the index with its staleness check, against opening the Xapian database alone;
//  - `find` as a whole process against Xapian's own `quest` with the same query on the same index
//    (the same parser flags, default AND, 50 hits; quest makes no snippets);
//  - the worst queries (wildcards, 10,000 words joined by OR, 32,767 Chinese characters, a query
//    that hits the page of 50 MB): time and the peak PSS a query adds, against quest;
//  - four threads querying one index against one thread doing the same queries;
//  - the index built in memory: time, PSS added, pages left out, and how long a cancelled build
//    takes to end (what Ctrl+Q waits for).
// Usage: bench_fulltext_hostile [CATALOGUE_DIR] (a catalogue with its index, used as it is; built
// there, or in a temporary folder, when it has no index). Runs: BENCH_RUNS (default 7).
// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "../tests/robustness/process_memory.h"
#include "catalogue_index.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <future>
#include <thread>
#include <vector>

namespace {

QString Tool() { return QStringLiteral(VELORA_BUILD_DIR "/velora-catalogue-tool"); }

int Runs()
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue("BENCH_RUNS", &ok);
    return ok && runs > 0 ? runs : 7;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Ms(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

bool Run(const QString& program, const QStringList& arguments, int timeoutMs = 1800000)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit;
}

// Milliseconds of a whole process; -1 when it overran the timeout, -2 when it did not start.
double ProcessMs(const QString& program, const QStringList& arguments, int timeoutMs = 120000)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -2;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return Ms(timer);
}

QString ProcessText(double ms, int timeoutMs)
{
    if (ms == -2)
        return QStringLiteral("did not start");
    if (ms < 0)
        return QStringLiteral("over %1 s").arg(timeoutMs / 1000);
    return QStringLiteral("%1 ms").arg(ms, 0, 'f', 1);
}

// The peak PSS the work adds to this process, sampled every 5 ms, and its time.
struct Peak {
    double ms = 0;
    double addedMiB = 0;
};

template <typename Work>
Peak Measure(Work work)
{
    const std::int64_t before = MeasureProcessMemory().ownKb;
    std::atomic_bool done{false};
    std::atomic<std::int64_t> peak{before};
    std::thread sampler([&] {
        while (!done) {
            peak = std::max(peak.load(), MeasureProcessMemory().ownKb);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    QElapsedTimer timer;
    timer.start();
    work();
    Peak result{Ms(timer), 0};
    done = true;
    sampler.join();
    result.addedMiB = double(std::max<std::int64_t>(0, peak.load() - before)) / 1024;
    return result;
}

QStringList QuestArguments(const QString& index, const QString& query)
{
    return {QStringLiteral("-d"),
            index,
            QStringLiteral("-m"),
            QStringLiteral("50"),
            QStringLiteral("-c"),
            QStringLiteral("1000"),
            QStringLiteral("-o"),
            QStringLiteral("and"),
            QStringLiteral("-f"),
            QStringLiteral("phrase,boolean,lovehate,wildcard,cjk_ngram"),
            query};
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = Runs();
    QTemporaryDir built;
    const QString catalogue = argc > 1 ? QString::fromLocal8Bit(argv[1]) : built.path();
    if (!QFileInfo::exists(catalogue + QStringLiteral("/index"))) {
        std::printf("building the synthetic catalogue of 10,989 projects with a page of 50 MB...\n");
        std::fflush(stdout);
        if (!Run(Tool(), {QStringLiteral("build"), QStringLiteral("--synthetic"), QStringLiteral("10989"), catalogue}))
            return 1;
        QFile huge(catalogue + QStringLiteral("/data/11999e.html"));
        if (!huge.open(QIODevice::WriteOnly))
            return 1;
        huge.write("<html><head><meta charset=\"utf-8\"><title>Huge</title></head><body><p>zebrafish ");
        for (int block = 0; block < 50 * 1024; ++block)
            huge.write(
                QByteArray("pump pressure filter sensor reactor membrane alloy turbine enzyme well ").repeated(14));
        huge.write("</p></body></html>");
        huge.close();
        if (!Run(Tool(), {QStringLiteral("index"), catalogue}))
            return 1;
    }
    const QString index = catalogue + QStringLiteral("/index");
    std::printf("catalogue %s\n\n", qPrintable(catalogue));

    // Opening with the staleness check, against the database alone.
    std::vector<double> quick, pages, alone;
    for (int run = 0; run < runs * 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!fulltext::TryOpenIndex(catalogue).index)
            return 1;
        quick.push_back(Ms(timer));
        timer.restart();
        const Xapian::Database database(QFile::encodeName(index).toStdString());
        alone.push_back(Ms(timer) + 0 * database.get_doccount());
        if (run < runs) {
            timer.restart();
            if (!fulltext::TryOpenIndex(catalogue, fulltext::Verification::Pages).index)
                return 1;
            pages.push_back(Ms(timer));
        }
    }
    std::printf("%-62s %9.2f ms\n", "open + staleness check (quick: tool, web edition)", Median(quick));
    std::printf("%-62s %9.2f ms\n", "open + every page's size and time (the browser, own thread)", Median(pages));
    std::printf("%-62s %9.2f ms   ratio %.1f\n", "peer: Xapian::Database opened alone", Median(alone),
                Median(quick) / std::max(0.001, Median(alone)));

    // Whole processes.
    std::printf("\nwhole process, median of %d: find (50 hits, snippets) against quest (50 hits, no snippets)\n", runs);
    for (const QString query :
         {QStringLiteral("pump"), QStringLiteral("насосы давление"), QStringLiteral("泵"), QStringLiteral("press*")}) {
        std::vector<double> find, quest;
        for (int run = 0; run < runs; ++run) {
            find.push_back(ProcessMs(Tool(), {QStringLiteral("find"), catalogue, query}));
            quest.push_back(ProcessMs(QStringLiteral("quest"), QuestArguments(index, query)));
        }
        std::printf("  %-30s find %8.1f ms   quest %8.1f ms   ratio %.2f\n", qPrintable(query), Median(find),
                    Median(quest), Median(find) / std::max(0.001, Median(quest)));
    }
    std::printf("  peer command: quest %s\n", qPrintable(QuestArguments(index, QStringLiteral("QUERY")).join(u' ')));

    // The worst queries.
    QStringList words = {QStringLiteral("pump"),   QStringLiteral("pressure"), QStringLiteral("filter"),
                         QStringLiteral("sensor"), QStringLiteral("reactor"),  QStringLiteral("membrane"),
                         QStringLiteral("alloy"),  QStringLiteral("turbine"),  QStringLiteral("насос"),
                         QStringLiteral("фильтр"), QStringLiteral("水泵"),     QStringLiteral("压力")};
    // Short enough for one argument of a process (128 KiB).
    QStringList orWords;
    for (int i = 0; i < 10000; ++i)
        orWords << words[i % words.size()];
    const std::vector<std::pair<const char*, QString>> hostile = {
        {"\"a* \" typed 3,000 times", QStringLiteral("a* ").repeated(3000)},
        {"\"p* s* f* m* a* t* r* c*\" (8 wildcards)", QStringLiteral("p* s* f* m* a* t* r* c*")},
        {"10,000 words joined by OR", orWords.join(QStringLiteral(" OR "))},
        {"32,767 Chinese characters", QStringLiteral("水泵压力过滤器传感器反应器温度合金").repeated(2000).left(32767)},
        {"32 common words (AND)", words.mid(0, 8).join(u' ').repeated(4)},
        {"\"pump\"", QStringLiteral("pump")},
        {"a word of the 50 MB page only", QStringLiteral("zebrafish")},
    };
    const auto opened = fulltext::OpenIndex(catalogue);
    if (!opened)
        return 1;
    std::printf("\nworst queries (median of %d): in process, with the peak PSS it adds; find as a whole process"
                "  |  quest, once\n",
                runs);
    for (const auto& [name, query] : hostile) {
        std::vector<double> times, memory, find;
        bool cut = false;
        for (int run = 0; run < runs; ++run) {
            fulltext::Results results;
            const Peak peak = Measure([&] { results = opened->Find(query, QStringLiteral("e"), 0, 50); });
            times.push_back(peak.ms);
            memory.push_back(peak.addedMiB);
            cut = results.cut;
            find.push_back(ProcessMs(Tool(), {QStringLiteral("find"), catalogue, query}));
        }
        const double quest = ProcessMs(QStringLiteral("quest"), QuestArguments(index, query), 30000);
        std::printf("  %-40s %7.1f ms %5.1f MiB%s find %s  |  quest %s\n", name, Median(times), Median(memory),
                    cut ? " (cut)" : "      ", qPrintable(ProcessText(Median(find), 120000)),
                    qPrintable(ProcessText(quest, 30000)));
    }

    // Several threads on one index.
    const QStringList mixed = {
        QStringLiteral("pump"),   QStringLiteral("насосы"),           QStringLiteral("泵"),
        QStringLiteral("press*"), QStringLiteral("\"pump station\""), QStringLiteral("filter OR membrane")};
    constexpr int kQueriesPerThread = 60;
    const auto queryMany = [&](int count) {
        for (int at = 0; at < count; ++at)
            opened->Find(mixed[at % mixed.size()], QStringLiteral("r"), 0, 50);
    };
    std::vector<double> serial, parallel;
    for (int run = 0; run < std::max(1, runs / 2); ++run) {
        QElapsedTimer timer;
        timer.start();
        queryMany(4 * kQueriesPerThread);
        serial.push_back(Ms(timer));
        timer.restart();
        std::vector<std::future<void>> threads;
        for (int thread = 0; thread < 4; ++thread)
            threads.push_back(std::async(std::launch::async, queryMany, kQueriesPerThread));
        for (auto& thread : threads)
            thread.get();
        parallel.push_back(Ms(timer));
    }
    std::printf("\n%-62s %9.1f ms\n", "240 queries on 4 threads at once", Median(parallel));
    std::printf("%-62s %9.1f ms   ratio %.2f (%u cores)\n", "peer: the same 240 queries on one thread", Median(serial),
                Median(parallel) / std::max(0.001, Median(serial)), std::thread::hardware_concurrency());

    // The index built in memory, and a build cancelled halfway.
    std::int64_t before = MeasureProcessMemory().ownKb;
    QElapsedTimer timer;
    timer.start();
    const std::atomic_bool go{false};
    auto inMemory = fulltext::BuildInMemory(catalogue, {}, go);
    const double buildSeconds = Ms(timer) / 1000;
    const std::int64_t added = MeasureProcessMemory().ownKb - before;
    if (!inMemory)
        return 1;
    const int leftOut = inMemory->Find(QStringLiteral("pump"), QStringLiteral("e"), 0, 1).pagesLeftOut;
    std::printf("\n%-62s %9.1f s, PSS +%lld MiB, %d pages, %d left out\n", "index built in memory", buildSeconds,
                static_cast<long long>(added / 1024), inMemory->PageCount(), leftOut);
    inMemory.reset();
    std::vector<double> cancelled;
    for (int run = 0; run < runs; ++run) {
        std::atomic_bool cancel{false};
        auto building = std::async(std::launch::async, [&] { return fulltext::BuildInMemory(catalogue, {}, cancel); });
        std::this_thread::sleep_for(std::chrono::milliseconds(500 + 300 * run));
        timer.restart();
        cancel = true;
        building.get();
        cancelled.push_back(Ms(timer));
    }
    std::printf("%-62s %9.1f ms (longest %.1f ms)\n", "a build in memory cancelled: until it has ended",
                Median(cancelled), *std::max_element(cancelled.begin(), cancelled.end()));
    return 0;
}
