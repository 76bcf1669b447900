// The full-text index of the page files: stemming in two languages, Chinese n-grams, the query
// syntax, declared character sets, ranking, one hit per project, and the index kept on disk.
// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "catalogue_index.h"
#include "catalogue_pages.h"
#include "index_stemmer.h"
#include "page_text.h"
#include "test_paths.h"

#include <QDateTime>
#include <QSet>

#include <algorithm>

using namespace fulltext;

namespace {

std::unique_ptr<CatalogueIndex> InMemory(const CataloguePages& pages)
{
    const std::atomic_bool cancel{false};
    auto index = BuildInMemory(pages.dir(), {}, cancel);
    EXPECT_TRUE(index);
    return index;
}

QStringList PagesFound(const CatalogueIndex& index, const QString& query, const QString& letter = QStringLiteral("r"))
{
    QStringList names;
    for (const Hit& hit : index.Find(query, letter, 0, 50).hits)
        names << hit.pageFile;
    names.sort();
    return names;
}

QStringList Marked(const Hit& hit)
{
    QStringList words;
    for (const auto& [start, length] : hit.marks)
        words << hit.snippet.mid(start, length);
    return words;
}

}  // namespace

TEST(FulltextIndex, StemmingFindsOtherFormsInRussianAndEnglishWhateverTheInterfaceLanguage)
{
    CataloguePages pages;
    pages.writePage(QStringLiteral("01001r.html"), QStringLiteral("Установка"),
                    QStringLiteral("<p>Погружной насос для скважин.</p>"));
    pages.writePage(QStringLiteral("01002e.html"), QStringLiteral("Unit"),
                    QStringLiteral("<p>A submersible pump for wells.</p>"));
    pages.writePage(QStringLiteral("01003e.html"), QStringLiteral("Other"),
                    QStringLiteral("<p>A valve for pipes.</p>"));
    const auto index = InMemory(pages);
    for (const QString letter : {QStringLiteral("r"), QStringLiteral("e"), QStringLiteral("c")}) {
        EXPECT_EQ(PagesFound(*index, QStringLiteral("насосы"), letter), QStringList{QStringLiteral("01001r.html")});
        EXPECT_EQ(PagesFound(*index, QStringLiteral("pumps"), letter), QStringList{QStringLiteral("01002e.html")});
    }
    // Typed with a capital, as a query's first word often is.
    EXPECT_EQ(PagesFound(*index, QStringLiteral("Насосы")), QStringList{QStringLiteral("01001r.html")});
    EXPECT_EQ(PagesFound(*index, QStringLiteral("Pumps OR Valves")),
              (QStringList{QStringLiteral("01002e.html"), QStringLiteral("01003e.html")}));
    // The snippet marks the word of the page that matched, as written there.
    const Results results = index->Find(QStringLiteral("насосы"), QStringLiteral("e"), 0, 10);
    ASSERT_EQ(results.hits.size(), 1u);
    EXPECT_EQ(Marked(results.hits[0]), QStringList{QStringLiteral("насос")});
    EXPECT_EQ(results.hits[0].letter, QStringLiteral("r"));
    EXPECT_EQ(results.hits[0].title, QStringLiteral("Установка"));
}

TEST(FulltextIndex, TwoCharacterChineseWordMatchesOnlyWhereItsCharactersStandTogether)
{
    CataloguePages pages;
    pages.writePage(QStringLiteral("02001c.html"), QStringLiteral("设备"),
                    QStringLiteral("<p>这是一台离心水泵，用于农业灌溉。</p>"));
    pages.writePage(QStringLiteral("02002c.html"), QStringLiteral("设备"),
                    QStringLiteral("<p>水的处理和泵站的维护。</p>"));
    const auto index = InMemory(pages);
    EXPECT_EQ(PagesFound(*index, QStringLiteral("水泵"), QStringLiteral("c")),
              QStringList{QStringLiteral("02001c.html")});
    EXPECT_EQ(PagesFound(*index, QStringLiteral("灌溉"), QStringLiteral("r")),
              QStringList{QStringLiteral("02001c.html")});
}

