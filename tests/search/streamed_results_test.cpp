// A search over more projects than the grid shows: the count is exact as soon as the search ends,
// only the rows near the grid's panels have been read, and rows read later, as the grid scrolls to
// them, are the statement's rows in its order.
#include <gtest/gtest.h>

#include "search_fixture.h"

#include "ado_query.h"
#include "db_ctrl_grid.h"
#include "test_paths.h"  // readable QString values in failures
#include "ui_frmsearch.h"

#include <QScrollBar>
#include <sqlite3.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

struct Project {
    int department;
    int number;
    int category;
    int position;
    bool pump;  // its title holds "насос"
};

class StreamedSearch : public SearchWindowTest {
protected:
    void SetUp() override
    {
        SearchWindowTest::SetUp();
        // The four projects of the small catalogue, then many more in departments 1 to 7.
        projects = {{6, 1, 5, 1, true}, {2, 1, 5, 2, true}, {7, 3, 11, 1, false}, {1, 2, 1, 1, false}};
        QString sql = QStringLiteral("BEGIN;");
        for (int i = 0; i < 1000; ++i) {
            const Project p{1 + i % 7, 100 + i, 1 + i % 11, 10 + i, i % 2 == 0};
            projects.push_back(p);
            sql += QStringLiteral("INSERT INTO cc VALUES (%1, %2, %3, %4);"
                                  "INSERT INTO rus VALUES (%2, %3, '%5 %3', 'Институт', NULL, NULL, 'Автор', NULL);")
                       .arg(p.category)
                       .arg(p.department)
                       .arg(p.number)
                       .arg(p.position)
                       .arg(p.pump ? QStringLiteral("Большой насос") : QStringLiteral("Станок"));
        }
        sql += QStringLiteral("COMMIT;");
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((session.ExeDir + QStringLiteral("velora2014.mdb")).toUtf8().constData(), &db),
                  SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    std::vector<Project> projects;
};

TEST_F(StreamedSearch, CountIsExactAtOnceAndRowsAreReadAsTheGridReachesThem)
{
    Ui::frmSearch& ui = search->controls();
    TDBCtrlGrid* grid = ui.DBCtrlGrid1;
    TADOQuery* query = form->ADOQuery1;
    search->show();
    for (const QString& title : {QString(), QStringLiteral("насос")}) {
        // The rows the search must list, in its order (department, then number).
        std::vector<Project> expected;
        std::copy_if(projects.begin(), projects.end(), std::back_inserter(expected),
                     [&](const Project& p) { return title.isEmpty() || p.pump; });
        std::sort(expected.begin(), expected.end(), [](const Project& a, const Project& b) {
            return std::tie(a.department, a.number) < std::tie(b.department, b.number);
        });
        ui.tTitle->setText(title);
        ASSERT_EQ(find(), QString::number(expected.size())) << title.toStdString();
        EXPECT_EQ(query->RecordCount(), int(expected.size()));
        EXPECT_LT(query->rowsRead(), 100) << "the search read rows no panel shows";
        EXPECT_EQ(ui.lblNoInCat->text(), QString::number(expected.front().position));

        // Halfway, then the last panel: each row read there is the statement's row at that place.
        for (const int row : {int(expected.size()) / 2, int(expected.size()) - 1}) {
            grid->verticalScrollBar()->setValue(row);
            ASSERT_EQ(query->RecNo(), row);
            EXPECT_EQ(ui.lblCatNo->text(), QString::number(expected[std::size_t(row)].category)) << row;
            EXPECT_EQ(ui.lblNoInCat->text(), QString::number(expected[std::size_t(row)].position)) << row;
        }
        EXPECT_EQ(query->rowsRead(), int(expected.size()));
        // Back to the top: rows already read are kept.
        grid->verticalScrollBar()->setValue(0);
        EXPECT_EQ(ui.lblNoInCat->text(), QString::number(expected.front().position));
    }
}

}  // namespace
