// Building catalogues: every page of every position and language, a database that agrees
// with the pages, working links, and nothing left over from an earlier build.
#include "tool_run.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

namespace {

const char kLetters[] = {'r', 'e', 'c'};

// Checks a built catalogue against itself: counts, positions, language rows and page files.
void expectConsistentCatalogue(const QString& folder, int expectedProjects)
{
    RawDatabase db(folder + QStringLiteral("/velora2014.mdb"));
    const auto counts = db.rows("SELECT cc.cat, Count(cc.d) FROM cc GROUP BY cc.cat ORDER BY cc.cat");
    ASSERT_EQ(counts.size(), 11u);
    int total = 0;
    for (int category = 1; category <= 11; ++category) {
        EXPECT_EQ(counts[category - 1][0].toInt(), category);
        const int count = counts[category - 1][1].toInt();
        EXPECT_GE(count, 1) << "category " << category;
        total += count;
        // pcat runs 1..count without gaps or repeats.
        const QByteArray sql =
            QStringLiteral("SELECT count(DISTINCT pcat), min(pcat), max(pcat), count(*) FROM cc WHERE cat = %1")
                .arg(category)
                .toUtf8();
        const QStringList run = db.rows(sql.constData()).at(0);
        EXPECT_EQ(
            run,
            (QStringList{QString::number(count), QStringLiteral("1"), QString::number(count), QString::number(count)}))
            << "category " << category;
        for (int position = 0; position <= std::min(count, 999); ++position)
            for (char letter : kLetters)
                EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/data/") + pageName(category, position, letter)))
                    << pageName(category, position, letter).toStdString();
    }
    EXPECT_EQ(total, expectedProjects);
    for (int position = 1; position <= 3; ++position)
        for (char letter : kLetters)
            EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/data/") + pageName(0, position, letter)));
    EXPECT_EQ(db.number("SELECT count(*) FROM c"), 11);
    EXPECT_EQ(db.number("SELECT count(*) FROM (SELECT DISTINCT d, n FROM cc)"), expectedProjects);
    for (const char* table : {"rus", "eng", "chn"}) {
        const QByteArray sql =
            QStringLiteral("SELECT count(*) FROM cc INNER JOIN %1 ON cc.d = %1.d AND cc.n = %1.n").arg(table).toUtf8();
        EXPECT_EQ(db.number(sql.constData()), expectedProjects) << table;
    }
    EXPECT_EQ(db.number("SELECT count(*) FROM cc WHERE d NOT BETWEEN 1 AND 7"), 0);
}

// Every href and src of every page names a file of the catalogue.
QStringList brokenReferences(const QString& dataFolder)
{
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    QStringList broken;
    QDirIterator pages(dataFolder, {QStringLiteral("*.html")}, QDir::Files);
    while (pages.hasNext()) {
        const QString page = pages.next();
        QFile file(page);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto match = reference.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (!QFile::exists(dataFolder + QLatin1Char('/') + target))
                broken << QFileInfo(page).fileName() + QStringLiteral(" -> ") + target;
        }
    }
    return broken;
}