TEST(FulltextIndex, PhraseNotAndPrefixFollowTheQuerySyntax)
{
    CataloguePages pages;
    pages.writePage(QStringLiteral("03001e.html"), QStringLiteral("A"),
                    QStringLiteral("<p>A centrifugal pump station.</p>"));
    pages.writePage(QStringLiteral("03002e.html"), QStringLiteral("B"),
                    QStringLiteral("<p>The pump is centrifugal.</p>"));
    pages.writePage(QStringLiteral("03003e.html"), QStringLiteral("C"),
                    QStringLiteral("<p>Pumping heat from the ground.</p>"));
    const auto index = InMemory(pages);
    EXPECT_EQ(PagesFound(*index, QStringLiteral("\"centrifugal pump\"")), QStringList{QStringLiteral("03001e.html")});
    EXPECT_EQ(PagesFound(*index, QStringLiteral("centrifugal pump")),
              (QStringList{QStringLiteral("03001e.html"), QStringLiteral("03002e.html")}));
    EXPECT_EQ(PagesFound(*index, QStringLiteral("pump NOT station")),
              (QStringList{QStringLiteral("03002e.html"), QStringLiteral("03003e.html")}));
    EXPECT_EQ(PagesFound(*index, QStringLiteral("pump -centrifugal")), QStringList{QStringLiteral("03003e.html")});
    EXPECT_EQ(PagesFound(*index, QStringLiteral("centri*")),
              (QStringList{QStringLiteral("03001e.html"), QStringLiteral("03002e.html")}));
    EXPECT_EQ(PagesFound(*index, QStringLiteral("station OR ground")),
              (QStringList{QStringLiteral("03001e.html"), QStringLiteral("03003e.html")}));
}

TEST(FulltextIndex, AnyTypedQueryRunsWithoutThrowingAndABlankOneFindsNothing)
{
    CataloguePages pages;
    pages.writePage(QStringLiteral("04001e.html"), QStringLiteral("Script"),
                    QStringLiteral("<p>How a script tag &lt;script&gt; is shown, and an unclosed quote.</p>"));
    const auto index = InMemory(pages);
    for (const QString query : {QStringLiteral(""), QStringLiteral("   "), QStringLiteral("\t\n")})
        EXPECT_TRUE(index->Find(query, QStringLiteral("e"), 0, 50).hits.empty());
    // Rejected by the parser, run as plain words.
    EXPECT_EQ(PagesFound(*index, QStringLiteral("unclosed AND")), QStringList{QStringLiteral("04001e.html")});
    EXPECT_EQ(PagesFound(*index, QStringLiteral("<script>")), QStringList{QStringLiteral("04001e.html")});
    for (const QString query : {QStringLiteral("\"unclosed"), QStringLiteral("AND OR NOT"), QStringLiteral("NOT"),
                                QStringLiteral("*"), QStringLiteral("-"), QStringLiteral("\"\""), QStringLiteral("((("),
                                QString(QChar(0xD800)), QStringLiteral("a*b*c* OR NOT \"x")})
        EXPECT_NO_THROW(index->Find(query, QStringLiteral("e"), 0, 50)) << query.toStdString();
}

TEST(FulltextIndex, PagesInWindows1251AndGbkAreDecodedAsTheyDeclare)
{
    CataloguePages pages;
    // "Насос" and "насосы" in windows-1251.
    pages.writeBytes(
        QStringLiteral("05001r.html"),
        QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
                   "<title>\xCD\xE0\xF1\xEE\xF1</title></head><body><p>\xED\xE0\xF1\xEE\xF1\xFB</p></body></html>"));
    // "水泵" and "镕" (in GBK, not in GB2312) on a page that declares gb2312, as Windows writes them.
    pages.writeBytes(QStringLiteral("05001c.html"),
                     QByteArray("<html><head><meta charset=\"gb2312\"><title>\xCB\xAE\xB1\xC3</title></head>"
                                "<body><p>\xE9\x46</p></body></html>"));
    EXPECT_EQ(
        ExtractPageText(QByteArray("<meta charset=\"gb2312\"><title>\xCB\xAE\xB1\xC3</title><p>\xE9\x46</p>")).body,
        QStringLiteral("镕"));
    const auto index = InMemory(pages);
    const Results russian = index->Find(QStringLiteral("насос"), QStringLiteral("r"), 0, 10);
    ASSERT_EQ(russian.hits.size(), 1u);
    EXPECT_EQ(russian.hits[0].title, QStringLiteral("Насос"));
    EXPECT_EQ(russian.hits[0].snippet, QStringLiteral("насосы"));
    EXPECT_EQ(PagesFound(*index, QStringLiteral("水泵")), QStringList{QStringLiteral("05001c.html")});
    EXPECT_EQ(PagesFound(*index, QStringLiteral("镕")), QStringList{QStringLiteral("05001c.html")});
}

