// Search on a generated catalogue of 100,000 projects: Find from the click to the count and the
// first panel painted, without criteria and with a title criterion, against the sqlite3 shell
// running the same translated statement on the same file and writing every row to /dev/null.
// Needs the search library; built without it, the program only says so.
#if __has_include("search_window.h")

#include "access_sql.h"
#include "ado_query.h"
#include "main_window.h"
#include "program_values.h"
#include "project_counts.h"
#include "search_sql.h"
#include "search_window.h"
#include "ui_frmsearch.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int ProjectCount = 100000;
constexpr int Runs = 9;

void WriteCatalogue(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE c (cn INTEGER, ctrus TEXT, cteng TEXT);"
                 "CREATE TABLE cc (cat INTEGER, d INTEGER, n INTEGER, pcat INTEGER);"
                 "CREATE TABLE rus (d INTEGER, n INTEGER, tdb TEXT, odb TEXT, a TEXT, o_tdb TEXT, r TEXT, r_d TEXT);"
                 "BEGIN;",
                 nullptr, nullptr, nullptr);
    for (int cn = 1; cn <= 11; ++cn)
        sqlite3_exec(db, QStringLiteral("INSERT INTO c VALUES (%1, 'Категория %1', 'Category %1');").arg(cn).toUtf8(),
                     nullptr, nullptr, nullptr);
    sqlite3_stmt* cc = nullptr;
    sqlite3_stmt* rus = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO cc VALUES (?, ?, ?, ?)", -1, &cc, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO rus VALUES (?, ?, ?, ?, ?, ?, ?, ?)", -1, &rus, nullptr);
    std::vector<int> positions(12, 0);
    for (int i = 0; i < ProjectCount; ++i) {
        const int cat = i % 11 + 1, d = i % 7 + 1, n = i / 7 + 1;
        sqlite3_bind_int(cc, 1, cat);
        sqlite3_bind_int(cc, 2, d);
        sqlite3_bind_int(cc, 3, n);
        sqlite3_bind_int(cc, 4, ++positions[cat]);
        sqlite3_step(cc);
        sqlite3_reset(cc);
        const QByteArray title = QStringLiteral("Проект %1: %2 установка для лаборатории")
                                     .arg(i)
                                     .arg(i % 10 == 0 ? QStringLiteral("насосная") : QStringLiteral("измерительная"))
                                     .toUtf8();
        const QByteArray org = QStringLiteral("Институт %1 академии наук").arg(i % 300).toUtf8();
        const QByteArray address = QStringLiteral("ул. Академическая, %1; тел. +37-17-%2").arg(i % 90).arg(i).toUtf8();
        const QByteArray person = QStringLiteral("Иванов%1 И. И.").arg(i % 5000).toUtf8();
        sqlite3_bind_int(rus, 1, d);
        sqlite3_bind_int(rus, 2, n);
        sqlite3_bind_text(rus, 3, title.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rus, 4, org.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rus, 5, address.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rus, 6, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(rus, 7, person.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rus, 8, i % 3 ? "к.т.н." : "", -1, SQLITE_STATIC);
        sqlite3_step(rus);
        sqlite3_reset(rus);
    }
    sqlite3_finalize(cc);
    sqlite3_finalize(rus);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The translated statement for the shell: the connection's two own functions replaced by the
// shell's nearest built-ins (same work: one call per value, a case-folding order).
QString ShellSql(const QString& accessSql)
{
    QString sql = TranslateAccessSql(accessSql);
    sql.replace(QStringLiteral("jet_add("), QStringLiteral("printf('%s%s', "));
    sql.replace(QStringLiteral("COLLATE jet_text"), QStringLiteral("COLLATE NOCASE"));
    return sql + u';';
}

double ShellMilliseconds(const QString& database, const QString& sqlFile)
{
    const QByteArray command =
        QStringLiteral("sqlite3 -readonly '%1' < '%2' > /dev/null").arg(database, sqlFile).toUtf8();
    QElapsedTimer timer;
    timer.start();
    if (std::system(command.constData()) != 0)
        std::fprintf(stderr, "sqlite3 shell failed: %s\n", command.constData());
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    ExeDir = folder.path() + QDir::separator();
    const QString database = ExeDir + QStringLiteral("velora2014.mdb");
    WriteCatalogue(database);

    FillLanguages();
    CurrentLanguage = LangRussian;
    TForm1 form;
    form.ADOQuery1->setConnectionString(CatalogueConnectionString(ExeDir));
    TfrmSearch search(&form);
    search.ApplyLanguage();
    search.show();
    Ui::frmSearch& ui = search.controls();

    std::printf("%-16s %8s %10s %14s %10s %7s\n", "case", "rows", "window ms", "dataset ms", "shell ms", "ratio");
    for (const QString& title : {QString(), QStringLiteral("насос")}) {
        ui.tTitle->setText(title);
        std::vector<double> window, shell;
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            ui.cmdFind->click();
            search.repaint();  // the count and the first panel on screen
            window.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        const QString sqlFile = ExeDir + QStringLiteral("search.sql");
        QFile file(sqlFile);
        file.open(QIODevice::WriteOnly);
        file.write(ShellSql(ui.Label8->text()).toUtf8());
        file.close();
        for (int run = 0; run < Runs; ++run)
            shell.push_back(ShellMilliseconds(database, sqlFile));
        // The dataset alone, without the window: what the engine costs of the window's time.
        std::vector<double> dataset;
        for (int run = 0; run < Runs; ++run) {
            form.ADOQuery1->Close();
            QElapsedTimer timer;
            timer.start();
            form.ADOQuery1->Open();
            dataset.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        const double windowMs = Median(window), shellMs = Median(shell);
        std::printf("%-16s %8s %10.1f %14.1f %10.1f %7.2f\n", title.isEmpty() ? "no criteria" : "title criterion",
                    ui.lblRecCount->text().toUtf8().constData(), windowMs, Median(dataset), shellMs,
                    windowMs / shellMs);
        benchmark::DoNotOptimize(windowMs);
    }
    return 0;
}

#else

#include <cstdio>

int main()
{
    std::puts("bench_search needs the search library linked (bench/CMakeLists.txt).");
    return 0;
}

#endif
