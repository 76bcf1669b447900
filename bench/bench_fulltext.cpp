// The full-text index on the catalogue tool's largest synthetic catalogue (11 categories x 999
// projects x 3 languages, about 33,000 page files): the tool's `index` run, the index's size, the
// latency of 100 varied queries with their snippets (50 hits, a results page), and the in-memory
// index the browser builds for the demo catalogue and for the 33,000 pages. Peer in the same run:
// grep over the page files for the same words, phrases and alternatives, leaving out the files
// with a NOT word, one query after the other (the commands are printed). With BENCH_PEER_TOOL
// naming another build of the catalogue tool (an earlier version), that tool indexes the same
// catalogue in the same run, round by round with this one, for the time and size before and after.
#include "catalogue_index.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int ProjectCount = 11 * 999;

int Runs(const char* name, int fallback)
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue(name, &ok);
    return ok && runs > 0 ? runs : fallback;
}

QString Tool() { return QStringLiteral(VELORA_BUILD_DIR "/velora-catalogue-tool"); }

bool RunTool(const QStringList& arguments, const QString& program = Tool())
{
    QProcess tool;
    tool.start(program, arguments);
    return tool.waitForFinished(1800000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Percentile90(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() * 9 / 10];
}

double Milliseconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

qint64 FolderBytes(const QString& folder)
{
    qint64 bytes = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        it.next();
        bytes += it.fileInfo().size();
    }
    return bytes;
}

// Proportional set size of this process in KiB.
long PssKb()
{
    QFile file(QStringLiteral("/proc/self/smaps_rollup"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression pss(QStringLiteral("^Pss:\\s+(\\d+) kB"), QRegularExpression::MultilineOption);
    return pss.match(QString::fromLatin1(file.readAll())).captured(1).toLong();
}

// 100 queries of every kind the parser takes, in the three languages, over the generated vocabulary.
QStringList Queries()
{
    const QStringList russian = {QStringLiteral("насосы"),    QStringLiteral("давление"), QStringLiteral("фильтров"),
                                 QStringLiteral("датчика"),   QStringLiteral("реакторы"), QStringLiteral("температуры"),
                                 QStringLiteral("сплав"),     QStringLiteral("мембраны"), QStringLiteral("катализатор"),
                                 QStringLiteral("удобрения"), QStringLiteral("турбины"),  QStringLiteral("коррозии"),
                                 QStringLiteral("спутник"),   QStringLiteral("ферментов")};
    const QStringList english = {
        QStringLiteral("pumps"),      QStringLiteral("pressure"), QStringLiteral("filter"),
        QStringLiteral("sensors"),    QStringLiteral("reactor"),  QStringLiteral("temperatures"),
        QStringLiteral("alloys"),     QStringLiteral("membrane"), QStringLiteral("catalysts"),
        QStringLiteral("fertiliser"), QStringLiteral("turbine"),  QStringLiteral("corrosion"),
        QStringLiteral("satellites"), QStringLiteral("enzyme")};
    const QStringList chinese = {QStringLiteral("泵"),     QStringLiteral("压力"),   QStringLiteral("过滤器"),
                                 QStringLiteral("传感器"), QStringLiteral("反应器"), QStringLiteral("温度"),
                                 QStringLiteral("合金"),   QStringLiteral("膜"),     QStringLiteral("催化剂"),
                                 QStringLiteral("肥料"),   QStringLiteral("涡轮机"), QStringLiteral("腐蚀"),
                                 QStringLiteral("卫星"),   QStringLiteral("酶")};
    QStringList queries;
    for (int i = 0; queries.size() < 100; ++i) {
        const int a = i % russian.size(), b = (i * 5 + 3) % russian.size();
        const QStringList& words = i % 3 == 0 ? russian : i % 3 == 1 ? english : chinese;
        switch (i % 7) {
        case 0: queries << words[a]; break;
        case 1: queries << words[a] + u' ' + words[b]; break;
        case 2: queries << (i % 3 == 2 ? words[a] : QStringLiteral("\"%1 %2\"").arg(english[a], english[b])); break;
        case 3: queries << words[a].left(std::max<qsizetype>(1, words[a].size() - 2)) + u'*'; break;
        case 4: queries << words[a] + QStringLiteral(" -") + words[b]; break;
        case 5: queries << words[a] + QStringLiteral(" OR ") + words[b]; break;
        default: queries << english[a] + u' ' + russian[b]; break;
        }
    }
    return queries;
}

// The grep pipeline that finds the page files a query matches, as near as fixed texts can: each
// required word or "phrase" narrows the files found so far, "a OR b" looks for either, "-word"
// drops the files that hold it; a prefix is looked for as it stands (grep finds it inside words).
QString GrepCommand(const QString& data, const QString& query)
{
    QStringList required, excluded;
    const QStringList parts = QString(query).remove(u'*').split(u' ', Qt::SkipEmptyParts);
    for (int at = 0; at < parts.size(); ++at) {
        QString part = parts[at];
        if (part.startsWith(u'"')) {  // a phrase, up to its closing quote
            while (!part.endsWith(u'"') && at + 1 < parts.size())
                part += u' ' + parts[++at];
            part.remove(u'"');
        }
        if (part == QLatin1String("OR") && !required.isEmpty() && at + 1 < parts.size())
            required.last() += QStringLiteral(" -e '%1'").arg(parts[++at]);
        else if (part.startsWith(u'-'))
            excluded << QStringLiteral("-e '%1'").arg(part.mid(1));
        else
            required << QStringLiteral("-e '%1'").arg(part);
    }
    QString command = QStringLiteral("grep -rilF %1 '%2'").arg(required.value(0), data);
    for (const QString& words : required.mid(1))
        command += QStringLiteral(" | xargs -r grep -ilF %1").arg(words);
    for (const QString& word : excluded)
        command += QStringLiteral(" | xargs -r grep -iLF %1").arg(word);
    return command;
}

double GrepMilliseconds(const QString& command)
{
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command + QStringLiteral(" > /dev/null")});
    return Milliseconds(timer);
}

}  // namespace

