#include <gtest/gtest.h>

#include "search_fixture.h"

#include "ado_query.h"
#include "session.h"
#include "project_counts.h"
#include "ui_frmsearch.h"

#include <QDir>
#include <sqlite3.h>

void WriteSmallCatalogue(const QString& path)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QString sql = QStringLiteral("CREATE TABLE c (cn INTEGER, ctrus TEXT, cteng TEXT);"
                                 "CREATE TABLE cc (cat INTEGER, d INTEGER, n INTEGER, pcat INTEGER);");
    for (const char* table : {"rus", "eng"})
        sql += QStringLiteral("CREATE TABLE %1 (d INTEGER, n INTEGER, tdb TEXT, odb TEXT, a TEXT, o_tdb TEXT, "
                              "r TEXT, r_d TEXT);")
                   .arg(QLatin1String(table));
    for (int cn = 1; cn <= 11; ++cn)
        sql += QStringLiteral("INSERT INTO c VALUES (%1, 'Категория %1', 'Category %1');").arg(cn);
    // Projects: (category, department, number, position).
    sql += QStringLiteral(
        "INSERT INTO cc VALUES (5, 6, 1, 1), (5, 2, 1, 2), (11, 7, 3, 1), (1, 1, 2, 1);"
        "INSERT INTO rus VALUES (6, 1, 'Насос высокого давления', 'Институт физики', 'тел. 1, факс 2', '', "
        "'Петров', 'проф.'), (2, 1, 'Водяной насос', 'Институт биологии', NULL, 'Филиал', 'Иванов', NULL),"
        "(7, 3, 'Катализатор', 'O''Brien Labs', 'O''Brien street 1', NULL, 'O''Brien', ''),"
        "(1, 2, 'Рок-н-ролл', 'Академия', 'Минск', NULL, 'Сидоров', NULL);"
        "INSERT INTO eng VALUES (6, 1, 'High pressure pump', 'Institute of Physics', 'fax 2', '', 'Petrov', "
        "'Prof.'), (2, 1, 'Water pump', 'Institute of Biology', NULL, 'Branch', 'Ivanov', NULL),"
        "(7, 3, 'Catalyst', 'O''Brien Labs', 'O''Brien street 1', NULL, 'O''Brien', ''),"
        "(1, 2, 'Rocknroll', 'Academy', 'Minsk', NULL, 'Sidorov', NULL);");
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
    sqlite3_close(db);
}

void SearchWindowTest::SetUp()
{
    session.FillLanguages();
    session.CurrentLanguage = LangRussian;
    ASSERT_TRUE(folder.isValid());
    session.ExeDir = folder.path() + QDir::separator();
    WriteSmallCatalogue(session.ExeDir + QStringLiteral("velora2014.mdb"));
    form = std::make_unique<TForm1>(session);
    form->ADOQuery1->setConnectionString(CatalogueConnectionString(session.ExeDir));
    search = new TfrmSearch(session, form.get());
    form->setSearchWindow(search);
    search->ApplyLanguage();
}

void SearchWindowTest::TearDown() { form.reset(); }

QString SearchWindowTest::find()
{
    search->cmdFindClick();
    return search->controls().lblRecCount->text();
}
