// Validators and compression of answers, and the one element a framed page file gets.
#include "framed_page.h"
#include "http_cache.h"

#include <zlib.h>

#include <gtest/gtest.h>

namespace {

QByteArray Gunzip(const QByteArray& bytes)
{
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK)
        return {};
    QByteArray out(1 << 20, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    inflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

}  // namespace

TEST(HttpCache, IfNoneMatchNamesTheTagInAnyForm)
{
    const QByteArray tag = BodyETag("page");
    EXPECT_EQ(tag, BodyETag("page"));
    EXPECT_NE(tag, BodyETag("page!"));
    EXPECT_TRUE(tag.startsWith('"') && tag.endsWith('"'));
    EXPECT_TRUE(NoneMatchHits(tag, tag));
    EXPECT_TRUE(NoneMatchHits("\"other\", W/" + tag, tag));
    EXPECT_TRUE(NoneMatchHits(GzipETag(tag), tag));
    EXPECT_TRUE(NoneMatchHits("*", tag));
    EXPECT_FALSE(NoneMatchHits("", tag));
    EXPECT_FALSE(NoneMatchHits("\"other\"", tag));
    EXPECT_FALSE(NoneMatchHits(tag.mid(1), tag));
    EXPECT_NE(FileETag(10, 1000), FileETag(11, 1000));
    EXPECT_NE(FileETag(10, 1000), FileETag(10, 1001));
}

TEST(HttpCache, GzipOnlyWhereTheClientTakesIt)
{
    EXPECT_TRUE(AcceptsGzip("gzip, deflate, br"));
    EXPECT_TRUE(AcceptsGzip("deflate;q=1, GZIP;q=0.5"));
    EXPECT_TRUE(AcceptsGzip("*"));
    EXPECT_FALSE(AcceptsGzip(""));
    EXPECT_FALSE(AcceptsGzip("deflate, br"));
    EXPECT_FALSE(AcceptsGzip("gzip;q=0"));
    EXPECT_FALSE(AcceptsGzip("gzip;q=0.000"));
    EXPECT_TRUE(CompressibleType("text/html; charset=utf-8"));
    EXPECT_TRUE(CompressibleType("image/svg+xml"));
    EXPECT_FALSE(CompressibleType("image/png"));

    QByteArray page;
    for (int i = 0; i < 200; ++i)
        page += "<p>Насос для перекачки жидкостей</p>\n";
    const QByteArray packed = Gzip(page);
    ASSERT_FALSE(packed.isEmpty());
    EXPECT_LT(packed.size(), page.size() / 4);
    EXPECT_EQ(Gunzip(packed), page);
}

TEST(FramedPage, LinksOpenInTheWholeWindowAndTheDoctypeStaysFirst)
{
    const QByteArray base = "<base target=\"_top\">";
    EXPECT_EQ(WithLinksToTop("<!DOCTYPE html>\n<html><head>"), "<!DOCTYPE html>" + base + "\n<html><head>");
    EXPECT_EQ(WithLinksToTop("\xEF\xBB\xBF<!-- made by hand -->\n<!doctype HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">"
                             "<html>"),
              "\xEF\xBB\xBF<!-- made by hand -->\n<!doctype HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">" + base +
                  "<html>");
    EXPECT_EQ(WithLinksToTop("<?xml version=\"1.0\"?><!DOCTYPE html><p>"),
              "<?xml version=\"1.0\"?><!DOCTYPE html>" + base + "<p>");
    // Without a doctype the page is in quirks mode either way; the element comes first.
    EXPECT_EQ(WithLinksToTop("<html><body>"), base + "<html><body>");
    EXPECT_EQ(WithLinksToTop("<!-- unterminated"), base + "<!-- unterminated");
    EXPECT_EQ(WithLinksToTop(""), base);
}