TEST(FulltextIndex, TextIsTakenFromTitleHeadingsAndBodyButNotScripts)
{
    const PageText text = ExtractPageText(QByteArrayLiteral(
        "<html><head><title> Big   pump </title><style>p { color: red }</style></head><body>"
        "<h1>Main <b>heading</b></h1><script>var hidden = 1;</script><p>Body<br>text and <i>it</i>alic</p>"
        "<h2>Second</h2><h4>Fourth</h4></body></html>"));
    EXPECT_EQ(text.title, QStringLiteral("Big pump"));
    EXPECT_EQ(text.headings, QStringLiteral("Main heading\nSecond"));
    EXPECT_EQ(text.body, QStringLiteral("Main heading Body text and italic Second Fourth"));
}

TEST(FulltextIndex, TitleMatchRanksAboveBodyMatch)
{
    CataloguePages pages;
    // The body match comes first in the index, so only the weight of the title can lift the other.
    pages.writePage(QStringLiteral("06001e.html"), QStringLiteral("Grid station"),
                    QStringLiteral("<p>A water filter for towns and farms.</p>"));
    pages.writePage(QStringLiteral("06002e.html"), QStringLiteral("Water filter"),
                    QStringLiteral("<p>A grid station for towns and farms.</p>"));
    const auto index = InMemory(pages);
    const Results results = index->Find(QStringLiteral("filter"), QStringLiteral("e"), 0, 10);
    ASSERT_EQ(results.hits.size(), 2u);
    EXPECT_EQ(results.hits[0].pageFile, QStringLiteral("06002e.html"));
    EXPECT_EQ(results.hits[0].rank, 1);
    EXPECT_EQ(results.hits[1].rank, 2);
}

TEST(FulltextIndex, OneHitPerProjectInTheLanguageItMatchedIn)
{
    CataloguePages pages;
    // The same words on two language pages of project 7.3: a tie that the interface language breaks.
    pages.writePage(QStringLiteral("07003r.html"), QStringLiteral("Grundfos"), QStringLiteral("<p>Grundfos CR 45</p>"));
    pages.writePage(QStringLiteral("07003e.html"), QStringLiteral("Grundfos"), QStringLiteral("<p>Grundfos CR 45</p>"));
    pages.writePage(QStringLiteral("07004e.html"), QStringLiteral("Grundfos"), QStringLiteral("<p>Grundfos CR 90</p>"));
    const auto index = InMemory(pages);
    for (const QString letter : {QStringLiteral("r"), QStringLiteral("e")}) {
        const Results results = index->Find(QStringLiteral("grundfos 45"), letter, 0, 10);
        ASSERT_EQ(results.hits.size(), 1u) << letter.toStdString();
        EXPECT_EQ(results.hits[0].letter, letter);
        EXPECT_EQ(results.hits[0].category, 7);
        EXPECT_EQ(results.hits[0].position, 3);
        EXPECT_EQ(results.estimatedTotal, 1);
    }
    const Results all = index->Find(QStringLiteral("grundfos"), QStringLiteral("r"), 0, 10);
    EXPECT_EQ(all.estimatedTotal, 2);
    // The second page of one hit each carries on the count.
    const Results second = index->Find(QStringLiteral("grundfos"), QStringLiteral("r"), 1, 1);
    ASSERT_EQ(second.hits.size(), 1u);
    EXPECT_EQ(second.hits[0].rank, 2);
    EXPECT_NE(second.hits[0].position,
              index->Find(QStringLiteral("grundfos"), QStringLiteral("r"), 0, 1).hits.at(0).position);
}

