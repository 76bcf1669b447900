// The frame of the server's pages: Previous and Next where the desktop enables them, leading where
// its steps lead, and every echoed text shown as text.
#include "shell_page.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

ShellPage PageAt(CataloguePosition at, std::uint8_t language = LangEnglish)
{
    ShellPage page;
    page.language = LanguageByNumber(language);
    page.basePath = QStringLiteral("/cat");
    page.title = QStringLiteral("A page");
    page.position = at;
    page.counts = {3, 4, 2, 2, 2, 7, 2, 2, 2, 2, 2, 5};
    return page;
}

// The address of the link with that id, empty when the page has none.
QString LinkOf(const QString& html, const QString& id)
{
    const QRegularExpression link(QStringLiteral("<a id=\"%1\"[^>]* href=\"([^\"]*)\"").arg(id));
    return link.match(html).captured(1);
}

}  // namespace

TEST(ShellPage, PreviousAndNextAreThereExactlyWhereTheDesktopEnablesThem)
{
    const QString first = ShellPageHtml(PageAt({0, 1}));
    EXPECT_EQ(LinkOf(first, QStringLiteral("previous")), QString());
    EXPECT_EQ(LinkOf(first, QStringLiteral("next")), "/cat/en/0.2");

    const QString boundary = ShellPageHtml(PageAt({4, 2}));
    EXPECT_EQ(LinkOf(boundary, QStringLiteral("previous")), "/cat/en/4.1");
    EXPECT_EQ(LinkOf(boundary, QStringLiteral("next")), "/cat/en/5.0");

    const QString title = ShellPageHtml(PageAt({1, 0}, LangRussian));
    EXPECT_EQ(LinkOf(title, QStringLiteral("previous")), "/cat/ru/0.3");
    EXPECT_EQ(LinkOf(title, QStringLiteral("next")), "/cat/ru/1.1");

    const QString last = ShellPageHtml(PageAt({11, 5}, LangChinese));
    EXPECT_EQ(LinkOf(last, QStringLiteral("previous")), "/cat/zh/11.4");
    EXPECT_EQ(LinkOf(last, QStringLiteral("next")), QString());
    EXPECT_TRUE(last.contains(QStringLiteral(">上一个</a>")));
}

TEST(ShellPage, EchoedTextsStayText)
{
    ShellPage page = PageAt({5, 2});
    page.title = QStringLiteral("<script>alert(1)</script>");
    page.goToText = QStringLiteral("\"><script>alert(2)</script>");
    page.goToMessage = QStringLiteral("<b>message</b>");
    page.findText = QStringLiteral("\" autofocus onfocus=\"alert(3)");
    page.languageLinks = {QStringLiteral("/x\"onmouseover=\"alert(4)"), QString(), QString()};
    const QString html = ShellPageHtml(page);
    EXPECT_FALSE(html.contains(QStringLiteral("<script>alert")));
    EXPECT_FALSE(html.contains(QStringLiteral("\"><script>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>message")));
    EXPECT_FALSE(html.contains(QStringLiteral("onfocus=\"alert")));
    EXPECT_FALSE(html.contains(QStringLiteral("\"onmouseover=\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>&lt;script&gt;alert(1)&lt;/script&gt;</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("role=\"alert\">&lt;b&gt;message&lt;/b&gt;</p>")));
}

TEST(ShellPage, TheCriteriaSearchIsOfferedInRussianAndEnglishOnly)
{
    EXPECT_TRUE(ShellPageHtml(PageAt({5, 2}, LangRussian)).contains(QStringLiteral("href=\"/cat/ru/search\"")));
    EXPECT_TRUE(ShellPageHtml(PageAt({5, 2}, LangEnglish)).contains(QStringLiteral("href=\"/cat/en/search\"")));
    const QString chinese = ShellPageHtml(PageAt({5, 2}, LangChinese));
    EXPECT_FALSE(chinese.contains(QStringLiteral("/search\"")));
    EXPECT_TRUE(chinese.contains(QStringLiteral("action=\"/cat/zh/find\"")));
}
