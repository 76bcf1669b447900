// Genuine Access files imported through libmdb give the rows and values mdb-export prints (a Yes
// as -1), a file without tables opens as an empty database, and a damaged file ends in an error
// within the time limit, never a hang of the caller: whether the reader program fails, loops,
// crashes or is missing.
#include "ado_query.h"
#include "catalogue_fixture.h"
#include "jet_import.h"
#include "project_counts.h"
#include "test_paths.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace catalogue_fixture;

namespace {

// Splits mdb-export's CSV: fields separated by commas, texts in double quotes with "" inside.
QList<QStringList> parseCsv(const QString& csv)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, wasQuoted = false;
    for (int i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                field += c;
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            row << field;
            field.clear();
        } else if (c == '\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else if (c != '\r' || wasQuoted) {
            field += c;
        }
    }
    return rows;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void copyInto(const QString& from, const QString& to)
{
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to));
}

TEST(JetImport, EveryTableMatchesMdbExport)
{
    for (const QString sample : {"testV1997.mdb", "testV2000.mdb", "testUnicodeCompV2003.mdb"}) {
        SCOPED_TRACE(sample.toStdString());
        const QString path = testing_support::jetSamplesDir() + "/" + sample;
        const QByteArray before = testing_support::FileSha256(path);
        const QStringList tables = run("mdb-tables", {"-1", path}).split('\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(tables.isEmpty());
        TADOQuery query;
        query.setConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
                                  ";Persist Security Info=False");
        for (const QString& table : tables) {
            SCOPED_TRACE(table.toStdString());
            const QList<QStringList> expected =
                parseCsv(run("mdb-export", {"-B", "-T", "%Y-%m-%d %H:%M:%S", path, table}));
            ASSERT_FALSE(expected.isEmpty());
            query.Close();
            query.setSql("SELECT * FROM [" + table + "];");
            query.Open();
            EXPECT_EQ(query.columnNames(), expected.first());
            ASSERT_EQ(query.RecordCount(), expected.size() - 1);
            for (int row = 0; row < query.RecordCount(); ++row) {
                for (int column = 0; column < expected.first().size(); ++column) {
                    // A Yes is -1 in Access, as True is.
                    QString want = expected[row + 1][column];
                    if (want == "TRUE" || want == "FALSE")
                        want = want == "TRUE" ? "-1" : "0";
                    const QVariant got = query.value(row, column);
                    if (got.typeId() == QMetaType::Double || got.typeId() == QMetaType::LongLong)
                        EXPECT_DOUBLE_EQ(got.toDouble(), want.toDouble()) << row << "," << column;
                    else
                        EXPECT_EQ(query.displayText(row, column), want) << row << "," << column;
                }
            }
        }
        EXPECT_EQ(testing_support::FileSha256(path), before);
    }
}

TEST(JetImport, UnicodeTextAndIntegerTypesArriveAsSuch)
{
    TADOQuery query;
    query.setConnectionString("Data Source=" + testing_support::jetSamplesDir() + "/testUnicodeCompV2003.mdb;");
    query.setSql("SELECT Unicode FROM [Table] WHERE Unicode like '%мир%' AND ID = 3");
    query.Open();
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.FieldByName("unicode").toString(), "Мир");
    query.Close();
    query.setConnectionString("Data Source=" + testing_support::jetSamplesDir() + "/testV2000.mdb");
    query.setSql("SELECT C, D, E, I FROM Table1 ORDER BY E DESC");
    query.Open();
    ASSERT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(query.value(0, 2).typeId(), QMetaType::LongLong);
    EXPECT_EQ(query.displayText(0, 2), "333333333");
    EXPECT_EQ(query.displayText(0, 3), "-1");
}