TEST(FulltextIndex, SnippetTextThatLooksLikeMarkupStaysText)
{
    CataloguePages pages;
    pages.writePage(
        QStringLiteral("08001e.html"), QStringLiteral("&lt;b&gt;bold&lt;/b&gt;"),
        QStringLiteral("<p>Write &lt;b&gt; &amp;amp; &lt;script&gt;alert(1)&lt;/script&gt; near the pump.</p>"));
    const auto index = InMemory(pages);
    const Results results = index->Find(QStringLiteral("pump"), QStringLiteral("e"), 0, 10);
    ASSERT_EQ(results.hits.size(), 1u);
    EXPECT_EQ(results.hits[0].title, QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(results.hits[0].snippet, QStringLiteral("Write <b> &amp; <script>alert(1)</script> near the pump."));
    EXPECT_EQ(Marked(results.hits[0]), QStringList{QStringLiteral("pump")});
}

class IndexOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        pages.writePage(QStringLiteral("09001r.html"), QStringLiteral("Реактор"),
                        QStringLiteral("<p>Реакторы и насосы.</p>"));
        pages.writePage(QStringLiteral("09001e.html"), QStringLiteral("Reactor"),
                        QStringLiteral("<p>Reactors and pumps.</p>"));
        pages.writeBytes(QStringLiteral("style.css"), "p {}");
        WriteIndex(pages.dir());
    }
    CataloguePages pages;
};

TEST_F(IndexOnDisk, WrittenIndexOpensAndFinds)
{
    const auto index = OpenIndex(pages.dir());
    ASSERT_TRUE(index);
    EXPECT_EQ(index->PageCount(), 2);
    EXPECT_EQ(PagesFound(*index, QStringLiteral("pump")), QStringList{QStringLiteral("09001e.html")});
    // Written again over the first, as the tool does on every build.
    WriteIndex(pages.dir());
    EXPECT_TRUE(OpenIndex(pages.dir()));
    // Nothing left beside the index from writing it.
    EXPECT_EQ(QDir(pages.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("data"), QStringLiteral("index")}));
}

TEST_F(IndexOnDisk, MissingDamagedOrOutdatedIndexIsNotOpened)
{
    {
        CataloguePages bare;
        bare.writePage(QStringLiteral("01001r.html"), QStringLiteral("x"), QStringLiteral("y"));
        EXPECT_FALSE(OpenIndex(bare.dir()));
        EXPECT_EQ(TryOpenIndex(bare.dir()).problem, QStringLiteral("index/: missing"));
    }
    // A page file added or removed makes the index outdated at once.
    const auto reopened = [&] { return OpenIndex(pages.dir()) != nullptr; };
    ASSERT_TRUE(reopened());
    pages.writePage(QStringLiteral("09002e.html"), QStringLiteral("New"), QStringLiteral("<p>New page.</p>"));
    EXPECT_EQ(TryOpenIndex(pages.dir()).problem, QStringLiteral("data/09002e.html: added since the index was written"));
    WriteIndex(pages.dir());
    ASSERT_TRUE(QFile::remove(pages.path(QStringLiteral("data/09002e.html"))));
    EXPECT_FALSE(reopened());
    // Other files in data/ are no pages and do not count.
    WriteIndex(pages.dir());
    pages.writeBytes(QStringLiteral("picture.jpg"), "x");
    EXPECT_TRUE(reopened());
    // Every file of the index overwritten with zeros.
    for (const QFileInfo& file : QDir(pages.path(QStringLiteral("index"))).entryInfoList(QDir::Files)) {
        QFile damaged(file.filePath());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(QByteArray(int(file.size()), '\0'));
    }
    EXPECT_FALSE(reopened());
}

