// The catalogue's results page as HTML: page-derived text stays text, snippets mark the query's
// words, links lead to the interface language's page file, and results come 50 at a time.
#include "languages.h"
#include "page_address.h"
#include "results_page.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

fulltext::Hit MakeHit(int category, int position, const QString& letter, const QString& title, const QString& snippet,
                      std::vector<std::pair<int, int>> marks = {})
{
    fulltext::Hit hit;
    hit.category = category;
    hit.position = position;
    hit.letter = letter;
    hit.pageFile = QStringLiteral("%1%2%3.html")
                       .arg(category, 2, 10, QLatin1Char('0'))
                       .arg(position, 3, 10, QLatin1Char('0'))
                       .arg(letter);
    hit.title = title;
    hit.snippet = snippet;
    hit.marks = std::move(marks);
    return hit;
}

}  // namespace

TEST(ResultsPage, TextFromPagesAndTheQueryShowsAsWritten)
{
    fulltext::Results results;
    results.hits.push_back(
        MakeHit(5, 12, "r", "<script>alert(1)</script> &lt; %2", "a <b>bold</b> & pump", {{2, 7}, {16, 4}}));
    results.estimatedTotal = 1;
    const QString html = ResultsPageHtml(results, "<img src=x onerror=alert(2)>", 0, LangRussian);

    EXPECT_FALSE(html.contains("<script>")) << html.toStdString();
    EXPECT_FALSE(html.contains("<img")) << html.toStdString();
    EXPECT_FALSE(html.contains("<b>bold")) << html.toStdString();
    EXPECT_TRUE(html.contains("&lt;script&gt;alert(1)&lt;/script&gt; &amp;lt; %2")) << html.toStdString();
    EXPECT_TRUE(html.contains("&lt;img src=x onerror=alert(2)&gt;")) << html.toStdString();
    // The marked span "<b>bold" keeps its markup as text inside the mark.
    EXPECT_TRUE(html.contains("a <mark>&lt;b&gt;bold</mark>&lt;/b&gt; &amp; <mark>pump</mark>")) << html.toStdString();
}

TEST(ResultsPage, SnippetMarksOnlySpansInsideTheTextAndNeverTwice)
{
    EXPECT_EQ(SnippetHtml("pumps and pump", {{10, 4}, {0, 5}}), "<mark>pumps</mark> and <mark>pump</mark>");
    // Overlapping, empty and out-of-range spans are left out; a span past the end is cut there.
    EXPECT_EQ(SnippetHtml("насос", {{0, 3}, {1, 3}, {2, 0}, {9, 2}, {-1, 2}}), "<mark>нас</mark>ос");
    EXPECT_EQ(SnippetHtml("насос", {{3, 10}}), "нас<mark>ос</mark>");
}

TEST(ResultsPage, HitsLinkToTheInterfaceLanguagesPageAndNameTheLanguageFoundIn)
{
    fulltext::Results results;
    results.hits.push_back(MakeHit(5, 12, "e", "Turbine", "a turbine"));
    results.hits.push_back(MakeHit(3, 0, "r", "Биология", "науки"));
    results.hits.push_back(MakeHit(0, 2, "c", "致辞", "致辞"));
    results.estimatedTotal = 3;

    const QString russian = ResultsPageHtml(results, "turbine", 0, LangRussian);
    EXPECT_TRUE(russian.contains("<p class=\"summary\">Найдено страниц: 3</p>")) << russian.toStdString();
    EXPECT_TRUE(russian.contains("href=\"05012r.html\"")) << russian.toStdString();
    EXPECT_FALSE(russian.contains("05012e.html")) << russian.toStdString();
    EXPECT_TRUE(russian.contains("Электроника, информационные технологии и телекоммуникация · 5.12 · "
                                 "<span class=\"found-in\">найдено в английском тексте</span>"))
        << russian.toStdString();
    // A title page is named by its category alone, and a Russian hit in Russian needs no mark.
    EXPECT_TRUE(russian.contains("<div class=\"where\">Биологические науки</div>")) << russian.toStdString();
    EXPECT_TRUE(russian.contains("href=\"00002r.html\"")) << russian.toStdString();
    EXPECT_TRUE(russian.contains("найдено в китайском тексте")) << russian.toStdString();
    EXPECT_FALSE(russian.contains("найдено в русском тексте")) << russian.toStdString();

    const QString chinese = ResultsPageHtml(results, "turbine", 0, LangChinese);
    EXPECT_TRUE(chinese.contains("href=\"05012c.html\"")) << chinese.toStdString();
    EXPECT_TRUE(chinese.contains("电子、信息技术和电信 · 5.12 · <span class=\"found-in\">在英文页面中找到</span>"))
        << chinese.toStdString();
    EXPECT_TRUE(chinese.contains("<div class=\"where\">主席团主席致辞</div>")) << chinese.toStdString();
}