TEST(JetImport, AFileWithoutTablesOpensAsAnEmptyDatabase)
{
    // testV1997.mdb with its four tables marked as system objects: the Flags fields of their rows
    // in MSysObjects (page 18) get the high bit, so the file holds no user table, as a new one.
    QFile sample(testing_support::jetSamplesDir() + "/testV1997.mdb");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QByteArray bytes = sample.readAll();
    for (const int flags : {37580, 37647, 37714, 37781}) {
        ASSERT_EQ(bytes.mid(flags, 4), QByteArray(4, '\0')) << flags;
        bytes[flags + 3] = char(0x80);
    }
    CatalogueFolder folder;
    QFile file(folder.databasePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ASSERT_EQ(run("mdb-tables", {"-1", folder.databasePath()}).trimmed(), "");

    TADOQuery query;
    query.setConnectionString(CatalogueConnectionString(folder.exeDir()));
    query.setSql("SELECT 'open' AS state");
    ASSERT_NO_THROW(query.Open());
    EXPECT_EQ(query.FieldByName("state").toString(), "open");
    query.Close();
    query.setSql("SELECT * FROM Table1");
    EXPECT_THROW(query.Open(), DatabaseError);
}

TEST(JetImport, DamagedCopiesEndInAnImageOrAnErrorWithinTheLimit)
{
    QFile sample(testing_support::jetSamplesDir() + "/testV1997.mdb");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray original = sample.readAll();
    CatalogueFolder folder;
    QRandomGenerator random(7);
    for (int copy = 0; copy < 12; ++copy) {
        QByteArray bytes = original;
        if (copy < 4)
            bytes.truncate(original.size() * (copy + 1) / 5 + copy * 100);
        else
            for (int k = 0; k < 20; ++k)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        QFile file(folder.databasePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QElapsedTimer timer;
        timer.start();
        try {
            const QByteArray image = ImportJetDatabaseUncached(folder.databasePath(), 1000);
            EXPECT_TRUE(image.startsWith("SQLite format 3"));
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.message(), "Unrecognized database format '" + folder.databasePath() + "'.");
        }
        EXPECT_LT(timer.elapsed(), 10000) << "copy " << copy;
    }
}

// A reader program that is a shell script; `body` stands for what a real one may do.
QString standInReader(const QTemporaryDir& dir, const QString& name, const QString& body)
{
    const QString path = dir.path() + u'/' + name;
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly) || script.write(("#!/bin/sh\n" + body + "\n").toUtf8()) < 0)
        return QString();
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

TEST(JetImport, AReaderThatLoopsCrashesOrIsMissingEndsInAnErrorWithinTheLimit)
{
    // testV1997.mdb with one byte of a data page changed: libmdb reads it without end.
    QFile sample(testing_support::jetSamplesDir() + "/testV1997.mdb");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QByteArray bytes = sample.readAll();
    ASSERT_EQ(bytes.at(101107), '\0');
    bytes[101107] = 'Q';
    CatalogueFolder folder;
    const QString path = folder.databasePath();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    QTemporaryDir standIns;
    ASSERT_TRUE(standIns.isValid());
    const QString unrecognized = "Unrecognized database format '" + path + "'.";
    const struct {
        const char* what;
        QString reader;
    } readers[] = {
        {"the reader on a file it loops on", JetReaderProgram()},
        {"a reader that never ends", standInReader(standIns, "sleeper", "exec sleep 30")},
        {"a reader that crashes after part of an image",
         standInReader(standIns, "crasher", "printf 'SQLite format 3'; kill -SEGV $$")},
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.what);
        ASSERT_FALSE(reader.reader.isEmpty());
        QElapsedTimer timer;
        timer.start();
        try {
            ImportJetDatabaseUncached(path, 1000, reader.reader);
            ADD_FAILURE() << "imported";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.message(), unrecognized);
        }
        EXPECT_LT(timer.elapsed(), 20000);
    }

    for (const QString& missing : {QString(), standIns.path() + "/velora-jet-reader"}) {
        try {
            ImportJetDatabaseUncached(path, 1000, missing);
            ADD_FAILURE() << "imported without a reader";
        } catch (const DatabaseError& e) {
            EXPECT_TRUE(e.message().startsWith("Cannot read '" + path + "': the Access database reader"))
                << e.message().toStdString();
        }
    }
}

TEST(JetImport, ImportedDatabaseRefusesWrites)
{
    TADOQuery query;
    query.setConnectionString("Data Source=" + testing_support::jetSamplesDir() + "/testV2000.mdb");
    for (const QString sql :
         {"DELETE FROM Table1", "INSERT INTO Table3 VALUES (1, 'x')", "DROP TABLE Table1", "ATTACH 'x.db' AS x"}) {
        query.setSql(sql);
        EXPECT_THROW(query.ExecSQL(), DatabaseError) << sql.toStdString();
    }
    query.setSql("SELECT count(*) AS n FROM Table1");
    query.Open();
    EXPECT_EQ(query.FieldByName("N").toInt(), 2);
}

}  // namespace
