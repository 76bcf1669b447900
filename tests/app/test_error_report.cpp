#include <gtest/gtest.h>

#include "application.h"
#include "error_report.h"
#include "test_support.h"

#include <stdexcept>

TEST(ErrorReport, AppendsAFullStopOnlyAfterCharactersAboveIt)
{
    // An apostrophe comes before the full stop in the code table.
    EXPECT_EQ(ErrorReportText("Could not find file 'x'"), "Could not find file 'x'");
    EXPECT_EQ(ErrorReportText("no such table: eng"), "no such table: eng.");
    EXPECT_EQ(ErrorReportText("Already ends."), "Already ends.");
    EXPECT_EQ(ErrorReportText("Exclaims!"), "Exclaims!");
    EXPECT_EQ(ErrorReportText("Closes (a)"), "Closes (a)");
    EXPECT_EQ(ErrorReportText("Trailing blank "), "Trailing blank ");
    EXPECT_EQ(ErrorReportText("Comma,"), "Comma,");
    EXPECT_EQ(ErrorReportText(""), "");
    // "/" comes after "." in the code table, so it gets one.
    EXPECT_EQ(ErrorReportText("path/"), "path/.");
    EXPECT_EQ(ErrorReportText("Ошибка"), "Ошибка.");
}

TEST(ErrorReport, AnErrorEscapingAHandlerIsShownWithTheTitleAndTheProgramGoesOn)
{
    testing_support::MessageRecorder messages;
    bool after = false;
    EXPECT_FALSE(RunReported([] { throw std::runtime_error("Database file is locked"); }));
    EXPECT_TRUE(RunReported([&] { after = true; }));
    EXPECT_TRUE(after);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last(), "Database file is locked.");
    EXPECT_EQ(messages.captions().first(), "Catalogue VELORA 2014");
}

TEST(ErrorReport, UnicodeMessagesSurviveTheException)
{
    testing_support::MessageRecorder messages;
    RunReported([] { throw std::runtime_error(QStringLiteral("Нет файла «б»").toStdString()); });
    EXPECT_EQ(messages.last(), QStringLiteral("Нет файла «б»."));
}
