// Hostile queries and damaged, forged or raced indexes: every query keeps its limits and says when
// it was cut; an index that is damaged or out of date is known as such by the opening, by a query
// and by the check, never answered from in silence; two writers never lose the good index; names
// that are no page names stay out.
#include <xapian.h>

#include "catalogue_index.h"
#include "catalogue_pages.h"
#include "index_manifest.h"
#include "page_names.h"
#include "query_limits.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>

#include <future>

using namespace fulltext;

namespace {

QString Repeated(const QString& piece, int times)
{
    QStringList pieces;
    for (int i = 0; i < times; ++i)
        pieces << piece.arg(i);
    return pieces.join(u' ');
}

QStringList Pages(const Results& results)
{
    QStringList names;
    for (const Hit& hit : results.hits)
        names << hit.pageFile;
    return names;
}

// A small catalogue with its index on disk.
class HostileIndex : public ::testing::Test {
protected:
    void SetUp() override
    {
        pages.writePage(QStringLiteral("01001e.html"), QStringLiteral("Pump"),
                        QStringLiteral("<p>A pump for wells.</p>"));
        pages.writePage(QStringLiteral("01002e.html"), QStringLiteral("Valve"),
                        QStringLiteral("<p>A valve for pumps.</p>"));
        pages.writePage(QStringLiteral("01001r.html"), QStringLiteral("Насос"),
                        QStringLiteral("<p>Насос для скважин.</p>"));
        WriteIndex(pages.dir());
    }
    QString index(const QString& file = QString()) const { return pages.path(QStringLiteral("index/") + file); }

    CataloguePages pages;
};

}  // namespace

// "a* " typed 3,000 times, 10,000 words joined by OR and a Chinese query of 32,767 characters ran
// for seconds to a minute; each now ends within the limits and says it was cut.
TEST_F(HostileIndex, QueriesKeepTheirLimitsAndSayWhenCut)
{
    const auto opened = OpenIndex(pages.dir());
    ASSERT_TRUE(opened);
    const QString hostile[] = {QStringLiteral("a* ").repeated(3000), Repeated(QStringLiteral("pump%1 OR"), 10000),
                               QString(32767, QChar(0x6C34)), QStringLiteral("pump ") + QString(5000, u'x')};
    for (const QString& query : hostile) {
        const Results results = opened->Find(query, QStringLiteral("e"), 0, 50);
        EXPECT_TRUE(results.cut) << query.left(30).toStdString();
    }
    // Within the limits nothing is cut, and the words kept still find.
    const Results plain = opened->Find(QStringLiteral("pump* OR valve"), QStringLiteral("e"), 0, 50);
    EXPECT_FALSE(plain.cut);
    EXPECT_EQ(plain.hits.size(), 2u);
    const Results longOr = opened->Find(Repeated(QStringLiteral("valve OR pump%1"), 100), QStringLiteral("e"), 0, 50);
    EXPECT_TRUE(longOr.cut);
    EXPECT_EQ(Pages(longOr), QStringList{QStringLiteral("01002e.html")});

    const LimitedQuery words = LimitQuery(QStringLiteral("a* b* c* d* e* f g h"));
    EXPECT_EQ(words.text, QStringLiteral("a* b* c* d* e f g h"));
    EXPECT_TRUE(words.cut);
    EXPECT_EQ(LimitQuery(Repeated(QStringLiteral("w%1"), 100)).text.count(u' ') + 1, kMostQueryWords);
    // A long run of one word is cut between characters, never inside a surrogate pair.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(500);
    const QString kept = LimitQuery(emoji).text;
    EXPECT_LE(kept.size(), kMostQueryCharacters);
    EXPECT_FALSE(kept.back().isHighSurrogate());
    EXPECT_FALSE(LimitQuery(QStringLiteral("насосы \"pump station\" -valve")).cut);
}

