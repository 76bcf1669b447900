// Hostile texts typed into the search window's four text fields of the real windows on a copy of
// the demo catalogue: every Find runs without an error report, shows a count, and leaves the
// database file as it was.
#include <gtest/gtest.h>

#include "browser_session.h"
#include "catalogue_copy.h"
#include "hostile_texts.h"

#include "ado_query.h"
#include "main_window.h"
#include "program_values.h"
#include "project_counts.h"
#include "search_sql.h"
#include "search_window.h"
#include "ui_frmsearch.h"

#include <QLineEdit>

#include <numeric>

using testing_support::demoCatalogueDir;

namespace {

class HostileSearch : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(catalogue.isValid()); }
    void TearDown() override { EXPECT_EQ(catalogue.currentHash(), catalogue.originalHash()); }

    // Fills the fields, presses Find and checks what the window shows. Returns the count shown.
    int find(BrowserSession& session, const QString (&fields)[4], const QString& label)
    {
        Ui::frmSearch& ui = session.search().controls();
        QLineEdit* edits[] = {ui.tTitle, ui.tOrgName, ui.tResp, ui.tAddress};
        for (int i = 0; i < 4; ++i)
            edits[i]->setText(fields[i]);
        const QString typedTitle = ui.tTitle->text();
        session.run([&] { ui.cmdFind->click(); });
        EXPECT_EQ(session.messages().count(), 0) << label.toStdString() << ": " << session.messages().last().toStdString();
        session.messages().clear();
        EXPECT_TRUE(session.form().ADOQuery1->Active()) << label.toStdString();
        bool number = false;
        const int count = ui.lblRecCount->text().toInt(&number);
        EXPECT_TRUE(number && count >= 0) << label.toStdString() << ": " << ui.lblRecCount->text().toStdString();
        EXPECT_EQ(ui.tTitle->text(), TitleWithoutApostrophes(typedTitle)) << label.toStdString();
        return count;
    }

    CatalogueCopy catalogue{demoCatalogueDir()};
};

TEST_F(HostileSearch, EveryTextInEveryFieldSearchesWithoutAnEngineError)
{
    const QStringList texts = HostileTexts();
    ASSERT_EQ(texts.size(), 100);
    ASSERT_EQ(QSet<QString>(texts.begin(), texts.end()).size(), 100);
    BrowserSession session(catalogue.exePath(), LangRussian);
    ASSERT_TRUE(session.started());
    session.search().show();
    QString none[4];
    const int all = find(session, none, QStringLiteral("no criteria"));
    EXPECT_EQ(all, std::accumulate(ProjectCounts.begin() + 1, ProjectCounts.end(), 0));
    for (int t = 0; t < texts.size(); ++t) {
        for (int field = 0; field < 4; ++field) {
            QString fields[4];
            fields[field] = texts[t];
            const int found = find(session, fields, QStringLiteral("text %1 in field %2").arg(t).arg(field));
            EXPECT_LE(found, all);
        }
        const QString fields[4] = {texts[t], texts[t], texts[t], texts[t]};
        find(session, fields, QStringLiteral("text %1 in every field").arg(t));
    }
    session.search().hide();
}

TEST_F(HostileSearch, TextsAreSearchedForLiterallyInEveryLanguage)
{
    const QStringList texts = HostileTexts();
    for (const std::uint8_t language : {LangRussian, LangEnglish, LangChinese}) {
        BrowserSession session(catalogue.exePath(), language);
        ASSERT_TRUE(session.started());
        session.search().ApplyLanguage();
        session.search().show();
        for (int t = 0; t < texts.size(); ++t) {
            // An apostrophe, a quote or a bracket in a criterion is a character to find, not syntax:
            // no project of the demo catalogue holds these, so nothing may be found.
            const QString marked = texts[t] + QStringLiteral("'\"[q]'");
            const QString fields[4] = {QString(), marked, marked, marked};
            EXPECT_EQ(find(session, fields, QStringLiteral("language %1 text %2").arg(language).arg(t)), 0);
        }
        session.search().hide();
    }
}

// Texts longer than the window's fields take go straight to the search statement and the dataset.
TEST_F(HostileSearch, VeryLongCriteriaRunOnTheDataset)
{
    FillLanguages();
    TADOQuery query;
    query.setConnectionString(CatalogueConnectionString(catalogue.dir()));
    for (const QString& text : {QString(200000, u'\''), QString(200000, u'%'), QStringLiteral("ж'").repeated(100000)}) {
        SearchCriteria criteria;
        criteria.title = text;
        criteria.organisation = text;
        criteria.contact = text;
        criteria.address = text;
        query.setSql(BuildSearchSql(criteria, Languages[LangRussian].Code).text);
        ASSERT_NO_THROW(query.Open()) << text.left(4).toStdString();
        query.Close();
    }
}

}  // namespace
