// Searching from the window: the statement it runs, what it shows, opening a found project, and
// the state an engine error leaves.
#include <gtest/gtest.h>

#include "search_fixture.h"

#include "ado_query.h"
#include "page_names.h"
#include "ui_frmsearch.h"
#include "web_browser.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>

namespace {

TEST_F(SearchWindowTest, RussianExampleRunsItsExactStatement)
{
    Ui::frmSearch& ui = search->controls();
    ui.tTitle->setText(QStringLiteral("насос"));
    ui.tOrgName->setText(QStringLiteral("институт"));
    ui.tCat->setCurrentIndex(5);
    ui.tResp->setText(QStringLiteral("ов"));
    ui.tAddress->setText(QStringLiteral("факс"));
    ui.tDepNum->setCurrentIndex(6);
    ui.lstSort->setCurrentIndex(1);
    EXPECT_EQ(find(), QStringLiteral("1"));
    const QString expected = QStringLiteral(
        "SELECT c.cn, c.ctrus, cc.d, cc.n, cc.pcat, rus.d, rus.tdb, rus.odb, rus.o_tdb, "
        "IIf(len(rus.r_d)>0,rus.r_d+\" \",\"\")+rus.r As cdata, "
        "rus.odb+IIf(len(rus.a)>0,chr(13)+chr(10)+rus.a,\"\")+IIf(len(rus.o_tdb)>0,chr(13)+chr(10)+rus.o_tdb,\"\") AS "
        "odata FROM (c INNER JOIN cc ON c.cn = cc.cat) INNER JOIN rus ON (cc.d = rus.d) AND (cc.n = rus.n) WHERE "
        "rus.tdb like '%насос%' and rus.odb like '%институт%' and c.cn=5 and r like '%ов%' and rus.a like '%факс%' "
        "and rus.d=6 ORDER BY c.cn, rus.d, rus.n;");
    EXPECT_EQ(ui.Label8->text(), expected);
    EXPECT_EQ(form->ADOQuery1->sql(), expected);
    EXPECT_FALSE(ui.Label8->isVisibleTo(search));
    // The found row is on the live panel: contact line and organisation block joined as shown.
    EXPECT_EQ(ui.lblCatNo->text(), QStringLiteral("5"));
    EXPECT_EQ(ui.lblNoInCat->text(), QStringLiteral("1"));
    EXPECT_EQ(ui.DBMemo3->toPlainText(), QStringLiteral("проф. Петров"));
    EXPECT_EQ(ui.DBMemo1->toPlainText(), QStringLiteral("Институт физики\nтел. 1, факс 2"));
    EXPECT_EQ(ui.DBText2->text(), QStringLiteral("Категория 5"));
}

TEST_F(SearchWindowTest, EnglishSearchWithoutCriteriaListsEveryProjectByDepartment)
{
    session.CurrentLanguage = LangEnglish;
    search->ApplyLanguage();
    search->FormShow();
    EXPECT_EQ(find(), QStringLiteral("4"));
    EXPECT_TRUE(search->controls().Label8->text().endsWith(
        QStringLiteral("INNER JOIN eng ON (cc.d = eng.d) AND (cc.n = eng.n) ORDER BY eng.d, eng.n, c.cn;")));
    EXPECT_FALSE(search->controls().Label8->text().contains(QStringLiteral("WHERE")));
    EXPECT_TRUE(search->controls().DBCtrlGrid1->isVisibleTo(search));
    EXPECT_EQ(search->controls().DBText2->text(), QStringLiteral("Category 1"));
    EXPECT_EQ(search->controls().DBMemo2->toPlainText(), QStringLiteral("Rocknroll"));
}

TEST_F(SearchWindowTest, CategoryAndDepartmentItemsAndOrders)
{
    Ui::frmSearch& ui = search->controls();
    ui.tCat->setCurrentIndex(11);
    ui.tDepNum->setCurrentIndex(7);
    EXPECT_EQ(find(), QStringLiteral("1"));
    EXPECT_TRUE(ui.Label8->text().contains(QStringLiteral(" WHERE c.cn=11 and rus.d=7 ORDER BY ")));
    EXPECT_EQ(ui.lblCatNo->text(), QStringLiteral("11"));

    ui.tCat->setCurrentIndex(0);
    ui.tDepNum->setCurrentIndex(0);
    const char* firstCategory[] = {"1", "1", "5"};  // by department, by category, by contact (Ivanov)
    session.CurrentLanguage = LangEnglish;
    search->FormShow();
    for (int order = 0; order < 3; ++order) {
        ui.lstSort->setCurrentIndex(order);
        EXPECT_EQ(find(), QStringLiteral("4"));
        EXPECT_EQ(ui.lblCatNo->text(), QLatin1String(firstCategory[order])) << order;
    }
}

TEST_F(SearchWindowTest, TitleLosesItsApostrophesAndOtherFieldsFindApostrophes)
{
    Ui::frmSearch& ui = search->controls();
    ui.tTitle->setText(QStringLiteral("'''"));
    EXPECT_EQ(find(), QStringLiteral("4"));
    EXPECT_EQ(ui.tTitle->text(), QString());
    EXPECT_FALSE(ui.Label8->text().contains(QStringLiteral("WHERE")));

    ui.tTitle->setText(QStringLiteral(" "));
    EXPECT_EQ(find(), QStringLiteral("2"));
    EXPECT_TRUE(ui.Label8->text().contains(QStringLiteral("WHERE rus.tdb like '% %' ORDER BY")));
    ui.tTitle->clear();

    QLineEdit* fields[] = {ui.tOrgName, ui.tResp, ui.tAddress};
    for (QLineEdit* field : fields) {
        field->setText(QStringLiteral("O'Brien"));
        EXPECT_EQ(find(), QStringLiteral("1")) << field->objectName().toStdString();
        EXPECT_EQ(ui.lblCatNo->text(), QStringLiteral("11"));
        EXPECT_EQ(field->text(), QStringLiteral("O'Brien"));
        field->clear();
    }

    ui.tTitle->setText(QStringLiteral("Ката'лизатор"));
    EXPECT_EQ(find(), QStringLiteral("1"));
    EXPECT_EQ(ui.tTitle->text(), QStringLiteral("Катализатор"));
}

TEST_F(SearchWindowTest, NothingFoundHidesTheGrid)
{
    EXPECT_EQ(find(), QStringLiteral("4"));
    EXPECT_TRUE(search->controls().DBCtrlGrid1->isVisibleTo(search));
    search->controls().tResp->setText(QStringLiteral("никто"));
    EXPECT_EQ(find(), QStringLiteral("0"));
    EXPECT_FALSE(search->controls().DBCtrlGrid1->isVisibleTo(search));
}

TEST_F(SearchWindowTest, EngineErrorKeepsTheCountAndTheGridAndLeavesTheDatasetClosed)
{
    search->show();
    EXPECT_EQ(find(), QStringLiteral("4"));
    // No table chn exists: the statement fails in the engine.
    session.CurrentLanguage = LangChinese;
    EXPECT_THROW(search->cmdFindClick(), DatabaseError);
    Ui::frmSearch& ui = search->controls();
    EXPECT_EQ(ui.lblRecCount->text(), QStringLiteral("4"));
    EXPECT_TRUE(ui.DBCtrlGrid1->isVisible());
    EXPECT_EQ(ui.DBCtrlGrid1->shownPanelCount(), 0);
    EXPECT_FALSE(form->ADOQuery1->Active());
    EXPECT_TRUE(ui.Label8->text().contains(QStringLiteral("INNER JOIN chn ON")));
    EXPECT_EQ(form->ADOQuery1->sql(), ui.Label8->text());
    EXPECT_TRUE(search->isVisible());

    // A hidden grid stays hidden.
    session.CurrentLanguage = LangRussian;
    ui.tResp->setText(QStringLiteral("никто"));
    EXPECT_EQ(find(), QStringLiteral("0"));
    session.CurrentLanguage = LangChinese;
    EXPECT_THROW(search->cmdFindClick(), DatabaseError);
    EXPECT_EQ(ui.lblRecCount->text(), QStringLiteral("0"));
    EXPECT_FALSE(ui.DBCtrlGrid1->isVisibleTo(search));
    search->hide();
}

TEST_F(SearchWindowTest, OpeningAFoundProjectClosesTheWindowAndOpensItsPage)
{
    Ui::frmSearch& ui = search->controls();
    QStringList urls;
    QObject::connect(form->WebBrowser1, &TWebBrowser::BeforeNavigate2, [&](const QString& url) { urls << url; });
    ui.tOrgName->setText(QStringLiteral("институт"));
    ui.tCat->setCurrentIndex(5);
    search->show();
    EXPECT_EQ(find(), QStringLiteral("2"));
    ui.DBCtrlGrid1->setFocus();
    QTest::keyClick(ui.DBCtrlGrid1, Qt::Key_End);  // department order: (2, 1) then (6, 1)
    EXPECT_EQ(ui.lblNoInCat->text(), QStringLiteral("1"));

    ui.lblOpenProj->clicked();
    EXPECT_FALSE(search->isVisible());
    EXPECT_FALSE(form->ADOQuery1->Active());
    EXPECT_EQ(session.CurrentCategory, 5);
    EXPECT_EQ(session.CurrentPosition, 1);
    ASSERT_FALSE(urls.isEmpty());
    EXPECT_TRUE(urls.last().endsWith(PageFileName(5, 1, QStringLiteral("r")))) << urls.last().toStdString();

    // The Search button shows the old criteria, "0" and no panel.
    bool checked = false;
    QTimer::singleShot(0, search, [&] {
        checked = true;
        EXPECT_TRUE(search->isVisible());
        EXPECT_EQ(ui.tOrgName->text(), QStringLiteral("институт"));
        EXPECT_EQ(ui.tCat->currentIndex(), 5);
        EXPECT_EQ(ui.lblRecCount->text(), QStringLiteral("0"));
        EXPECT_EQ(ui.DBCtrlGrid1->shownPanelCount(), 0);
        QTest::keyClick(ui.tOrgName, Qt::Key_Escape);
    });
    form->cmdSearchDBClick();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(search->isVisible());
}

TEST_F(SearchWindowTest, RowThatIsNotANumberOpensNothing)
{
    search->show();
    EXPECT_EQ(find(), QStringLiteral("4"));
    search->controls().lblCatNo->setText(QStringLiteral("1a"));
    EXPECT_THROW(search->lblOpenProjClick(), std::invalid_argument);
    EXPECT_TRUE(search->isVisible());
    EXPECT_TRUE(form->ADOQuery1->Active());
    EXPECT_EQ(session.CurrentCategory, 0);
    search->hide();
}

TEST_F(SearchWindowTest, HiddenVersionLineAndKeys)
{
    Ui::frmSearch& ui = search->controls();
    search->show();
    EXPECT_FALSE(ui.Edit1->isVisible());
    ui.Label9->doubleClicked();
    EXPECT_TRUE(ui.Edit1->isVisible());
    EXPECT_EQ(ui.Edit1->text(), QStringLiteral("1.1.0"));
    EXPECT_TRUE(ui.Edit1->isReadOnly());
    find();
    EXPECT_FALSE(ui.Edit1->isVisible());

    // Enter in a field searches nothing; Esc closes through the Close button and hides Edit1.
    ui.Label9->doubleClicked();
    ui.tTitle->setFocus();
    ui.tResp->setText(QStringLiteral("никто"));
    QTest::keyClick(ui.tResp, Qt::Key_Return);
    EXPECT_EQ(ui.lblRecCount->text(), QStringLiteral("4"));
    EXPECT_TRUE(search->isVisible());
    QTest::keyClick(ui.tResp, Qt::Key_Escape);
    EXPECT_FALSE(search->isVisible());
    EXPECT_FALSE(ui.Edit1->isVisibleTo(search));
}

}  // namespace
