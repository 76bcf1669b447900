// Numbers are read by one rule, with the ASCII digits alone, in query texts and in values.
#include "ado_query.h"
#include "catalogue_fixture.h"

#include <gtest/gtest.h>

namespace {

class AccessFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        catalogue_fixture::writeDatabase(folder.databasePath(), {"CREATE TABLE t (x INTEGER)"});
        query.setConnectionString("Data Source=" + folder.databasePath());
    }
    // The error message of the query, or an empty text when it runs.
    QString errorOf(const QString& sql)
    {
        query.Close();
        query.setSql(sql);
        try {
            query.Open();
        } catch (const DatabaseError& error) {
            return error.message();
        }
        return QString();
    }

    catalogue_fixture::CatalogueFolder folder;
    TADOQuery query;
};

TEST_F(AccessFunctionsTest, NumbersAreAsciiDigitsAndNeverInfinity)
{
    // An Arabic-Indic three is no digit of a number literal.
    EXPECT_EQ(errorOf(QStringLiteral("SELECT 1\u0663")), QStringLiteral("Invalid character '\u0663' in query expression."));
    for (const char* text : {"inf", " -inf", "nan"})
        EXPECT_EQ(errorOf(QStringLiteral("SELECT CDbl('%1')").arg(QLatin1String(text))), "Type mismatch") << text;
}

}  // namespace