QString readPage(const QString& folder, const QString& name)
{
    QFile file(folder + QStringLiteral("/data/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

TEST(BuildCommand, DemoCatalogueIsCompleteAndConsistent)
{
    QTemporaryDir dest;
    const ToolResult result = runTool({QStringLiteral("build"), demoSources(), dest.path()});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    RawDatabase db(dest.path() + QStringLiteral("/velora2014.mdb"));
    const int projects = db.number("SELECT count(*) FROM cc");
    EXPECT_GE(projects, 50);
    expectConsistentCatalogue(dest.path(), projects);
    EXPECT_LE(db.number("SELECT max(c) FROM (SELECT count(*) AS c FROM cc GROUP BY cat)"), 8);
    EXPECT_GE(db.number("SELECT min(c) FROM (SELECT count(*) AS c FROM cc GROUP BY cat)"), 3);
    // The empty and null cases the search has to cope with are in the data.
    EXPECT_GT(db.number("SELECT count(*) FROM rus WHERE a IS NULL"), 0);
    EXPECT_GT(db.number("SELECT count(*) FROM rus WHERE a = ''"), 0);
    EXPECT_GT(db.number("SELECT count(*) FROM eng WHERE r_d = ''"), 0);
    EXPECT_GT(db.number("SELECT count(*) FROM eng WHERE r_d IS NULL"), 0);
    EXPECT_GT(db.number("SELECT count(*) FROM rus WHERE o_tdb = '' OR o_tdb IS NULL"), 0);
    EXPECT_EQ(db.number("SELECT count(DISTINCT d) FROM cc"), 7);
    EXPECT_EQ(db.rows("SELECT ctchn FROM c WHERE cn = 6").at(0).at(0), QStringLiteral("能源"));

    EXPECT_TRUE(QFileInfo(dest.path() + QStringLiteral("/sp/chnfont.sh")).isExecutable());
    EXPECT_TRUE(QFile::exists(dest.path() + QStringLiteral("/data/style.css")));
    EXPECT_EQ(brokenReferences(dest.path() + QStringLiteral("/data")), QStringList());
}

TEST(BuildCommand, DemoPagesLinkNeighboursTitlePagesAndIntroduction)
{
    QTemporaryDir dest;
    ASSERT_EQ(runTool({QStringLiteral("build"), demoSources(), dest.path()}).exitCode, 0);
    const QString second = readPage(dest.path(), QStringLiteral("03002e.html"));
    EXPECT_TRUE(second.contains(QStringLiteral("href=\"03001e.html\"")));
    EXPECT_TRUE(second.contains(QStringLiteral("href=\"03003e.html\"")));
    EXPECT_TRUE(second.contains(QStringLiteral("href=\"03000e.html\"")));
    EXPECT_TRUE(second.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    // The last project of a category leads on to the next category's title page.
    RawDatabase db(dest.path() + QStringLiteral("/velora2014.mdb"));
    const int lastOfFour = db.number("SELECT count(*) FROM cc WHERE cat = 4");
    EXPECT_TRUE(readPage(dest.path(), pageName(4, lastOfFour, 'c')).contains(QStringLiteral("href=\"05000c.html\"")));
    // A title page links every one of its projects, in its own language.
    const QString title = readPage(dest.path(), QStringLiteral("09000r.html"));
    for (int position = 1; position <= db.number("SELECT count(*) FROM cc WHERE cat = 9"); ++position)
        EXPECT_TRUE(title.contains(QStringLiteral("href=\"%1\"").arg(pageName(9, position, 'r'))));
    // The introductory pages lead to one another; the chairman's address is signed.
    const QString intro = readPage(dest.path(), QStringLiteral("00001r.html"));
    EXPECT_TRUE(intro.contains(QStringLiteral("href=\"00002r.html\"")) &&
                intro.contains(QStringLiteral("href=\"00003r.html\"")));
    EXPECT_TRUE(readPage(dest.path(), QStringLiteral("00002e.html")).contains(QStringLiteral("Dravik")));
    EXPECT_TRUE(readPage(dest.path(), QStringLiteral("00003c.html")).contains(QStringLiteral("化学与地球科学部")));
    // A NULL address leaves no trace on the page rather than a "NULL" or an empty row.
    const auto nullAddress =
        db.rows("SELECT cc.cat, cc.pcat FROM cc JOIN rus ON cc.d = rus.d AND cc.n = rus.n WHERE rus.a IS NULL");
    ASSERT_FALSE(nullAddress.empty());
    const QString page = readPage(dest.path(), pageName(nullAddress[0][0].toInt(), nullAddress[0][1].toInt(), 'r'));
    EXPECT_FALSE(page.contains(QStringLiteral("Адрес и контакты")));
    EXPECT_FALSE(page.contains(QStringLiteral("NULL")));
}

TEST(BuildCommand, SyntheticCatalogueSpreadsProjectsOverElevenCategories)
{
    QTemporaryDir dest;
    const ToolResult result =
        runTool({QStringLiteral("build"), QStringLiteral("--synthetic"), QStringLiteral("500"), dest.path()});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    expectConsistentCatalogue(dest.path(), 500);
    RawDatabase db(dest.path() + QStringLiteral("/velora2014.mdb"));
    EXPECT_EQ(db.number("SELECT max(c) - min(c) FROM (SELECT count(*) AS c FROM cc GROUP BY cat)"), 1);
    EXPECT_EQ(brokenReferences(dest.path() + QStringLiteral("/data")), QStringList());
}

TEST(BuildCommand, RebuildLeavesNoPagesOfTheEarlierCatalogue)
{
    QTemporaryDir dest;
    ASSERT_EQ(
        runTool({QStringLiteral("build"), QStringLiteral("--synthetic"), QStringLiteral("500"), dest.path()}).exitCode,
        0);
    ASSERT_TRUE(QFile::exists(dest.path() + QStringLiteral("/data/01040r.html")));
    ASSERT_EQ(runTool({QStringLiteral("build"), demoSources(), dest.path()}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(dest.path() + QStringLiteral("/data/01040r.html")));
    EXPECT_FALSE(QFile::exists(dest.path() + QStringLiteral("/velora2014.mdb.tmp")));
    EXPECT_EQ(runTool({QStringLiteral("check"), dest.path()}).exitCode, 0);
}

TEST(BuildCommand, RejectsFaultySourcesWithoutTouchingTheCatalogue)
{
    QTemporaryDir dest;
    ASSERT_EQ(runTool({QStringLiteral("build"), demoSources(), dest.path()}).exitCode, 0);
    const QByteArray before = [&] {
        QFile file(dest.path() + QStringLiteral("/velora2014.mdb"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    // A copy of the sources in which category 9 lost its projects.
    QTemporaryDir source;
    QDir().mkpath(source.path() + QStringLiteral("/templates"));
    QFile original(demoSources() + QStringLiteral("/catalogue.json"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QString json = QString::fromUtf8(original.readAll());
    json.replace(QStringLiteral("{\"cat\": 9,"), QStringLiteral("{\"cat\": 10,"));
    QFile broken(source.path() + QStringLiteral("/catalogue.json"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(json.toUtf8());
    broken.close();

    const ToolResult result = runTool({QStringLiteral("build"), source.path(), dest.path()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("category 9"))) << result.err.toStdString();
    QFile after(dest.path() + QStringLiteral("/velora2014.mdb"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST(BuildCommand, WrongArgumentsAreRefused)
{
    QTemporaryDir dest;
    EXPECT_EQ(
        runTool({QStringLiteral("build"), QStringLiteral("--synthetic"), QStringLiteral("10"), dest.path()}).exitCode,
        2);
    EXPECT_EQ(
        runTool({QStringLiteral("build"), QStringLiteral("--synthetic"), QStringLiteral("many"), dest.path()}).exitCode,
        2);
    EXPECT_EQ(runTool({QStringLiteral("build"), demoSources()}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("frobnicate")}).exitCode, 2);
    const ToolResult help = runTool({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* word : {"build", "--synthetic", "check", "sql", "999"})
        EXPECT_TRUE(help.out.contains(QLatin1String(word))) << word;
}

TEST(BuildCommand, NextAndPreviousLinksWalkTheWholeCatalogueInOrder)
{
    QTemporaryDir dest;
    ASSERT_EQ(runTool({QStringLiteral("build"), demoSources(), dest.path()}).exitCode, 0);
    RawDatabase db(dest.path() + QStringLiteral("/velora2014.mdb"));
    QStringList expected;
    for (int position = 1; position <= 3; ++position)
        expected << pageName(0, position, 'e');
    for (const QStringList& row : db.rows("SELECT cat, count(*) FROM cc GROUP BY cat ORDER BY cat"))
        for (int position = 0; position <= row[1].toInt(); ++position)
            expected << pageName(row[0].toInt(), position, 'e');

    const auto walk = [&](const QString& start, const QString& cssClass) {
        const QRegularExpression step(QStringLiteral("<a href=\"([^\"]+)\" class=\"%1\">").arg(cssClass));
        QStringList visited{start};
        while (visited.size() <= expected.size()) {
            const auto match = step.match(readPage(dest.path(), visited.last()));
            if (!match.hasMatch())
                break;
            visited << match.captured(1);
        }
        return visited;
    };
    EXPECT_EQ(walk(expected.first(), QStringLiteral("next")), expected);
    QStringList backwards = expected;
    std::reverse(backwards.begin(), backwards.end());
    EXPECT_EQ(walk(expected.last(), QStringLiteral("previous")), backwards);
}
