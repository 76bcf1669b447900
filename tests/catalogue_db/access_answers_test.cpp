// Queries in the Access dialect give the answers Access documents for them, on the genuine Jet
// samples (Jet 3 and Jet 4) and on an SQLite catalogue holding the same rows, and the Jet import
// gives the same answers under a locale that writes numbers with a decimal comma.
//
// Table1 of the samples: ("a", "b", 0, 0, 0, 0, 12 Dec 1981, 0, No) and
// ("abcdefg", "hijklmnop", 2, 222, 333333333, 444.555, 21 Sep 1974, 3.5, Yes) in the columns
// A B (text) C D E (integers) F (double) G (date) H (currency) I (yes/no).
#include "ado_query.h"
#include "catalogue_fixture.h"
#include "test_paths.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

// The rows of the answer, cells joined by "|" and rows by ";"; "!" and a text: an error whose
// message holds the text.
struct Case {
    const char* sql;
    const char* answer;
    bool unicodeSample = false;  // reads [Table] of testUnicodeCompV2003.mdb rather than Table1
};

const Case kCases[] = {
    // Fractions and yes/no arrive as numbers, a Yes as -1 (True).
    {"SELECT Sum(F) AS s, Sum(H) AS m FROM Table1", "444.555|3.5"},
    {"SELECT A FROM Table1 WHERE I = True", "abcdefg"},
    {"SELECT I FROM Table1 ORDER BY E", "0;-1"},
    // Texts compare without regard to case, in every alphabet.
    {"SELECT Count(*) AS n FROM Table1 WHERE A = 'ABCDEFG'", "1"},
    {"SELECT Count(*) AS n FROM Table1 WHERE A <> 'ABCDEFG'", "1"},
    {"SELECT Count(*) AS n FROM Table1 WHERE A < 'B'", "2"},
    {"SELECT Count(*) AS n FROM Table1 WHERE A > 'A'", "1"},
    {"SELECT A FROM Table1 WHERE A IN ('X', 'ABCDEFG')", "abcdefg"},
    {"SELECT A FROM Table1 WHERE B BETWEEN 'A' AND 'C'", "a"},
    {"SELECT Count(*) AS n FROM (SELECT A AS x FROM Table1 UNION ALL SELECT UCase(A) FROM Table1) AS t GROUP BY x",
     "2;2"},
    {"SELECT Count(*) AS n FROM (SELECT DISTINCT x FROM (SELECT A AS x FROM Table1 UNION ALL SELECT UCase(A) FROM "
     "Table1) AS t) AS u",
     "2"},
    {"SELECT ID FROM [Table] WHERE [Unicode] = 'мИР' OR [Unicode] = 'ÄÄKKÖSIÄ' OR [Unicode] IN ('ÜMLAUT') ORDER BY ID",
     "2;3;7", true},
    // UCase and LCase change the letters of every alphabet.
    {"SELECT UCase([Unicode]) AS u, LCase('MÉXICO') AS l FROM [Table] WHERE ID = 3", "МИР|méxico", true},
    // Format.
    {"SELECT Format('50% off', '') AS f", "50% off"},
    {"SELECT Format(1234.5, 'General Number'), Format(1234.5, 'Fixed'), Format(1234.5, 'Standard'), "
     "Format(0.125, 'Percent')",
     "1234.5|1234.50|1,234.50|12.50%"},
    {"SELECT Format(I, 'Yes/No'), Format(I, 'True/False'), Format(I, 'On/Off') FROM Table1 ORDER BY E",
     "No|False|Off;Yes|True|On"},
    {"SELECT Format(G, 'Short Date'), Format(G, 'Long Date') FROM Table1 WHERE E = 333333333",
     "9/21/1974|Saturday, September 21, 1974"},
    {"SELECT Format(#1/31/1995 14:05:09#, 'Short Time'), Format(#1/31/1995 14:05:09#, 'Long Time')",
     "14:05|2:05:09 PM"},
    {"SELECT Format(#1/31/1995 14:05:09#, 'dd.mm.yy hh:nn:ss'), Format(#1/31/1995 14:05:09#, 'yyyy-m-d h:nn am/pm')",
     "31.01.95 14:05:09|1995-1-31 2:05 pm"},
    {"SELECT Format(1234.5, '#,##0.00'), Format(0.5, '0%'), Format(5, '#.##'), Format(H, '0.0000') FROM Table1 "
     "WHERE E = 333333333",
     "1,234.50|50%|5.|3.5000"},
    {"SELECT Format(#1/31/1995#, 'ddd d mmm yyyy'), Format(#1/31/1995#, 'dddd mmmm')",
     "Tue 31 Jan 1995|Tuesday January"},
    {"SELECT Format(1, 'zzz')", "!zzz"},
    {"SELECT Format('text', 'q')", "!'q'"},
    // Left and Right, beside LEFT JOIN.
    {"SELECT Left(A, 3) AS l, Right(B, 2) AS r FROM Table1 WHERE E = 333333333", "abc|op"},
    {"SELECT Count(*) AS n FROM Table1 LEFT JOIN Table3 ON Table1.E = Table3.a", "2"},
    {"SELECT IsNull(Null) AS x, IsNull(A) AS y FROM Table1 WHERE E = 0", "-1|0"},
    // Numbers shown with their digits, currency without binary noise.
    {"SELECT Sum(H) * 0.1 * 3 AS x, CDbl(1000000) AS y FROM Table1", "1.05|1000000"},
    // Round takes a half to the even neighbour.
    {"SELECT Round(2.5), Round(3.5), Round(-2.5), Round(0.125, 2)", "2|4|-2|0.12"},
    // The functions of Access queries.
    {"SELECT Nz(Null, 'x'), Nz(A, 'x') FROM Table1 WHERE E = 0", "x|a"},
    {"SELECT Val('  12 34abc'), Val('1.5e2x'), Val('abc'), Val('&H1F'), Val('&O17')", "1234|150|0|31|15"},
    {"SELECT CStr(F), CInt(2.5), CInt(3.5), CLng(-2.5), CDbl('1.25') FROM Table1 WHERE E = 333333333",
     "444.555|2|4|-2|1.25"},
    {"SELECT CInt(40000)", "!Overflow"},
    {"SELECT Int(-2.5), Fix(-2.5), Int(2.5), Fix(2.5)", "-3|-2|2|2"},
    {"SELECT Year(G), Month(G), Day(G) FROM Table1 WHERE E = 333333333", "1974|9|21"},
    {"SELECT DateDiff('d', Date(), Now()), DateDiff('n', Now(), Now())", "0|0"},
    {"SELECT Format(DateSerial(1995, 13, 0), 'Short Date'), Format(DateAdd('m', 1, #1/31/1995#), 'Short Date')",
     "12/31/1995|2/28/1995"},
    {"SELECT DateDiff('yyyy', #12/31/1994#, #1/1/1995#), DateDiff('q', #12/31/1994#, #1/1/1995#), "
     "DateDiff('m', #12/31/1994#, #1/1/1995#), DateDiff('d', #12/31/1994#, #1/1/1995#)",
     "1|1|1|1"},
    {"SELECT DateDiff('ww', #1/1/1995#, #1/14/1995#), DateDiff('h', #1/1/1995 10:59#, #1/1/1995 11:00#), "
     "DateDiff('n', #1/1/1995 10:59#, #1/1/1995 11:00#), DateDiff('s', #1/1/1995 10:59#, #1/1/1995 11:00#)",
     "1|1|1|60"},
    {"SELECT Replace('aXbXc', 'X', '-'), StrComp('abc', 'ABC'), StrComp('abc', 'ABD'), StrComp('b', 'a', 0)",
     "a-b-c|0|-1|1"},
    // Date literals.
    {"SELECT A FROM Table1 WHERE G = #9/21/1974#", "abcdefg"},
    {"SELECT A FROM Table1 WHERE G Between #1981-01-01# And #12/31/1981#", "a"},
    {"SELECT Count(*) AS n FROM Table1 WHERE G > #1/1/1970# AND G < #1982-1-1#", "2"},
    {"SELECT #2/30/1995#", "!#2/30/1995#"},
    {"SELECT NoSuchFunction(A) FROM Table1", "!NoSuchFunction"},
};