TEST(ResultsPage, FiftyAtATimeWithALinkTheNavigationHookIgnores)
{
    fulltext::Results first;
    for (int i = 1; i <= ResultsPerPage; ++i)
        first.hits.push_back(MakeHit(1, i, "e", QStringLiteral("Project %1").arg(i), "pump"));
    first.estimatedTotal = 120;
    const QString html = ResultsPageHtml(first, "pump", 0, LangEnglish);
    EXPECT_TRUE(html.contains("Pages 1–50 of about 120")) << html.left(2000).toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"%1\">Next 50</a>").arg(MoreResultsAddress(50))));

    fulltext::Results last;
    for (int i = 1; i <= 20; ++i)
        last.hits.push_back(MakeHit(2, i, "e", QStringLiteral("Project %1").arg(i), "pump"));
    last.estimatedTotal = 120;
    const QString lastHtml = ResultsPageHtml(last, "pump", 100, LangEnglish);
    EXPECT_TRUE(lastHtml.contains("Pages 101–120 of about 120"));
    EXPECT_FALSE(lastHtml.contains("about:blank")) << "no link past the last result";

    const QString nearEnd = ResultsPageHtml(first, "pump", 50, LangEnglish);
    EXPECT_TRUE(nearEnd.contains(QStringLiteral("<a href=\"%1\">Next 20</a>").arg(MoreResultsAddress(100))));

    EXPECT_EQ(MoreResultsOffset(QUrl(MoreResultsAddress(150))), 150);
    EXPECT_FALSE(MoreResultsOffset(QUrl("about:blank#more=x")));
    EXPECT_FALSE(MoreResultsOffset(QUrl("about:blank")));
    EXPECT_FALSE(MoreResultsOffset(QUrl("file:///cat/data/05012r.html#more=50")));
    // The link is no catalogue position: following it leaves the position as it was.
    EXPECT_FALSE(PositionFromUrl(MoreResultsAddress(50)));
}

TEST(ResultsPage, NothingFoundAndIndexBuildingSayWhatIsGoingOn)
{
    const QString none = ResultsPageHtml({}, "zzz", 0, LangRussian);
    EXPECT_TRUE(none.contains("Ничего не найдено.")) << none.toStdString();
    EXPECT_FALSE(none.contains("about:blank"));

    const QString building = IndexBuildingPageHtml("<pump>", 1234, LangEnglish);
    EXPECT_TRUE(building.contains("still being built: <span id=\"pages-read\">1234</span> pages read"))
        << building.toStdString();
    EXPECT_TRUE(building.contains("&lt;pump&gt;")) << building.toStdString();
    EXPECT_TRUE(IndexBuildingPageHtml("x", 7, LangChinese).contains("已读取 <span id=\"pages-read\">7</span> 页"));
}

// A query that met one of its limits says so above what it found, in the interface language; one
// that did not, says nothing of limits.
TEST(ResultsPage, ACutSearchSaysSo)
{
    fulltext::Results cut;
    cut.hits.push_back(MakeHit(1, 2, "e", "Pump", "pump"));
    cut.estimatedTotal = 1;
    cut.cut = true;
    EXPECT_TRUE(ResultsPageHtml(cut, "a* b*", 0, LangEnglish).contains("This search was cut short"));
    EXPECT_TRUE(ResultsPageHtml(cut, "a*", 0, LangRussian).contains("Поиск сокращён"));
    fulltext::Results nothing;
    nothing.cut = true;
    EXPECT_TRUE(ResultsPageHtml(nothing, "a*", 0, LangChinese).contains("本次搜索已被缩短"));
    cut.cut = false;
    EXPECT_FALSE(ResultsPageHtml(cut, "pump", 0, LangEnglish).contains("class=\"cut\""));
    // Pages an index built in memory left out are counted on every results page.
    cut.pagesLeftOut = 22998;
    EXPECT_TRUE(ResultsPageHtml(cut, "pump", 0, LangEnglish).contains("22998 pages are not searched"));
}
