// Hostile texts typed into the search window's four text fields of the real windows on a copy of
// the demo catalogue: every Find runs without an error report, shows the count of the projects
// that match the criteria, and leaves the database file as it was. The same texts as arguments of
// the Access functions and inside date literals end in an answer or an engine error.
#include <gtest/gtest.h>

#include "browser_session.h"
#include "catalogue_copy.h"
#include "hostile_texts.h"

#include "ado_query.h"
#include "main_window.h"
#include "session.h"
#include "project_counts.h"
#include "search_sql.h"
#include "search_window.h"
#include "ui_frmsearch.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QStringDecoder>

#include <numeric>

using testing_support::demoCatalogueDir;

namespace {

class HostileSearch : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(catalogue.isValid()); }
    void TearDown() override { EXPECT_EQ(catalogue.currentHash(), catalogue.originalHash()); }

    // Fills the fields, presses Find and checks what the window shows. Returns the count shown;
    // `typed` receives the texts as the fields hold them.
    int find(BrowserSession& session, const QString (&fields)[4], const QString& label, QString (*typed)[4] = nullptr)
    {
        Ui::frmSearch& ui = session.search().controls();
        QLineEdit* edits[] = {ui.tTitle, ui.tOrgName, ui.tResp, ui.tAddress};
        for (int i = 0; i < 4; ++i) {
            edits[i]->setText(fields[i]);
            if (typed)
                (*typed)[i] = edits[i]->text();
        }
        const QString typedTitle = ui.tTitle->text();
        session.run([&] { ui.cmdFind->click(); });
        EXPECT_EQ(session.messages().count(), 0)
            << label.toStdString() << ": " << session.messages().last().toStdString();
        session.messages().clear();
        EXPECT_TRUE(session.form().ADOQuery1->Active()) << label.toStdString();
        bool number = false;
        const int count = ui.lblRecCount->text().toInt(&number);
        EXPECT_TRUE(number) << label.toStdString() << ": " << ui.lblRecCount->text().toStdString();
        EXPECT_EQ(ui.tTitle->text(), TitleWithoutApostrophes(typedTitle)) << label.toStdString();
        return count;
    }

    CatalogueCopy catalogue{demoCatalogueDir()};
};

// The Russian texts of every project that takes part in a search, read without criteria.
struct ProjectTexts {
    QString title, organisation, contact, address;
};

QList<ProjectTexts> RussianProjects(const QString& exeDir)
{
    TADOQuery query;
    query.setConnectionString(CatalogueConnectionString(exeDir));
    query.setSql(QStringLiteral("SELECT rus.tdb, rus.odb, rus.r, rus.a FROM (c INNER JOIN cc ON c.cn = cc.cat) "
                                "INNER JOIN rus ON (cc.d = rus.d) AND (cc.n = rus.n)"));
    query.Open();
    QList<ProjectTexts> projects;
    for (int row = 0; row < query.RecordCount(); ++row)
        projects.append({query.value(row, 0).toString(), query.value(row, 1).toString(), query.value(row, 2).toString(),
                         query.value(row, 3).toString()});
    return projects;
}

// A separate reading of a search criterion: the typed text anywhere in the value, % standing for
// any run of characters and _ for any one, case ignored; a null value matches nothing.
class Criterion {
public:
    explicit Criterion(const QString& typed) : typed_(typed)
    {
        QString pattern, literal;
        for (int i = 0; i < typed.size(); ++i) {
            const QChar c = typed[i];
            if (c != u'%' && c != u'_') {
                literal += c;
                leastLength_ += c.isLowSurrogate() && i > 0 && typed[i - 1].isHighSurrogate() ? 0 : 1;
                continue;
            }
            pattern += QRegularExpression::escape(literal);
            literal.clear();
            if (c == u'_') {
                pattern += u'.';
                ++leastLength_;
            } else if (!pattern.endsWith(QStringLiteral(".*"))) {
                pattern += QStringLiteral(".*");
            }
        }
        pattern_ = pattern + QRegularExpression::escape(literal);
    }

    bool matches(const QString& value)
    {
        if (typed_.isEmpty())
            return true;
        if (value.isNull() || value.size() < leastLength_)  // characters beyond the value's length
            return false;
        if (!regex_.isValid() || regex_.pattern().isEmpty()) {
            regex_ = QRegularExpression(
                pattern_, QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
            EXPECT_TRUE(regex_.isValid()) << regex_.errorString().toStdString();
        }
        return regex_.match(value).hasMatch();
    }

private:
    QString typed_;
    QString pattern_;
    qsizetype leastLength_ = 0;
    QRegularExpression regex_{QString()};
};

// A criterion as the statement's UTF-8 carries it: a lone surrogate does not survive.
QString AsCarried(const QString& text)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(text.toUtf8());
}