QString answerOf(TADOQuery& query, const QString& sql)
{
    query.Close();
    query.setSql(sql);
    try {
        query.Open();
    } catch (const DatabaseError& error) {
        return u'!' + error.message();
    }
    QStringList rows;
    for (int row = 0; row < query.RecordCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < query.columnNames().size(); ++column)
            cells << query.displayText(row, column);
        rows << cells.join(u'|');
    }
    return rows.join(u';');
}

// Runs every case on the database files: `table1` holds Table1 and Table3, `unicode` [Table].
void expectAccessAnswers(const QString& table1, const QString& unicode)
{
    TADOQuery query;
    for (const Case& c : kCases) {
        query.setConnectionString("Data Source=" + (c.unicodeSample ? unicode : table1) + ";");
        const QString got = answerOf(query, QString::fromUtf8(c.sql));
        const QString want = QString::fromUtf8(c.answer);
        if (want.startsWith(u'!'))
            EXPECT_TRUE(got.startsWith(u'!') && got.contains(want.mid(1)))
                << c.sql << "\n  gave: " << got.toStdString();
        else
            EXPECT_EQ(got, want) << c.sql;
    }
}

QString sample(const char* name) { return testing_support::jetSamplesDir() + u'/' + QLatin1String(name); }

TEST(AccessAnswers, OnGenuineJetFiles)
{
    for (const char* file : {"testV1997.mdb", "testV2000.mdb"}) {
        SCOPED_TRACE(file);
        expectAccessAnswers(sample(file), sample("testUnicodeCompV2003.mdb"));
    }
}

