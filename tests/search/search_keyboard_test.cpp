// The search window by keyboard and for assistive technology: every criteria box, the results
// grid and the fields of a result panel are labelled by the label beside them, and Enter on the
// results (the grid or a field of its current panel) opens the current project as the link does.
#include <gtest/gtest.h>

#include "search_fixture.h"

#include "ado_query.h"
#include "page_names.h"
#include "ui_frmsearch.h"
#include "web_browser.h"

#include <QAccessible>
#include <QTest>

namespace {

// The labels assistive technology gives as the control's label.
QList<QObject*> Labels(QWidget* control)
{
    QList<QObject*> labels;
    if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control))
        for (const auto& [label, relation] : accessible->relations(QAccessible::Label))
            labels << label->object();
    return labels;
}

TEST_F(SearchWindowTest, BoxesAreLabelledAndEnterOnAResultOpensItsProject)
{
    Ui::frmSearch& ui = search->controls();
    QStringList urls;
    QObject::connect(form->WebBrowser1, &TWebBrowser::BeforeNavigate2, [&](const QString& url) { urls << url; });
    const std::pair<QWidget*, QWidget*> labelled[] = {
        {ui.tTitle, ui.lblTitle},  {ui.tOrgName, ui.lblOrg},        {ui.tCat, ui.lblCat},
        {ui.tResp, ui.lblFIO},     {ui.tAddress, ui.lblAdr},        {ui.tDepNum, ui.lblDep},
        {ui.lstSort, ui.lblSort},  {ui.DBCtrlGrid1, ui.lblResults}, {ui.DBMemo2, ui.lblDBTitle},
        {ui.DBMemo1, ui.lblDBOrg}, {ui.DBMemo3, ui.lblDBFIO},
    };
    for (const auto& [control, label] : labelled)
        EXPECT_EQ(Labels(control), QList<QObject*>{label}) << control->objectName().toStdString();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui.tTitle)->text(QAccessible::Name), "Название проекта");

    search->show();
    // No result yet: Enter on the grid opens nothing.
    ui.DBCtrlGrid1->setFocus();
    QTest::keyClick(ui.DBCtrlGrid1, Qt::Key_Return);
    EXPECT_TRUE(search->isVisible());
    EXPECT_TRUE(urls.isEmpty());

    EXPECT_EQ(find(), QStringLiteral("4"));
    ui.DBCtrlGrid1->setFocus();
    QTest::keyClick(ui.DBCtrlGrid1, Qt::Key_Down);
    const int category = ui.lblCatNo->text().toInt(), position = ui.lblNoInCat->text().toInt();
    ASSERT_GT(category, 0);
    EXPECT_TRUE(ui.DBCtrlGrid1->accessibleDescription().contains(ui.DBMemo2->toPlainText()))
        << "the current result is described";
    QTest::keyClick(ui.DBCtrlGrid1, Qt::Key_Return);
    EXPECT_FALSE(search->isVisible());
    EXPECT_FALSE(form->ADOQuery1->Active());
    EXPECT_EQ(session.CurrentCategory, category);
    EXPECT_EQ(session.CurrentPosition, position);
    ASSERT_EQ(urls.size(), 1);
    EXPECT_TRUE(urls.last().endsWith(PageFileName(category, position, QStringLiteral("r"))));

    // Enter in a field of the current panel opens it too.
    search->show();
    EXPECT_EQ(find(), QStringLiteral("4"));
    QTest::keyClick(ui.DBCtrlGrid1, Qt::Key_End);
    const int lastCategory = ui.lblCatNo->text().toInt();
    ASSERT_NE(lastCategory, category);
    ui.DBMemo2->setFocus();
    QTest::keyClick(ui.DBMemo2, Qt::Key_Return);
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(session.CurrentCategory, lastCategory);
    EXPECT_EQ(urls.size(), 2);
}

}  // namespace