// Half of a table cut off gave exit 0 and no hits; bytes overwritten in the middle answered
// "nothing found". The opening, the check and a query name the table.
TEST_F(HostileIndex, DamagedTablesAreNamed)
{
    QFile postlist(index(QStringLiteral("postlist.glass")));
    ASSERT_TRUE(postlist.resize(postlist.size() / 2));
    EXPECT_TRUE(TryOpenIndex(pages.dir()).problem.startsWith(QStringLiteral("index/postlist.glass: damaged: ")))
        << TryOpenIndex(pages.dir()).problem.toStdString();
    EXPECT_TRUE(CheckIndex(pages.dir())
                    .contains(QStringLiteral(
                        "index/postlist.glass: damaged: its checksum differs from the one written with it")));

    WriteIndex(pages.dir());
    ASSERT_TRUE(OpenIndex(pages.dir()));
    EXPECT_TRUE(CheckIndex(pages.dir()).isEmpty()) << CheckIndex(pages.dir()).join(u'\n').toStdString();
    QFile termlist(index(QStringLiteral("termlist.glass")));
    ASSERT_TRUE(termlist.open(QIODevice::ReadWrite));
    QByteArray bytes = termlist.readAll();
    for (qsizetype at = 0; at < bytes.size(); ++at)
        bytes[at] = char(bytes[at] ^ 0x5A);
    termlist.seek(0);
    termlist.write(bytes);
    termlist.close();
    EXPECT_TRUE(CheckIndex(pages.dir())
                    .contains(QStringLiteral(
                        "index/termlist.glass: damaged: its checksum differs from the one written with it")));
}

// Forged document data gave hits with an empty page name and positions such as 1634886241.0.
TEST_F(HostileIndex, ADocumentThatIsNoPageIsDamageNotAHit)
{
    {
        Xapian::WritableDatabase database(QFile::encodeName(index()).toStdString(), Xapian::DB_OPEN);
        for (Xapian::PostingIterator it = database.postlist_begin("Zpump"); it != database.postlist_end("Zpump");
             ++it) {
            Xapian::Document document = database.get_document(*it);
            document.set_data(std::string("\0\0\0\0aaaa\0\0\0\0\0\0\0\0", 16));
            database.replace_document(*it, document);
        }
        database.commit();
    }
    // The manifest written again as for these tables, so that only the documents give them away.
    const std::optional<IndexManifest> manifest = ReadManifest(index());
    const std::optional<std::vector<PageRecord>> records = ReadPageRecords(index());
    ASSERT_TRUE(manifest && records);
    ASSERT_TRUE(WriteManifest(index(), manifest->dataModified, *records));

    const auto opened = OpenIndex(pages.dir());
    ASSERT_TRUE(opened);
    try {
        const Results results = opened->Find(QStringLiteral("pump"), QStringLiteral("e"), 0, 10);
        ADD_FAILURE() << "hits: " << Pages(results).join(u',').toStdString();
    } catch (const UnsoundIndex& unsound) {
        EXPECT_TRUE(unsound.problem().startsWith(QStringLiteral("index/: damaged: document "))) << unsound.what();
    }
    EXPECT_TRUE(CheckIndex(pages.dir()).filter(QStringLiteral("is no page of the catalogue")).size() >= 1)
        << CheckIndex(pages.dir()).join(u'\n').toStdString();
}

