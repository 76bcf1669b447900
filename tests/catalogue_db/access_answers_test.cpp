// Queries in the Access dialect give the answers Access documents for them, on the genuine Jet
// samples (Jet 3 and Jet 4) and on an SQLite catalogue holding the same rows, also under a Russian
// locale that writes numbers with a decimal comma.
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
#include <string>
#include <vector>

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
    // Currency is exact: Sum, Avg, +, - and * by whole numbers keep every ten-thousandth; a
    // Double operand makes a Double.
    {"SELECT Sum(H), Avg(H + CCur('0.0001')), Min(H), Max(H), Sum(H) * 3 - CCur('0.0001') FROM Table1",
     "3.5|1.7501|0|3.5|10.4999"},
    {"SELECT H + 1, H * 2, H - CCur('0.0001'), H * 0.1 FROM Table1 ORDER BY E", "1|0|-0.0001|0;4.5|7|3.4999|0.35"},
    // 2^20 rows: a Currency sum of a million rows.
    {"SELECT Sum(CCur(0.07)) FROM Table1 AS t1, Table1 AS t2, Table1 AS t3, Table1 AS t4, "
     "Table1 AS t5, Table1 AS t6, Table1 AS t7, "
     "Table1 AS t8, Table1 AS t9, Table1 AS t10, Table1 AS t11, Table1 AS t12, Table1 AS t13, Table1 AS t14, "
     "Table1 AS t15, Table1 AS t16, Table1 AS t17, Table1 AS t18, Table1 AS t19, Table1 AS t20",
     "73400.32"},
    {"SELECT Sum(x) * 2 FROM (SELECT H + CCur('0.0001') AS x FROM Table1) AS t", "7.0004"},
    // CCur rounds a half to the even neighbour at the fourth decimal, over Currency's whole range.
    {"SELECT CCur(1.23455), CCur(1.23465), CCur('2.00005'), CCur('-0.00005'), CCur('922337203685477.5807')",
     "1.2346|1.2346|2|0|922337203685477.5807"},
    {"SELECT Round(CCur('2.345'), 2), Int(CCur('-2.5')), Fix(CCur('-2.5')), CCur('2.5') * CCur('0.0001')",
     "2.34|-3|-2|0.0002"},
    {"SELECT CCur('922337203685477.5807') + 1", "!Overflow"},
    {"SELECT CCur(Null)", "!Invalid use of Null"},
    {"SELECT CCur('abc')", "!Type mismatch"},
    {"SELECT A FROM Table1 WHERE H = 3.5 AND H > 3 AND H < CCur('3.5001') AND H BETWEEN 3 AND 4 AND H IN (1, 3.5)",
     "abcdefg"},
    {"SELECT Format(H, 'Currency'), Format(-H * 1000, 'Currency'), Format(H, 'Fixed'), CStr(H) FROM Table1 "
     "WHERE E = 333333333",
     "$3.50|($3,500.00)|3.50|3.5"},
    {"SELECT Format(CCur('922337203685477.5807'), 'Standard'), Format(CCur('0.125'), '0.00')",
     "922,337,203,685,477.58|0.13"},
    // Text functions compare as text unless told 0 (binary), in every alphabet.
    {"SELECT InStr('ABC', 'b'), InStr(3, 'abcabc', 'B'), InStr(1, 'ABC', 'b', 0), InStr(1, 'ABC', 'b', 1), "
     "InStr(4, 'abc', 'c'), InStr(2, 'abc', '')",
     "2|5|0|2|0|2"},
    {"SELECT InStrRev('abcabc', 'B'), InStrRev('abcabc', 'b', 4), InStrRev('abcabc', 'B', -1, 0), "
     "InStrRev('abc', 'c', 2)",
     "5|2|0|0"},
    {"SELECT InStr([Unicode], 'ИР'), InStrRev([Unicode], 'м') FROM [Table] WHERE ID = 3", "2|1", true},
    {"SELECT StrComp('a', 'B', 0), StrComp('a', 'B', 1), StrComp('a', 'B'), StrComp('ё', 'Ж')", "1|-1|-1|-1"},
    {"SELECT IsNull(InStr(1, Null, 'a')), IsNull(InStrRev('a', Null))", "-1|-1"},
    {"SELECT InStr(0, 'abc', 'a')", "!Invalid procedure call or argument"},
    {"SELECT InStr(Null, 'abc', 'a')", "!Invalid use of Null"},
    {"SELECT StrComp('a', 'b', 3)", "!Invalid procedure call or argument"},
    // A comparison or Not shows True as -1, and is -1 wherever it is a value.
    {"SELECT (1=1), Not (1=2), (A = 'A'), A Like 'A%', (E = 0) * 5 FROM Table1 WHERE E = 0", "-1|-1|-1|-1|-5"},
    {"SELECT Count(*) AS n FROM Table1 WHERE (A = 'a') = True", "1"},
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

