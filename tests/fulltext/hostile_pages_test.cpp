// Hostile page files: no text lost in silence (bytes that do not decode, nesting of any depth, a
// text node over 10 MB, a first NUL byte), only regular files read and at most the bound, and
// the reading of any page ended at once when cancelled.
#include "catalogue_index.h"
#include "catalogue_pages.h"
#include "page_file.h"
#include "page_text.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace fulltext;

namespace {

QByteArray Html(const QByteArray& charset, const QByteArray& body)
{
    return "<html><head><meta charset=\"" + charset + "\"><title>T</title></head><body>" + body + "</body></html>";
}

// Runs work on a thread of its own and waits for it, at most the hang guard's time.
template <typename Work>
bool EndsInTime(Work work, int seconds = 20)
{
    auto running = std::async(std::launch::async, std::move(work));
    return running.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready;
}

}  // namespace

// One byte that does not decode lost every word after it: libxml2 read UTF-8 on as ISO-8859-1
// and stopped at the first such byte of windows-1251 or GBK.
TEST(HostilePages, BytesThatDoNotDecodeAreReplacedAndTheTextGoesOn)
{
    EXPECT_TRUE(ExtractPageText(Html("utf-8", "<p>до \xFF после насос</p><p>дальше</p>"))
                    .body.contains(QStringLiteral("после насос дальше")));
    EXPECT_TRUE(
        ExtractPageText(Html("windows-1251", "<p>\xE4\xEE \x98 \xED\xE0\xF1\xEE\xF1</p><p>\xEA\xEE\xED\xE5\xF6</p>"))
            .body.contains(QStringLiteral("насос конец")));
    EXPECT_TRUE(ExtractPageText(Html("gb2312", "<p>\xCB\xAE \xFF\xFF \xB1\xC3</p><p>end</p>"))
                    .body.contains(QStringLiteral("泵 end")));
    // A page without such bytes reads as it did.
    EXPECT_EQ(ExtractPageText(Html("windows-1251", "<p>\xED\xE0\xF1\xEE\xF1</p>")).body, QStringLiteral("насос"));
}

// libxml2 dropped text nested deeper than 256 elements and cut a text node at 10,000,000 bytes;
// a first NUL byte hid the whole page, and one after a tag the rest of it.
TEST(HostilePages, DeepNestingHugeTextAndALeadingNulAreReadWhole)
{
    const QByteArray deep = "<div>" + QByteArray("<div>").repeated(3000) + "deep word" +
        QByteArray("</div>").repeated(3000) + "</div><p>after</p>";
    EXPECT_EQ(ExtractPageText(Html("utf-8", deep)).body, QStringLiteral("deep word after"));

    QByteArray huge = QByteArray("word ").repeated(2200000) + "last";
    const PageText text = ExtractPageText(Html("utf-8", "<p>" + huge + "</p>"));
    EXPECT_EQ(text.body.size(), huge.size());
    EXPECT_TRUE(text.body.endsWith(QStringLiteral("word last")));

    EXPECT_EQ(ExtractPageText(QByteArray("\0\0", 2) + Html("utf-8", "<p>after nul</p>")).title, QStringLiteral("T"));
    EXPECT_EQ(ExtractPageText(QByteArray("\0", 1) + Html("utf-8", "<p>after nul</p>")).body,
              QStringLiteral("after nul"));
    // One after a tag ended the page there too.
    EXPECT_EQ(ExtractPageText(Html("utf-8", QByteArray("<p>\0after</p><p>more</p>", 24))).body,
              QStringLiteral("after more"));
    // UTF-16 is full of NUL bytes, and still reads as it declares itself by its byte order mark.
    const QString utf16 = QStringLiteral("<html><body><p>слово</p></body></html>");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    EXPECT_EQ(ExtractPageText(bytes).body, QStringLiteral("слово"));
}

