// The go-to box: checking its text, the messages, and the key filter.
#include "go_to_check.h"
#include "go_to_key_filter.h"

#include <gtest/gtest.h>

namespace {

const CategoryCounts kCounts{3, 5, 1, 2, 6, 20, 5, 1, 2, 3, 4, 7};

GoToVerdict VerdictOf(const QString& text) { return CheckGoToText(text, kCounts).verdict; }

QString Format(int example, bool russian)
{
    return (russian ? QStringLiteral("Введите номер категории и номер проекта через точку (например: 1.")
                    : QStringLiteral("Please input category and project number, dot separated (ex: 1.")) +
        QString::number(example) + u')';
}

}  // namespace

TEST(GoToCheck, EachCheckInItsOrder)
{
    struct Case {
        const char* text;
        GoToVerdict verdict;
    };
    const Case cases[] = {
        {"", GoToVerdict::FormatShort},
        {"12", GoToVerdict::FormatShort},
        {".5", GoToVerdict::FormatShort},
        {"3.", GoToVerdict::FormatShort},
        {"123", GoToVerdict::FormatNoCategory},
        {".55", GoToVerdict::FormatNoCategory},
        {"  .5", GoToVerdict::FormatNoCategory},
        {"11.", GoToVerdict::FormatNoProject},
        {"1. \t", GoToVerdict::FormatNoProject},
        {"1.2.3", GoToVerdict::FormatNotNumber},
        {"a.1", GoToVerdict::FormatNotNumber},
        {"1x.", GoToVerdict::FormatNotNumber},  // the category is converted before the empty project part is seen
        {"1 1.1", GoToVerdict::FormatNotNumber},
        {"1.1a", GoToVerdict::FormatNotNumber},
        {"1.$1", GoToVerdict::FormatNotNumber},
        {"2147483648.1", GoToVerdict::FormatNotNumber},
        {"1.99999999999", GoToVerdict::FormatNotNumber},
        {"0.1", GoToVerdict::CategoryOutside},
        {"12.1", GoToVerdict::CategoryOutside},
        {"-1.1", GoToVerdict::CategoryOutside},
        {"12.x", GoToVerdict::FormatNotNumber},  // format before range
        {"1.0", GoToVerdict::ProjectBelowOne},
        {"1.-3", GoToVerdict::ProjectBelowOne},
        {"5.999", GoToVerdict::ProjectAboveCount},
        {"5.21", GoToVerdict::ProjectAboveCount},
        {"5.20", GoToVerdict::Open},
        {"01.05", GoToVerdict::Open},
        {" 1 . 1 ", GoToVerdict::Open},
        {"+2.1", GoToVerdict::Open},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VerdictOf(QString::fromUtf8(c.text)), c.verdict) << '"' << c.text << '"';
}

TEST(GoToCheck, TargetOfAGoodText)
{
    const GoToCheck check = CheckGoToText(QStringLiteral("01.04"), kCounts);
    EXPECT_EQ(check.verdict, GoToVerdict::Open);
    EXPECT_EQ(check.target, (CataloguePosition{1, 4}));
    EXPECT_EQ(CheckGoToText(QStringLiteral("11.7"), kCounts).target, (CataloguePosition{11, 7}));
}

TEST(GoToCheck, EmptyCountsLetNoProjectThrough)
{
    const GoToCheck check = CheckGoToText(QStringLiteral("3.1"), CategoryCounts{});
    EXPECT_EQ(check.verdict, GoToVerdict::ProjectAboveCount);
    EXPECT_EQ(GoToMessageText(check, false), QStringLiteral("For the category 3 max. project number is 0"));
}

TEST(GoToCheck, MessagesInBothLanguages)
{
    EXPECT_EQ(GoToMessageText(CheckGoToText("12", kCounts), true), Format(1, true));
    EXPECT_EQ(GoToMessageText(CheckGoToText("12", kCounts), false), Format(1, false));
    EXPECT_EQ(GoToMessageText(CheckGoToText("123", kCounts), true), Format(2, true));
    EXPECT_EQ(GoToMessageText(CheckGoToText("123", kCounts), false), Format(2, false));
    EXPECT_EQ(GoToMessageText(CheckGoToText("11.", kCounts), true), Format(3, true));
    EXPECT_EQ(GoToMessageText(CheckGoToText("11.", kCounts), false), Format(3, false));
    EXPECT_EQ(GoToMessageText(CheckGoToText("a.1", kCounts), true), Format(4, true));
    EXPECT_EQ(GoToMessageText(CheckGoToText("a.1", kCounts), false), Format(4, false));

    EXPECT_EQ(GoToMessageText(CheckGoToText("0.1", kCounts), true),
              QStringLiteral("Номер категории может быть от 1 до 11"));
    EXPECT_EQ(GoToMessageText(CheckGoToText("0.1", kCounts), false),
              QStringLiteral("Please input category number between 1 and 11"));
    EXPECT_EQ(GoToMessageText(CheckGoToText("5.999", kCounts), true),
              QStringLiteral("В категории 5 максимальный номер проекта 20"));
    EXPECT_EQ(GoToMessageText(CheckGoToText("5.999", kCounts), false),
              QStringLiteral("For the category 5 max. project number is 20"));
    EXPECT_EQ(GoToMessageText(CheckGoToText("1.0", kCounts), true),
              QStringLiteral("Номер проекта должен быть не меньше 1"));
    EXPECT_EQ(GoToMessageText(CheckGoToText("1.0", kCounts), false),
              QStringLiteral("Project number must be 1 or greater"));
    EXPECT_TRUE(GoToMessageText(CheckGoToText("1.1", kCounts), true).isEmpty());
}

TEST(GoToKeyFilter, States)
{
    // Only digits, the dot and Backspace pass.
    for (const char* text : {"", "1", "1.1", "12"}) {
        EXPECT_FALSE(GoToKeyAccepted(text, u'a')) << text;
        EXPECT_FALSE(GoToKeyAccepted(text, u' ')) << text;
        EXPECT_FALSE(GoToKeyAccepted(text, u'-')) << text;
        EXPECT_FALSE(GoToKeyAccepted(text, QChar(0x0661))) << text;  // an Arabic-Indic digit
    }
    EXPECT_TRUE(GoToKeyAccepted("", u'7'));
    EXPECT_TRUE(GoToKeyAccepted("", u'.'));
    EXPECT_TRUE(GoToKeyAccepted("1", u'2'));
    // After two digits only the dot follows.
    EXPECT_FALSE(GoToKeyAccepted("12", u'3'));
    EXPECT_TRUE(GoToKeyAccepted("12", u'.'));
    // One dot only.
    EXPECT_FALSE(GoToKeyAccepted("1.5", u'.'));
    EXPECT_TRUE(GoToKeyAccepted("1.5", u'9'));
    EXPECT_TRUE(GoToKeyAccepted("12.34", u'5'));  // the length limit is the box's, not the filter's
    // More than two characters before the dot: nothing but Backspace.
    EXPECT_FALSE(GoToKeyAccepted("123.4", u'1'));
    EXPECT_FALSE(GoToKeyAccepted("123.4", u'.'));
    EXPECT_TRUE(GoToKeyAccepted("123", u'4'));  // no dot: only exactly two characters restrict
    for (const char* text : {"", "1", "12", "1.5", "123.4", "abc", "....."})
        EXPECT_TRUE(GoToKeyAccepted(text, u'\b')) << text;
}