// The samples' rows in an SQLite catalogue: Currency in whole ten-thousandths, as Jet keeps it.
void writeSqliteSample(const QString& path)
{
    catalogue_fixture::writeDatabase(
        path,
        {"CREATE TABLE Table1 (A TEXT, B TEXT, C INTEGER, D INTEGER, E INTEGER, F REAL, G TEXT, H CURRENCY, I INTEGER)",
         "INSERT INTO Table1 VALUES ('a', 'b', 0, 0, 0, 0, '1981-12-12 00:00:00', 0, 0)",
         "INSERT INTO Table1 VALUES ('abcdefg', 'hijklmnop', 2, 222, 333333333, 444.555, '1974-09-21 00:00:00', "
         "35000, -1)",
         "CREATE TABLE Table3 (a INTEGER, b TEXT)", "CREATE TABLE \"Table\" (ID INTEGER, \"Unicode\" TEXT)",
         "INSERT INTO \"Table\" VALUES (1, 'only ascii chars'), (2, 'ääkkösiä'), (3, 'Мир'), (7, 'ümlaut')"});
}

TEST(AccessAnswers, OnAnSqliteCatalogue)
{
    catalogue_fixture::CatalogueFolder folder;
    writeSqliteSample(folder.databasePath());
    expectAccessAnswers(folder.databasePath(), folder.databasePath());
}

// The whole process, and the programs it starts, under ru_RU.UTF-8 (a decimal comma, Russian
// collation and character classes), made in a temporary folder: nothing is installed on the
// machine. Skipped, saying why, where the locale cannot be made.
class RussianLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(locales_.isValid());
        QProcess localedef;
        localedef.start("localedef", {"-i", "ru_RU", "-f", "UTF-8", locales_.path() + "/ru_RU.UTF-8"});
        if (!localedef.waitForFinished(120000) || !QFile::exists(locales_.path() + "/ru_RU.UTF-8/LC_NUMERIC"))
            GTEST_SKIP() << "the ru_RU.UTF-8 locale cannot be made here (localedef from the locales package: "
                         << (localedef.error() == QProcess::FailedToStart
                                 ? std::string("not installed")
                                 : localedef.readAllStandardError().toStdString())
                         << "), so the answers under it are not checked";
        for (const char* name : {"LOCPATH", "LC_ALL"})
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        oldLocale_ = std::setlocale(LC_ALL, nullptr);
        qputenv("LOCPATH", QFile::encodeName(locales_.path()));
        qputenv("LC_ALL", "ru_RU.UTF-8");
        ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr);
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 0.5);
        ASSERT_STREQ(text, "0,5");  // the locale really writes a decimal comma
    }

    void TearDown() override
    {
        if (!oldLocale_.empty())
            std::setlocale(LC_ALL, oldLocale_.c_str());
        for (const Saved& variable : saved_) {
            if (variable.set)
                qputenv(variable.name, variable.value);
            else
                qunsetenv(variable.name);
        }
    }

    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    QTemporaryDir locales_;
    std::vector<Saved> saved_;
    std::string oldLocale_;
};

TEST_F(RussianLocale, JetFilesGiveTheSameAnswers)
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

TEST_F(RussianLocale, AnSqliteCatalogueGivesTheSameAnswers)
{
    catalogue_fixture::CatalogueFolder folder;
    writeSqliteSample(folder.databasePath());
    expectAccessAnswers(folder.databasePath(), folder.databasePath());
}

}  // namespace
