// Every text of up to five characters over the characters that matter to the go-to box, as a
// paste could bring it past the key filter: the check opens exactly the texts that name a project
// of the catalogue, and the real window's Go button, for a sample, ends on a valid position.
#include <gtest/gtest.h>

#include "browser_session.h"
#include "catalogue_copy.h"

#include "go_to_check.h"
#include "main_window.h"
#include "session.h"
#include "ui_form1.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRegularExpression>

#include <optional>
#include <random>

using testing_support::demoCatalogueDir;

namespace {

const QString Alphabet = QStringLiteral("0123456789.-+ xa$");

// Calls `visit` with every text of at most `length` characters over the alphabet.
template <typename Visit>
void EveryText(int length, Visit&& visit)
{
    QString text;
    std::vector<int> digits;
    for (int size = 0; size <= length; ++size) {
        digits.assign(std::size_t(size), 0);
        text.resize(size);
        for (;;) {
            for (int i = 0; i < size; ++i)
                text[i] = Alphabet[digits[std::size_t(i)]];
            visit(text);
            int i = size - 1;
            while (i >= 0 && ++digits[std::size_t(i)] == Alphabet.size())
                digits[std::size_t(i--)] = 0;
            if (i < 0)
                break;
        }
    }
}

// What the box should open, read independently: "category.project" with blanks allowed around
// either number and a sign before it, nothing else.
std::optional<CataloguePosition> ExpectedTarget(const QString& text, const CategoryCounts& counts)
{
    static const QRegularExpression form(QStringLiteral("^ *([+-]?[0-9]+) *\\. *([+-]?[0-9]+) *$"));
    const QRegularExpressionMatch match = form.match(text);
    if (text.size() < 3 || !match.hasMatch())
        return std::nullopt;
    const long long category = match.captured(1).toLongLong();
    const long long project = match.captured(2).toLongLong();
    if (category < 1 || category > 11 || project < 1 || project > counts[std::size_t(category)])
        return std::nullopt;
    return CataloguePosition{std::int32_t(category), std::int32_t(project)};
}

bool Valid(CataloguePosition at, const CategoryCounts& counts)
{
    if (at.category < 0 || at.category > 11)
        return false;
    return at.position >= (at.category == 0 ? 1 : 0) && at.position <= counts[std::size_t(at.category)];
}

TEST(GoToPaste, TheCheckOpensExactlyTheTextsThatNameAProject)
{
    const CategoryCounts small = {3, 5, 4, 5, 6, 5, 4, 5, 5, 6, 4, 5};
    const CategoryCounts wide = {3, 1, 0, 99999, 9, 10, 11, 100, 2147483647, 1, 5, 999};
    for (const CategoryCounts& counts : {small, wide}) {
        long long texts = 0, opened = 0;
        EveryText(5, [&](const QString& text) {
            ++texts;
            const GoToCheck check = CheckGoToText(text, counts);
            const std::optional<CataloguePosition> expected = ExpectedTarget(text, counts);
            if (expected) {
                ++opened;
                ASSERT_EQ(check.verdict, GoToVerdict::Open) << text.toStdString();
                ASSERT_EQ(check.target, *expected) << text.toStdString();
            } else {
                ASSERT_NE(check.verdict, GoToVerdict::Open) << text.toStdString();
                ASSERT_FALSE(GoToMessageText(check, true).isEmpty()) << text.toStdString();
                ASSERT_FALSE(GoToMessageText(check, false).isEmpty()) << text.toStdString();
            }
        });
        EXPECT_EQ(texts, 1 + 17 + 289 + 4913 + 83521 + 1419857);
        EXPECT_GT(opened, 0);
    }
}

TEST(GoToPaste, PastedTextsMoveTheRealWindowOnlyToValidPositions)
{
    CatalogueCopy catalogue(demoCatalogueDir());
    ASSERT_TRUE(catalogue.isValid());
    BrowserSession session(catalogue.exePath(), LangEnglish);
    ASSERT_TRUE(session.started());
    Ui::Form1& ui = session.form().controls();
    const CategoryCounts counts = session.values().ProjectCounts;

    std::vector<QString> sample;
    std::mt19937 random(20140101);
    EveryText(5, [&](const QString& text) {
        // All texts that open something, and one in 500 of the others.
        if (ExpectedTarget(text, counts) || random() % 500 == 0)
            sample.push_back(text);
    });
    ASSERT_GT(sample.size(), 3000u);
    std::shuffle(sample.begin(), sample.end(), random);

    int opened = 0, refused = 0;
    for (const QString& text : sample) {
        const CataloguePosition before{session.values().CurrentCategory, session.values().CurrentPosition};
        QApplication::clipboard()->setText(text);
        ui.tGoTo->selectAll();
        ui.tGoTo->paste();
        if (ui.tGoTo->text() != text)  // a platform without a clipboard: type it in as a paste would
            ui.tGoTo->setText(text);
        ASSERT_EQ(ui.tGoTo->text(), text);
        session.run([&] { ui.cmdGoTo->click(); });
        const CataloguePosition after{session.values().CurrentCategory, session.values().CurrentPosition};
        ASSERT_TRUE(Valid(after, counts)) << text.toStdString() << " -> " << after.category << "." << after.position;
        if (const auto target = ExpectedTarget(text, counts)) {
            ++opened;
            EXPECT_EQ(session.messages().count(), 0) << text.toStdString();
            EXPECT_EQ(after, *target) << text.toStdString();
        } else {
            ++refused;
            EXPECT_EQ(session.messages().count(), 1) << text.toStdString();
            EXPECT_EQ(after, before) << text.toStdString();
        }
        session.messages().clear();
        if ((opened + refused) % 64 == 0)
            QCoreApplication::processEvents();
    }
    EXPECT_GT(opened, 100);
    EXPECT_GT(refused, 1000);
    EXPECT_EQ(catalogue.currentHash(), catalogue.originalHash());
}

}  // namespace