TEST_F(IndexOnDisk, IndexMadeWithAnotherStemmerOrBeforeStemmersWereRecordedIsNotOpened)
{
    ASSERT_TRUE(OpenIndex(pages.dir()));
    EXPECT_FALSE(IndexHasOtherStemmer(pages.dir()));
    const auto recordStemmer = [&](const std::string& name) {
        Xapian::WritableDatabase index(QFile::encodeName(pages.path(QStringLiteral("index"))).toStdString(),
                                       Xapian::DB_OPEN | Xapian::DB_BACKEND_GLASS);
        index.set_metadata(kStemmerMetadataKey, name);
        index.commit();
    };
    recordStemmer("snowball russian, english");
    EXPECT_TRUE(TryOpenIndex(pages.dir()).problem.contains(QStringLiteral("another version")));
    EXPECT_TRUE(IndexHasOtherStemmer(pages.dir()));
    recordStemmer("");
    EXPECT_FALSE(OpenIndex(pages.dir()));
    EXPECT_TRUE(IndexHasOtherStemmer(pages.dir()));
    // Neither a missing index nor one written again is taken for another stemmer's.
    WriteIndex(pages.dir());
    EXPECT_TRUE(OpenIndex(pages.dir()));
    EXPECT_FALSE(IndexHasOtherStemmer(pages.dir()));
    EXPECT_FALSE(IndexHasOtherStemmer(pages.path(QStringLiteral("data"))));
}

// A page edited in place, even to the same size, leaves the folder's listing as it was: the
// quick opening lets it pass, a query that finds it says the index is out of date, and the
// opening that looks at every page (the browser's) refuses it. A copy of the pages with other
// modification times but the same bytes is no change.
TEST_F(IndexOnDisk, APageEditedInPlaceIsFoundOutOfDate)
{
    const QString page = pages.path(QStringLiteral("data/09001e.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_TRUE(TryOpenIndex(pages.dir(), Verification::Pages).index) << "a copy with the same bytes";

    pages.writePage(QStringLiteral("09001e.html"), QStringLiteral("Reactor"),
                    QStringLiteral("<p>Reactors and bumps.</p>"));
    ASSERT_EQ(QFileInfo(page).size(), bytes.size());
    const auto quick = OpenIndex(pages.dir());
    ASSERT_TRUE(quick);
    EXPECT_EQ(TryOpenIndex(pages.dir(), Verification::Pages).problem,
              QStringLiteral("data/09001e.html: changed since the index was written"));
    EXPECT_EQ(PagesFound(*quick, QStringLiteral("реактор")), QStringList{QStringLiteral("09001r.html")});
    try {
        quick->Find(QStringLiteral("reactors"), QStringLiteral("e"), 0, 10);
        ADD_FAILURE() << "the edited page was shown as indexed";
    } catch (const UnsoundIndex& unsound) {
        EXPECT_EQ(unsound.problem(), QStringLiteral("data/09001e.html: changed since the index was written"));
    }
}

TEST(FulltextIndex, LargeCatalogueIsIndexedWholeInMemoryAndOnDiskAndABuildCanBeCancelled)
{
    // Enough pages for the work to be shared out over several threads.
    constexpr int kPages = 777;
    CataloguePages pages;
    for (int position = 1; position <= kPages; ++position)
        pages.writePage(QString::asprintf("10%03de.html", position), QStringLiteral("Page"),
                        QStringLiteral("<p>common word%1</p>").arg(position));
    std::vector<int> reported;
    const std::atomic_bool go{false};
    const auto index = BuildInMemory(
        pages.dir(), [&](int read) { reported.push_back(read); }, go);
    ASSERT_TRUE(index);
    EXPECT_EQ(index->PageCount(), kPages);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), kPages);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    WriteIndex(pages.dir());
    const auto onDisk = OpenIndex(pages.dir());
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(onDisk->PageCount(), kPages);
    for (const CatalogueIndex* built : {index.get(), onDisk.get()}) {
        EXPECT_EQ(built->Find(QStringLiteral("common"), QStringLiteral("e"), 0, 10).estimatedTotal, kPages);
        for (int position = 1; position <= kPages; position += 97)
            EXPECT_EQ(PagesFound(*built, QStringLiteral("word%1").arg(position)),
                      QStringList{QString::asprintf("10%03de.html", position)});
    }
    const std::atomic_bool stop{true};
    EXPECT_FALSE(BuildInMemory(pages.dir(), {}, stop));
}