// Two index runs at once both failed with the engine's internal errors, and now and then the
// good index was deleted; a run that was killed left index.draft/ behind.
TEST_F(HostileIndex, OneWriterAtATimeAndTheGoodIndexIsNeverLost)
{
    std::vector<std::future<QString>> writers;
    for (int writer = 0; writer < 2; ++writer)
        writers.push_back(std::async(std::launch::async, [this] {
            try {
                WriteIndex(pages.dir());
            } catch (const std::runtime_error& error) {
                return QString::fromUtf8(error.what());
            }
            return QString();
        }));
    QStringList outcomes;
    for (auto& writer : writers)
        outcomes << writer.get();
    // Both may end in turn; one that meets the other is refused by name.
    for (const QString& outcome : std::as_const(outcomes))
        EXPECT_TRUE(outcome.isEmpty() || outcome.contains(QStringLiteral("another index run")))
            << outcome.toStdString();
    ASSERT_TRUE(OpenIndex(pages.dir()));

    // A run killed while writing: its folders and its lock, held by a process that has ended.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedProcess = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    for (const QString folder :
         {QStringLiteral("index.draft/0"), QStringLiteral("index.new"), QStringLiteral("index.old")})
        ASSERT_TRUE(QDir().mkpath(pages.path(folder)));
    QFile lock(pages.path(QStringLiteral("index.lock")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    // As QLockFile writes it: process, program, host, machine and boot.
    lock.write(QByteArray::number(endedProcess) + "\nvelora-catalogue-tool\n" + QSysInfo::machineHostName().toUtf8() +
               '\n' + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n');
    lock.close();
    EXPECT_NO_THROW(WriteIndex(pages.dir()));
    EXPECT_EQ(QDir(pages.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("data"), QStringLiteral("index")}));

    // A lock that is held stops a second writer at once, and the index stays as it was.
    const QStringList before = QDir(index()).entryList(QDir::Files);
    {
        QLockFile held(pages.path(QStringLiteral("index.lock")));
        ASSERT_TRUE(held.tryLock(0));
        try {
            WriteIndex(pages.dir());
            ADD_FAILURE() << "a second writer ran";
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("another index run"))) << error.what();
        }
    }
    EXPECT_EQ(QDir(index()).entryList(QDir::Files), before);
    EXPECT_TRUE(OpenIndex(pages.dir()));
}

// 0501234e.html was indexed as position 5.1234, and 0110000e.html hid 02000e.html from the
// results (their keys were one). Names that are no page names stay out, and the check names them.
TEST_F(HostileIndex, NamesThatAreNoPageNamesStayOutAndAreNamed)
{
    pages.writePage(QStringLiteral("02000e.html"), QStringLiteral("Turbines"), QStringLiteral("<p>turbine</p>"));
    pages.writePage(QStringLiteral("0110000e.html"), QStringLiteral("Odd"), QStringLiteral("<p>turbine</p>"));
    pages.writePage(QStringLiteral("0501234e.html"), QStringLiteral("Odd"), QStringLiteral("<p>turbine</p>"));
    WriteIndex(pages.dir());
    const auto opened = OpenIndex(pages.dir());
    ASSERT_TRUE(opened);
    EXPECT_EQ(Pages(opened->Find(QStringLiteral("turbine"), QStringLiteral("e"), 0, 10)),
              QStringList{QStringLiteral("02000e.html")});
    const QStringList problems = CheckIndex(pages.dir());
    EXPECT_EQ(problems.filter(QStringLiteral("not a page name")).size(), 2) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems.filter(QStringLiteral("0110000e.html")).size() == 1);
}

// An index kept open (as the web edition keeps it) answers from the new one once the tool has
// swapped it in, not from the databases its earlier calls left idle.
TEST_F(HostileIndex, AnIndexSwappedInIsSeenByOneKeptOpen)
{
    const auto opened = OpenIndex(pages.dir());
    ASSERT_TRUE(opened);
    EXPECT_EQ(Pages(opened->Find(QStringLiteral("valve"), QStringLiteral("e"), 0, 10)),
              QStringList{QStringLiteral("01002e.html")});
    pages.writePage(QStringLiteral("01003e.html"), QStringLiteral("Gate"), QStringLiteral("<p>A gate valve.</p>"));
    WriteIndex(pages.dir());
    const Results results = opened->Find(QStringLiteral("valve"), QStringLiteral("e"), 0, 10);
    EXPECT_EQ(Pages(results).size(), 2u);
}