int main()
{
    QTemporaryDir folder;
    std::printf("building the synthetic catalogue of %d projects...\n", ProjectCount);
    std::fflush(stdout);
    if (!RunTool(
            {QStringLiteral("build"), QStringLiteral("--synthetic"), QString::number(ProjectCount), folder.path()})) {
        std::fprintf(stderr, "the catalogue tool could not build the synthetic catalogue\n");
        return 1;
    }
    const QString data = folder.path() + QStringLiteral("/data");
    const int pageFiles = int(QDir(data).entryList({QStringLiteral("*.html")}, QDir::Files).size());

    const QString peerTool = qEnvironmentVariable("BENCH_PEER_TOOL");
    std::vector<double> indexRuns, peerIndexRuns;
    double peerIndexMb = 0;
    for (int run = 0; run < Runs("BENCH_INDEX_RUNS", 3); ++run) {
        if (!peerTool.isEmpty()) {
            if (run == 0)
                std::printf("peer: %s index %s\n", qPrintable(peerTool), qPrintable(folder.path()));
            QElapsedTimer timer;
            timer.start();
            if (!RunTool({QStringLiteral("index"), folder.path()}, peerTool))
                return 1;
            peerIndexRuns.push_back(Milliseconds(timer) / 1000);
            peerIndexMb = double(FolderBytes(folder.path() + QStringLiteral("/index"))) / 1048576;
        }
        QElapsedTimer timer;
        timer.start();
        if (!RunTool({QStringLiteral("index"), folder.path()}))
            return 1;
        indexRuns.push_back(Milliseconds(timer) / 1000);
    }
    const double indexMb = double(FolderBytes(folder.path() + QStringLiteral("/index"))) / 1048576;
    const double dataMb = double(FolderBytes(data)) / 1048576;

    const auto index = fulltext::OpenIndex(folder.path());
    if (!index)
        return 1;
    const QStringList queries = Queries();
    std::vector<double> ours, grep;
    int hits = 0;
    for (int run = 0; run < Runs("BENCH_QUERY_RUNS", 3); ++run)
        for (const QString& query : queries) {
            QElapsedTimer timer;
            timer.start();
            const fulltext::Results results = index->Find(query, QStringLiteral("r"), 0, 50);
            ours.push_back(Milliseconds(timer));
            hits += int(results.hits.size());
        }
    for (int k = 0; k < queries.size(); ++k) {
        const QString command = GrepCommand(data, queries[k]);
        if (k < 7)  // one query of each kind
            std::printf("peer for %s: %s\n", queries[k].toUtf8().constData(), command.toUtf8().constData());
        grep.push_back(GrepMilliseconds(command));
    }

    std::vector<double> demo;
    const std::atomic_bool cancel{false};
    for (int run = 0; run < Runs("BENCH_DEMO_RUNS", 9); ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto built = fulltext::BuildInMemory(QStringLiteral(VELORA_BUILD_DIR), {}, cancel);
        demo.push_back(Milliseconds(timer));
        if (!built)
            return 1;
    }
    std::vector<double> large;
    long pssGrowthKb = 0;
    for (int run = 0; run < Runs("BENCH_MEMORY_RUNS", 1); ++run) {
        const long before = PssKb();
        QElapsedTimer timer;
        timer.start();
        const auto built = fulltext::BuildInMemory(folder.path(), {}, cancel);
        large.push_back(Milliseconds(timer) / 1000);
        pssGrowthKb = PssKb() - before;
        if (!built || built->PageCount() != pageFiles)
            return 1;
    }

    const double oursMedian = Median(ours), grepMedian = Median(grep);
    std::printf("%-58s %12s\n", "measure", "median");
    std::printf("%-58s %10.1f s\n", "tool index, 33,000 pages", Median(indexRuns));
    std::printf("%-58s %8.0f MiB (page files %.0f MiB)\n", "index size", indexMb, dataMb);
    if (!peerIndexRuns.empty()) {
        std::printf("%-58s %10.1f s\n", "peer tool index, 33,000 pages", Median(peerIndexRuns));
        std::printf("%-58s %10.2f\n", "ratio index time / peer's", Median(indexRuns) / Median(peerIndexRuns));
        std::printf("%-58s %8.0f MiB\n", "peer tool index size", peerIndexMb);
    }
    std::printf("%-58s %9.2f ms (90%%: %.2f ms; %d hits)\n", "query with 50 snippets, 100 queries", oursMedian,
                Percentile90(ours), hits);
    std::printf("%-58s %9.2f ms\n", "peer: grep for the same words (commands above)", grepMedian);
    std::printf("%-58s %9.0f x faster\n", "ratio grep / index", oursMedian > 0 ? grepMedian / oursMedian : 0);
    std::printf("%-58s %9.0f ms\n", "in-memory index, demo catalogue", Median(demo));
    std::printf("%-58s %10.1f s (PSS +%ld MiB)\n", "in-memory index, 33,000 pages", Median(large), pssGrowthKb / 1024);
    return 0;
}