TEST(FulltextIndex, DictionaryJoinsFormsSnowballSplitsAndSnowballStillTakesUnknownWords)
{
    CataloguePages pages;
    // Snowball cuts "мембрана" to "мембра" and "мембранами" to "мембран".
    pages.writePage(QStringLiteral("01001r.html"), QStringLiteral("Фильтр"),
                    QStringLiteral("<p>Керамическая мембрана.</p>"));
    pages.writePage(QStringLiteral("01002r.html"), QStringLiteral("Очистка"),
                    QStringLiteral("<p>Очистка стоков мембранами.</p>"));
    // No dictionary knows these words; Snowball joins their forms.
    pages.writePage(QStringLiteral("01003r.html"), QStringLiteral("Прибор"),
                    QStringLiteral("<p>Сборка квазитрубками.</p>"));
    pages.writePage(QStringLiteral("01004e.html"), QStringLiteral("Device"),
                    QStringLiteral("<p>Twelve frobnicators.</p>"));
    const auto index = InMemory(pages);
    const QStringList both{QStringLiteral("01001r.html"), QStringLiteral("01002r.html")};
    EXPECT_EQ(PagesFound(*index, QStringLiteral("мембрана")), both);
    EXPECT_EQ(PagesFound(*index, QStringLiteral("мембранами")), both);
    EXPECT_EQ(PagesFound(*index, QStringLiteral("квазитрубка")), QStringList{QStringLiteral("01003r.html")});
    EXPECT_EQ(PagesFound(*index, QStringLiteral("frobnicator")), QStringList{QStringLiteral("01004e.html")});
}

TEST(FulltextIndex, SnippetsShowTheContentWithoutNavigationAndChineseMatchesAsWholeRuns)
{
    CataloguePages pages;
    pages.writePage(QStringLiteral("06001e.html"), QStringLiteral("Energy"),
                    QStringLiteral("<header class=\"masthead\" role=\"banner\">Category 6</header>"
                                   "<nav class=\"pager\"><a href=\"06000e.html\">Previous</a></nav>"
                                   "<h1>6. Energy</h1><p>Energy saving in category buildings.</p>"
                                   "<div role=\"navigation\">Next</div>"));
    pages.writePage(QStringLiteral("05001c.html"), QStringLiteral("传感器"),
                    QStringLiteral("<p>用传真发送的温度传感器数据。</p>"));
    const auto index = InMemory(pages);
    const Results energy = index->Find(QStringLiteral("energy"), QStringLiteral("e"), 0, 10);
    ASSERT_EQ(energy.hits.size(), 1u);
    EXPECT_EQ(energy.hits[0].snippet, QStringLiteral("Energy saving in category buildings."));
    // The navigation's words find nothing either.
    EXPECT_TRUE(PagesFound(*index, QStringLiteral("previous")).isEmpty());
    EXPECT_TRUE(PagesFound(*index, QStringLiteral("next")).isEmpty());

    const Results chinese = index->Find(QStringLiteral("传感器"), QStringLiteral("c"), 0, 10);
    ASSERT_EQ(chinese.hits.size(), 1u);
    EXPECT_EQ(Marked(chinese.hits[0]), QStringList{QStringLiteral("传感器")}) << chinese.hits[0].snippet.toStdString();
}

TEST(FulltextIndex, WordsToMarkAreTheFormsThePageUses)
{
    CataloguePages pages;
    pages.writePage(QStringLiteral("02001r.html"), QStringLiteral("Насосы"),
                    QStringLiteral("<p>Насос и два насоса; не насосная станция. Мембранами.</p>"));
    const auto index = InMemory(pages);
    QStringList words;
    for (const QString& word : index->WordsToMark(QStringLiteral("насос мембрана"), QStringLiteral("02001r.html")))
        words << word;
    words.sort();
    EXPECT_EQ(words,
              (QStringList{QStringLiteral("Мембранами"), QStringLiteral("Насос"), QStringLiteral("Насосы"),
                           QStringLiteral("насоса")}));
    EXPECT_TRUE(index->WordsToMark(QStringLiteral("насос"), QStringLiteral("09009r.html")).empty());
}