// A FIFO blocked the reading for good and a link to /dev/zero was read without end; a file is
// read up to the bound asked for.
TEST(HostilePages, OnlyRegularFilesAreReadAndAtMostTheBound)
{
    CataloguePages pages;
    const QString fifo = pages.path(QStringLiteral("data/01001e.html"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    PageFile read;
    if (!EndsInTime([&] { read = ReadPageFile(fifo); })) {
        ADD_FAILURE() << "reading a FIFO blocks";
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_EQ(read.state, PageFileState::NotRegular);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), pages.path(QStringLiteral("data/01002e.html"))));
    EXPECT_EQ(ReadPageFile(pages.path(QStringLiteral("data/01002e.html"))).state, PageFileState::NotRegular);
    EXPECT_EQ(ReadPageFile(pages.path(QStringLiteral("data/01009e.html"))).state, PageFileState::Unreadable);

    pages.writeBytes(QStringLiteral("01003e.html"), QByteArray(5000, 'x'));
    const PageFile cut = ReadPageFile(pages.path(QStringLiteral("data/01003e.html")), 1000);
    EXPECT_EQ(cut.state, PageFileState::Cut);
    EXPECT_EQ(cut.bytes.size(), 1000);
    EXPECT_EQ(cut.size, 5000);
    const PageFile whole = ReadPageFile(pages.path(QStringLiteral("data/01003e.html")), 5000);
    EXPECT_EQ(whole.state, PageFileState::Read);
    EXPECT_EQ(whole.bytes, QByteArray(5000, 'x'));

    // The index leaves them out and indexes the rest.
    pages.writePage(QStringLiteral("01004e.html"), QStringLiteral("Pump"), QStringLiteral("<p>pump</p>"));
    std::unique_ptr<CatalogueIndex> index;
    const std::atomic_bool go{false};
    if (!EndsInTime([&] { index = BuildInMemory(pages.dir(), {}, go); })) {
        ADD_FAILURE() << "indexing a FIFO blocks";
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
    }
    ASSERT_TRUE(index);
    EXPECT_EQ(index->PageCount(), 2);
    EXPECT_EQ(index->Find(QStringLiteral("pump"), QStringLiteral("e"), 0, 10).hits.size(), 1u);
}

// Reading the largest page took seconds that nothing could stop; a set cancel flag now ends the
// parse at the next element or piece of text.
TEST(HostilePages, ACancelledReadingEndsWithoutText)
{
    const QByteArray page = Html("utf-8", QByteArray("<div>a ").repeated(100000));
    const std::atomic_bool cancel{true};
    const PageText text = ExtractPageText(page, &cancel);
    EXPECT_TRUE(text.body.isEmpty()) << text.body.size();
    EXPECT_TRUE(text.title.isEmpty());
    const std::atomic_bool go{false};
    EXPECT_FALSE(ExtractPageText(page, &go).body.isEmpty());
}

// The index built in memory of the largest catalogue took 1.25 GB. It now stops at its budget,
// searches the pages it holds and says how many it left out.
TEST(HostilePages, AnIndexInMemoryStaysWithinItsBudget)
{
    CataloguePages pages;
    for (int position = 1; position <= 300; ++position)
        pages.writePage(QString::asprintf("02%03de.html", position), QStringLiteral("Page"),
                        QStringLiteral("<p>common word%1 and some more words to index</p>").arg(position));
    const std::atomic_bool go{false};
    const auto whole = BuildInMemory(pages.dir(), {}, go);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->PageCount(), 300);
    EXPECT_EQ(whole->Find(QStringLiteral("common"), QStringLiteral("e"), 0, 1).pagesLeftOut, 0);
    const auto bounded = BuildInMemory(pages.dir(), {}, go, 60 * 1024);
    ASSERT_TRUE(bounded);
    EXPECT_GT(bounded->PageCount(), 0);
    EXPECT_LT(bounded->PageCount(), 100);
    const Results results = bounded->Find(QStringLiteral("common"), QStringLiteral("e"), 0, 1);
    EXPECT_EQ(results.pagesLeftOut, 300 - bounded->PageCount());
    EXPECT_EQ(results.estimatedTotal, bounded->PageCount());
}
