// The one table of Access functions feeds both the translation and the registration with SQLite,
// so every function the translation accepts runs, with each count of arguments it takes; and
// numbers are read by one rule, with the ASCII digits alone, in query texts and in values.
#include "access_functions.h"
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

QString call(const char* name, int arguments)
{
    QStringList ones;
    for (int k = 0; k < arguments; ++k)
        ones << QStringLiteral("1");
    return QStringLiteral("SELECT %1(%2)").arg(QLatin1String(name), ones.join(u','));
}

TEST_F(AccessFunctionsTest, EveryFunctionOfTheTableRunsWithEachCountOfArgumentsItTakes)
{
    for (const AccessFunction& f : AccessFunctions()) {
        for (int arguments = f.fewest; arguments <= f.most; ++arguments) {
            // The call reaches the function, which may refuse a 1 where it wants another value.
            const QString error = errorOf(call(f.name, arguments));
            EXPECT_TRUE(error.isEmpty() || error == "Invalid procedure call or argument" ||
                        error.startsWith("The format '1' is not supported"))
                << call(f.name, arguments).toStdString() << ": " << error.toStdString();
        }
        for (const int arguments : {f.fewest - 1, f.most + 1})
            if (arguments >= 0)
                EXPECT_TRUE(errorOf(call(f.name, arguments)).startsWith("Wrong number of arguments used with function"))
                    << call(f.name, arguments).toStdString();
    }
}

TEST_F(AccessFunctionsTest, NumbersAreAsciiDigitsAndNeverInfinity)
{
    // An Arabic-Indic three is no digit of a number literal.
    EXPECT_EQ(errorOf(QStringLiteral("SELECT 1\u0663")),
              QStringLiteral("Invalid character '\u0663' in query expression."));
    for (const char* text : {"inf", " -inf", "nan"})
        EXPECT_EQ(errorOf(QStringLiteral("SELECT CDbl('%1')").arg(QLatin1String(text))), "Type mismatch") << text;
}

}  // namespace
