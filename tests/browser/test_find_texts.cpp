// The find bar's and results page's texts in each interface language, and the names of the
// menu sections results are listed under.
#include "find_texts.h"
#include "languages.h"

#include <gtest/gtest.h>

TEST(FindTexts, EachLanguageHasItsOwnTextsAndChineseModeChineseOnes)
{
    EXPECT_EQ(FindTextsFor(LangRussian).wholeCatalogue, "Весь каталог");
    EXPECT_EQ(FindTextsFor(LangEnglish).wholeCatalogue, "Whole catalogue");
    EXPECT_EQ(FindTextsFor(LangChinese).wholeCatalogue, "整个目录");
    EXPECT_EQ(FindTextsFor(LangNone).thisPage, "This page");
    EXPECT_EQ(FindTextsFor(LangRussian).matchOf.arg(2).arg(5), "2 из 5");
    EXPECT_EQ(FindTextsFor(LangChinese).matchOf.arg(2).arg(5), "第 2 个，共 5 个");
}

TEST(FindTexts, SectionNamesAreTheMenuEntriesWithoutTheirNumbers)
{
    EXPECT_EQ(SectionName(LangRussian, 5, 12), "Электроника, информационные технологии и телекоммуникация");
    EXPECT_EQ(SectionName(LangEnglish, 11, 0), "Sciences (Chemistry, Physics etc)");
    EXPECT_EQ(SectionName(LangEnglish, 10, 3), "Other Industrial Manufacturing Technologies");
    EXPECT_EQ(SectionName(LangChinese, 1, 4), "农业、食品和海洋资源");
    // Introductory pages: each has its own entry, on one line.
    EXPECT_EQ(SectionName(LangEnglish, 0, 2), "Address of Chairman of VELORA Presidium Dravik");
    EXPECT_EQ(SectionName(LangRussian, 0, 3), "Структура Velora");
    EXPECT_EQ(SectionName(LangChinese, 0, 3), "结构");
    EXPECT_EQ(SectionName(LangEnglish, 0, 4), "");
    EXPECT_EQ(SectionName(LangEnglish, 12, 1), "");
}
