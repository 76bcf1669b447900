// The results grid: which row is current, how keys and clicks move it, and how the window's
// geometry carries the panels.
#include <gtest/gtest.h>

#include "search_fixture.h"

#include "ado_query.h"
#include "ui_frmsearch.h"

#include <QScrollBar>
#include <QtTest/QTest>

namespace {

TEST_F(SearchWindowTest, KeysScrollBarAndClicksMoveTheCurrentRow)
{
    Ui::frmSearch& ui = search->controls();
    TDBCtrlGrid* grid = ui.DBCtrlGrid1;
    search->show();
    ui.lstSort->setCurrentIndex(1);  // categories 1, 5, 5, 11
    ASSERT_EQ(find(), QStringLiteral("4"));
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->shownPanelCount(), 2);
    grid->setFocus();

    struct Step {
        Qt::Key key;
        int row;
        int top;
        const char* category;
    };
    const Step steps[] = {{Qt::Key_Down, 1, 0, "5"},  {Qt::Key_Down, 2, 1, "5"},    {Qt::Key_End, 3, 2, "11"},
                          {Qt::Key_Down, 3, 2, "11"}, {Qt::Key_PageUp, 1, 1, "5"},  {Qt::Key_Home, 0, 0, "1"},
                          {Qt::Key_Up, 0, 0, "1"},    {Qt::Key_PageDown, 2, 1, "5"}};
    for (const Step& step : steps) {
        QTest::keyClick(grid, step.key);
        EXPECT_EQ(grid->currentRow(), step.row) << step.key;
        EXPECT_EQ(grid->topRow(), step.top) << step.key;
        EXPECT_EQ(form->ADOQuery1->RecNo(), step.row);
        EXPECT_EQ(ui.lblCatNo->text(), QLatin1String(step.category));
        EXPECT_EQ(grid->verticalScrollBar()->value(), step.row);
    }

    // The live panel sits on the current row's place.
    EXPECT_EQ(ui.pnlRecord->geometry(), grid->panelRect(1));
    // A click on the other panel makes its row current.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->panelRect(0).center());
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(ui.pnlRecord->geometry(), grid->panelRect(0));
    // The scroll bar moves it too.
    grid->verticalScrollBar()->setValue(3);
    EXPECT_EQ(form->ADOQuery1->RecNo(), 3);
    EXPECT_EQ(ui.lblCatNo->text(), QStringLiteral("11"));
    // Moving the dataset moves the grid.
    form->ADOQuery1->First();
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(ui.lblNoInCat->text(), QStringLiteral("1"));

    // A single row shows a single panel.
    ui.tCat->setCurrentIndex(11);
    ASSERT_EQ(find(), QStringLiteral("1"));
    EXPECT_EQ(grid->shownPanelCount(), 1);
    search->hide();
}

TEST_F(SearchWindowTest, DesignGeometryAndResizing)
{
    Ui::frmSearch& ui = search->controls();
    EXPECT_EQ(search->size(), QSize(725, 596));
    EXPECT_EQ(search->minimumHeight(), 595);
    EXPECT_EQ(search->maximumWidth(), 785);
    EXPECT_TRUE(search->windowFlags().testFlag(Qt::Tool));
    EXPECT_FALSE(ui.cmdFind->isDefault() || ui.cmdFind->autoDefault());
    EXPECT_FALSE(ui.cmdClose->isDefault() || ui.cmdClose->autoDefault());
    search->show();
    ASSERT_EQ(find(), QStringLiteral("4"));
    TDBCtrlGrid* grid = ui.DBCtrlGrid1;
    EXPECT_EQ(grid->geometry(), QRect(5, 250, 712, 326));
    EXPECT_EQ(ui.pnlRecord->height(), 163);
    EXPECT_EQ(ui.DBMemo2->geometry(), QRect(196, 8, 492, 45));
    EXPECT_EQ(ui.lblOpenProj->pos(), QPoint(568, 144));

    // 100 pixels higher: the grid follows the bottom, the panels share the height, the title row
    // stretches and the rows below keep their distance to the panel's bottom.
    search->resize(760, 696);
    EXPECT_EQ(grid->geometry(), QRect(5, 250, 712, 426));
    EXPECT_EQ(ui.lblFounded->pos(), QPoint(12, 681));
    EXPECT_EQ(ui.lblRecCount->y(), 681);
    EXPECT_GE(ui.lblRecCount->x(), 116);
    EXPECT_GT(ui.lblRecCount->x(), ui.lblFounded->geometry().right());  // the count never covers its caption
    EXPECT_EQ(ui.pnlRecord->height(), 213);
    EXPECT_EQ(grid->panelRect(1).top(), 213);
    EXPECT_EQ(ui.DBMemo2->geometry(), QRect(196, 8, 492, 95));
    EXPECT_EQ(ui.lblDBTitle->geometry(), QRect(8, 8, 181, 91));
    EXPECT_EQ(ui.DBMemo1->geometry(), QRect(196, 106, 493, 49));
    EXPECT_EQ(ui.lblOpenProj->pos(), QPoint(568, 194));
    EXPECT_EQ(ui.cmdClose->geometry(), QRect(596, 196, 101, 33));
    search->hide();
}

TEST_F(SearchWindowTest, ClosedDatasetShowsNoPanelAndEmptyResultOneEmptyPanel)
{
    Ui::frmSearch& ui = search->controls();
    search->show();
    EXPECT_EQ(ui.DBCtrlGrid1->shownPanelCount(), 0);
    EXPECT_FALSE(ui.pnlRecord->isVisible());
    ASSERT_EQ(find(), QStringLiteral("4"));
    EXPECT_TRUE(ui.pnlRecord->isVisible());
    ui.tResp->setText(QStringLiteral("никто"));
    ASSERT_EQ(find(), QStringLiteral("0"));
    EXPECT_EQ(ui.DBCtrlGrid1->shownPanelCount(), 1);
    EXPECT_EQ(ui.lblCatNo->text(), QString());
    form->ADOQuery1->Close();
    EXPECT_EQ(ui.DBCtrlGrid1->shownPanelCount(), 0);
    search->hide();
}

}  // namespace
