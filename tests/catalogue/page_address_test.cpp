// Reading the catalogue position back from a navigation address, and the states of Previous and Next.
#include "catalogue_order.h"
#include "page_address.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
const CategoryCounts kCounts{3, 4, 1, 2, 6, 20, 5, 1, 2, 3, 4, 7};
std::optional<CataloguePosition> Read(const char* url) { return PositionFromUrl(QString::fromUtf8(url)); }
}  // namespace

TEST(NavigationHook, FileNameAfterTheLastSeparator)
{
    EXPECT_EQ(FileNameOfUrl(QStringLiteral("file://C:\\Cat\\data\\07012e.html")), QStringLiteral("07012e.html"));
    EXPECT_EQ(FileNameOfUrl(QStringLiteral("file:///home/кат/data/07012e.html")), QStringLiteral("07012e.html"));
    EXPECT_EQ(FileNameOfUrl(QStringLiteral("C:07012e.html")), QStringLiteral("07012e.html"));
    EXPECT_EQ(FileNameOfUrl(QStringLiteral("07012e.html")), QStringLiteral("07012e.html"));
    EXPECT_EQ(FileNameOfUrl(QStringLiteral("about:blank")), QStringLiteral("blank"));
    EXPECT_EQ(FileNameOfUrl(QStringLiteral("http://host/")), QString());
}

TEST(NavigationHook, PageFileNames)
{
    EXPECT_TRUE(IsPageFileName(QStringLiteral("07012e.html")));
    EXPECT_TRUE(IsPageFileName(QStringLiteral("abcd.html")));  // nine characters
    EXPECT_FALSE(IsPageFileName(QStringLiteral("abc.html")));  // eight
    EXPECT_FALSE(IsPageFileName(QStringLiteral("01001r.HTML")));
    EXPECT_FALSE(IsPageFileName(QStringLiteral("02003r.html#top")));
    EXPECT_FALSE(IsPageFileName(QStringLiteral("01001r.htm")));
}

TEST(NavigationHook, IntegerReading)
{
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("07")), 7);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("012")), 12);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("  42abc")), 42);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("in")), 0);
    EXPECT_EQ(ReadIntegerPrefix(QString()), 0);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("-5")), -5);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("+5")), 5);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("- 5")), 0);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("1 2")), 1);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("$1F")), 31);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("x10")), 16);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("Xff")), 255);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("0x1a")), 26);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("0X1G")), 1);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("-$10")), -16);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("1f")), 1);  // no prefix: decimal
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("0")), 0);
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("99999999999999999999")), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("-99999999999999999999")), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("$FFFFFFFFFFFF")), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ReadIntegerPrefix(QStringLiteral("-2147483648")), std::numeric_limits<std::int32_t>::min());
}

TEST(NavigationHook, PositionFromEachKindOfAddress)
{
    EXPECT_EQ(Read("file://C:\\Cat\\data\\07012e.html"), (CataloguePosition{7, 12}));
    EXPECT_EQ(Read("file:///opt/Каталог 2014/data/11000c.html"), (CataloguePosition{11, 0}));
    EXPECT_EQ(Read("file:///opt/cat/data/index.html"), (CataloguePosition{0, 0}));
    EXPECT_EQ(Read("file:///opt/cat/data/01$0Ar.html"), (CataloguePosition{1, 10}));
    EXPECT_EQ(Read("file:///opt/cat/data/011000r.html"), (CataloguePosition{1, 100}));  // three digits read
    EXPECT_FALSE(Read("file:///opt/cat/data/a.html"));
    EXPECT_FALSE(Read("file:///opt/cat/data/01001r.HTML"));
    EXPECT_FALSE(Read("file:///opt/cat/data/02003r.html#top"));
    EXPECT_FALSE(Read("https://example.org/"));
    EXPECT_FALSE(Read("about:blank"));
    // Outside the catalogue: the position stays.
    EXPECT_FALSE(Read("file:///opt/cat/data/12001r.html"));
    EXPECT_FALSE(Read("file:///opt/cat/data/99001r.html"));
    EXPECT_FALSE(Read("file:///opt/cat/data/-1001r.html"));
    EXPECT_FALSE(Read("file:///opt/cat/data/01-05r.html"));
}

TEST(NavigationHook, ButtonStatesAtBothEnds)
{
    auto states = StepButtonsAt({0, 1}, kCounts);
    EXPECT_FALSE(states.previousEnabled);
    EXPECT_TRUE(states.nextEnabled);
    states = StepButtonsAt({11, 7}, kCounts);
    EXPECT_TRUE(states.previousEnabled);
    EXPECT_FALSE(states.nextEnabled);
    for (const CataloguePosition at : {CataloguePosition{0, 0}, CataloguePosition{0, 2}, CataloguePosition{1, 1},
                                       CataloguePosition{11, 6}, CataloguePosition{11, 8}}) {
        states = StepButtonsAt(at, kCounts);
        EXPECT_TRUE(states.previousEnabled && states.nextEnabled) << at.category << "." << at.position;
    }
}
