// Speed of the catalogue database steps: counting at start on an SQLite catalogue, importing each
// genuine Access sample (against mdb-export of all its tables, the commands in the label), and a
// search over 100,000 projects.
#include "ado_query.h"
#include "jet_import.h"
#include "project_counts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

const char* const kJetSamples[] = {"testV1997.mdb", "testV2000.mdb", "testUnicodeCompV2003.mdb"};

QString jetSample(benchmark::State& state)
{
    return QStringLiteral(VELORA_JET_SAMPLES_DIR "/") + QLatin1String(kJetSamples[state.range(0)]);
}

// A catalogue of `projects` projects spread over the eleven categories, Russian texts included.
QString makeCatalogue(QTemporaryDir& dir, int projects)
{
    const QString path = dir.path() + QStringLiteral("/velora2014.mdb");
    if (QFile::exists(path))
        return dir.path() + QLatin1Char('/');
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db,
                 "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"
                 "CREATE TABLE c (cn INTEGER, ctrus TEXT, cteng TEXT);"
                 "CREATE TABLE cc (cat INTEGER, d INTEGER, n INTEGER, pcat INTEGER);"
                 "CREATE TABLE rus (d INTEGER, n INTEGER, tdb TEXT, odb TEXT, a TEXT, o_tdb TEXT, r TEXT, r_d TEXT);"
                 "CREATE TABLE eng (d INTEGER, n INTEGER, tdb TEXT, odb TEXT, a TEXT, o_tdb TEXT, r TEXT, r_d TEXT);",
                 nullptr, nullptr, nullptr);
    for (int i = 1; i <= 11; ++i)
        sqlite3_exec(
            db, QStringLiteral("INSERT INTO c VALUES (%1, 'Категория %1', 'Category %1')").arg(i).toUtf8().constData(),
            nullptr, nullptr, nullptr);
    sqlite3_stmt* cc = nullptr;
    sqlite3_stmt* rus = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO cc VALUES (?, ?, ?, ?)", -1, &cc, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO rus VALUES (?, ?, ?, ?, ?, ?, ?, ?)", -1, &rus, nullptr);
    const char* words[] = {"Насос", "Компрессор", "Установка", "Материал", "Способ", "Датчик", "Система"};
    int perCategory[12] = {};
    for (int p = 0; p < projects; ++p) {
        const int cat = p % 11 + 1, d = p % 7 + 1, n = p / 7 + 1;
        sqlite3_bind_int(cc, 1, cat);
        sqlite3_bind_int(cc, 2, d);
        sqlite3_bind_int(cc, 3, n);
        sqlite3_bind_int(cc, 4, ++perCategory[cat]);
        sqlite3_step(cc);
        sqlite3_reset(cc);
        const QByteArray title = QStringLiteral("%1 для обработки изделий номер %2").arg(words[p % 7]).arg(p).toUtf8();
        const QByteArray org = QStringLiteral("Институт проблем механики %1").arg(p % 50).toUtf8();
        const QByteArray address =
            QStringLiteral("ул. Ленина, %1; тел. 123-45-%1, факс 123-45-00").arg(p % 90).toUtf8();
        const QByteArray person = QStringLiteral("Сотрудников %1").arg(p % 1000).toUtf8();
        sqlite3_bind_int(rus, 1, d);
        sqlite3_bind_int(rus, 2, n);
        sqlite3_bind_text(rus, 3, title.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rus, 4, org.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rus, 5, address.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_null(rus, 6);
        sqlite3_bind_text(rus, 7, person.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rus, 8, "д.т.н.", -1, SQLITE_STATIC);
        sqlite3_step(rus);
        sqlite3_reset(rus);
    }
    sqlite3_finalize(cc);
    sqlite3_finalize(rus);
    // The join keys are indexed, as the catalogue's keys are.
    sqlite3_exec(db, "CREATE INDEX cc_key ON cc (d, n); CREATE INDEX rus_key ON rus (d, n); COMMIT", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    return dir.path() + QLatin1Char('/');
}

QString searchText(const QString& where, const QString& order)
{
    return QStringLiteral(
               "SELECT c.cn, c.ctrus, cc.d, cc.n, cc.pcat, rus.d, rus.tdb, rus.odb, rus.o_tdb, "
               "IIf(len(rus.r_d)>0,rus.r_d+\" \",\"\")+rus.r As cdata, "
               "rus.odb+IIf(len(rus.a)>0,chr(13)+chr(10)+rus.a,\"\")+"
               "IIf(len(rus.o_tdb)>0,chr(13)+chr(10)+rus.o_tdb,\"\") AS odata "
               "FROM (c INNER JOIN cc ON c.cn = cc.cat) INNER JOIN rus ON (cc.d = rus.d) AND (cc.n = rus.n)") +
        where + order + QStringLiteral(";");
}

void StartupCounting(benchmark::State& state)
{
    static QTemporaryDir dir;
    const QString exeDir = makeCatalogue(dir, 2000);
    for (auto _ : state) {
        TADOQuery query;
        std::array<std::int32_t, 12> counts{};
        benchmark::DoNotOptimize(LoadProjectCounts(query, exeDir, counts));
    }
}
BENCHMARK(StartupCounting)->Unit(benchmark::kMillisecond);

// The import (the reader program started, every table copied, the image read back) and its peer on
// the same file in turns, so both meet the same load; argument: the sample.
void ImportJetSample(benchmark::State& state)
{
    const QString sample = jetSample(state);
    state.SetLabel(kJetSamples[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(ImportJetDatabaseUncached(sample, 30000, JetReaderProgram()));
}
BENCHMARK(ImportJetSample)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void MdbExportAllTables(benchmark::State& state)
{
    const QString sample = jetSample(state);
    QProcess tables;
    tables.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), sample});
    tables.waitForFinished();
    const QStringList names = QString::fromUtf8(tables.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    state.SetLabel(QStringLiteral("mdb-tables -1 %1; mdb-export %1 TABLE for %2")
                       .arg(QLatin1String(kJetSamples[state.range(0)]), names.join(u' '))
                       .toStdString());
    for (auto _ : state) {
        QProcess list;
        list.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), sample});
        list.waitForFinished();
        for (const QString& table : QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            QProcess exporter;
            exporter.start(QStringLiteral("mdb-export"), {sample, table});
            exporter.waitForFinished();
            benchmark::DoNotOptimize(exporter.readAllStandardOutput());
        }
    }
}
BENCHMARK(MdbExportAllTables)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Search over 100,000 projects: argument 0 with the Russian title criterion, 1 without criteria.
void Search100k(benchmark::State& state)
{
    static QTemporaryDir dir;
    const QString exeDir = makeCatalogue(dir, 100000);
    TADOQuery query;
    query.setConnectionString(CatalogueConnectionString(exeDir));
    const QString where =
        state.range(0) == 0 ? QStringLiteral(" WHERE rus.tdb like '%насос%' and r like '%ов 1%'") : QString();
    query.setSql(searchText(where, QStringLiteral(" ORDER BY c.cn, rus.d, rus.n")));
    query.Open();  // opens the connection outside the timing
    for (auto _ : state) {
        query.Close();
        query.Open();
        state.counters["rows"] = query.RecordCount();
    }
}
BENCHMARK(Search100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Search100kSortedByContact(benchmark::State& state)
{
    static QTemporaryDir dir;
    const QString exeDir = makeCatalogue(dir, 100000);
    TADOQuery query;
    query.setConnectionString(CatalogueConnectionString(exeDir));
    query.setSql(searchText(QString(), QStringLiteral(" ORDER BY rus.r")));
    query.Open();
    for (auto _ : state) {
        query.Close();
        query.Open();
    }
}
BENCHMARK(Search100kSortedByContact)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