int CountMatching(const QList<ProjectTexts>& projects, const QString (&typed)[4])
{
    Criterion criteria[4] = {Criterion(AsCarried(TitleWithoutApostrophes(typed[0]))), Criterion(AsCarried(typed[1])),
                             Criterion(AsCarried(typed[2])), Criterion(AsCarried(typed[3]))};
    int count = 0;
    for (const ProjectTexts& p : projects) {
        const QString* values[4] = {&p.title, &p.organisation, &p.contact, &p.address};
        bool match = true;
        for (int i = 0; i < 4 && match; ++i)
            match = criteria[i].matches(*values[i]);
        count += match ? 1 : 0;
    }
    return count;
}

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
    EXPECT_EQ(all,
              std::accumulate(session.values().ProjectCounts.begin() + 1, session.values().ProjectCounts.end(), 0));
    const QList<ProjectTexts> projects = RussianProjects(catalogue.dir());
    ASSERT_EQ(projects.size(), all);
    for (int t = 0; t < texts.size(); ++t) {
        for (int field = 0; field < 4; ++field) {
            QString fields[4];
            fields[field] = texts[t];
            QString typed[4];
            const QString label = QStringLiteral("text %1 in field %2").arg(t).arg(field);
            const int found = find(session, fields, label, &typed);
            EXPECT_EQ(found, CountMatching(projects, typed)) << label.toStdString();
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
    TADOQuery query;
    query.setConnectionString(CatalogueConnectionString(catalogue.dir()));
    for (const QString& text : {QString(200000, u'\''), QString(200000, u'%'), QStringLiteral("ж'").repeated(100000)}) {
        SearchCriteria criteria;
        criteria.title = text;
        criteria.organisation = text;
        criteria.contact = text;
        criteria.address = text;
        query.setSql(BuildSearchSql(criteria, LanguageByNumber(LangRussian)->code).text);
        ASSERT_NO_THROW(query.Open()) << text.left(4).toStdString();
        query.Close();
    }
}

// Each text as an Access text literal in the functions of Access queries, and inside a date
// literal: an answer that keeps the text, or an engine error, never a crash.
TEST_F(HostileSearch, TextsInAccessFunctionsAndDateLiterals)
{
    TADOQuery query;
    query.setConnectionString(CatalogueConnectionString(catalogue.dir()));
    const QStringList texts = HostileTexts();
    for (int t = 0; t < texts.size(); ++t) {
        QString literal = texts[t];
        literal = u'\'' + literal.replace(u'\'', QStringLiteral("''")) + u'\'';
        query.Close();
        query.setSql(
            QStringLiteral("SELECT Replace(%1, %1, 'x') AS r, IIf(Left(%1, 1000000) = %1 AND Right(%1, 1000000) = %1 "
                           "AND Format(%1, '') = %1 AND Nz(%1, 'y') = %1 AND Len(CStr(%1)) = Len(%1), 'same', "
                           "'changed') AS kept FROM c WHERE c.cn = 1")
                .arg(literal));
        ASSERT_NO_THROW(query.Open()) << "text " << t;
        ASSERT_EQ(query.RecordCount(), 1) << "text " << t;
        if (!texts[t].isEmpty())
            EXPECT_EQ(query.FieldByName(QStringLiteral("r")).toString(), QStringLiteral("x")) << "text " << t;
        EXPECT_EQ(query.FieldByName(QStringLiteral("kept")).toString(), QStringLiteral("same")) << "text " << t;
        query.Close();
        query.setSql(QStringLiteral("SELECT Year(#%1#) AS y FROM c WHERE c.cn = 1").arg(texts[t]));
        try {
            query.Open();
            const int year = query.FieldByName(QStringLiteral("y")).toInt();
            EXPECT_TRUE(year >= 100 && year <= 9999) << "text " << t << ": " << year;
        } catch (const DatabaseError& error) {
            // The translation refuses the text before SQLite sees it.
            const QString message = error.message();
            EXPECT_TRUE(message.startsWith(QStringLiteral("Syntax error")) ||
                        message.startsWith(QStringLiteral("Invalid character")) ||
                        message.startsWith(QStringLiteral("Characters found after end")))
                << "text " << t << ": " << message.toStdString();
        }
    }
}

}  // namespace