TEST(AccessAnswers, OnAnSqliteCatalogue)
{
    catalogue_fixture::CatalogueFolder folder;
    const QString path = folder.databasePath();
    catalogue_fixture::writeDatabase(
        path,
        {"CREATE TABLE Table1 (A TEXT, B TEXT, C INTEGER, D INTEGER, E INTEGER, F REAL, G TEXT, H REAL, I INTEGER)",
         "INSERT INTO Table1 VALUES ('a', 'b', 0, 0, 0, 0, '1981-12-12 00:00:00', 0, 0)",
         "INSERT INTO Table1 VALUES ('abcdefg', 'hijklmnop', 2, 222, 333333333, 444.555, '1974-09-21 00:00:00', "
         "3.5, -1)",
         "CREATE TABLE Table3 (a INTEGER, b TEXT)", "CREATE TABLE \"Table\" (ID INTEGER, \"Unicode\" TEXT)",
         "INSERT INTO \"Table\" VALUES (1, 'only ascii chars'), (2, 'ääkkösiä'), (3, 'Мир'), (7, 'ümlaut')"});
    expectAccessAnswers(path, path);
}

// A locale of its own, made in a temporary folder: nothing is installed on the machine.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(locales_.isValid());
        QProcess localedef;
        localedef.start("localedef", {"-i", "ru_RU", "-f", "UTF-8", locales_.path() + "/ru_RU.UTF-8"});
        ASSERT_TRUE(localedef.waitForFinished(120000));
        ASSERT_TRUE(QFile::exists(locales_.path() + "/ru_RU.UTF-8/LC_NUMERIC"))
            << localedef.readAllStandardError().toStdString();
        const QByteArray previous = qgetenv("LOCPATH");
        hadLocPath_ = !previous.isNull();
        oldLocPath_ = previous;
        oldNumeric_ = std::setlocale(LC_NUMERIC, nullptr);
        qputenv("LOCPATH", QFile::encodeName(locales_.path()));
        ASSERT_NE(std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"), nullptr);
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 0.5);
        ASSERT_STREQ(text, "0,5");  // the locale really writes a decimal comma
    }

    void TearDown() override
    {
        std::setlocale(LC_NUMERIC, oldNumeric_.c_str());
        if (hadLocPath_)
            qputenv("LOCPATH", oldLocPath_);
        else
            qunsetenv("LOCPATH");
    }

    QTemporaryDir locales_;
    bool hadLocPath_ = false;
    QByteArray oldLocPath_;
    std::string oldNumeric_;
};

TEST_F(CommaLocale, JetFilesGiveTheSameAnswers)
{
    // Copies under new names: an import made before, in the C locale, is not reused.
    QTemporaryDir copies;
    for (const char* file : {"testV1997.mdb", "testV2000.mdb", "testUnicodeCompV2003.mdb"})
        ASSERT_TRUE(QFile::copy(sample(file), copies.path() + u'/' + QLatin1String(file)));
    for (const char* file : {"testV1997.mdb", "testV2000.mdb"}) {
        SCOPED_TRACE(file);
        expectAccessAnswers(copies.path() + u'/' + QLatin1String(file), copies.path() + "/testUnicodeCompV2003.mdb");
    }
}

}  // namespace
