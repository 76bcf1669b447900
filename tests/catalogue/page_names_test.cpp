// Page file names and addresses, read back too, the project key of the full-text index, and
// ExeDir from the program's path.
#include "languages.h"
#include "page_names.h"
#include "session.h"

#include <gtest/gtest.h>

TEST(PageFiles, NamesWidenCategoryToTwoAndPositionToThreeDigits)
{
    EXPECT_EQ(PageFileName(1, 7, "r"), "01007r.html");
    EXPECT_EQ(PageFileName(11, 0, "e"), "11000e.html");
    EXPECT_EQ(PageFileName(0, 3, "c"), "00003c.html");
    EXPECT_EQ(PageFileName(10, 5, "r"), "10005r.html");
    EXPECT_EQ(PageFileName(4, 0, "e"), "04000e.html");
    EXPECT_EQ(PageFileName(2, 15, "e"), "02015e.html");
    EXPECT_EQ(PageFileName(3, 999, "c"), "03999c.html");
    // Four digits are not cut to three.
    EXPECT_EQ(PageFileName(1, 1000, "r"), "011000r.html");
}

TEST(PageFiles, UrlKeepsTheFolderAsItIs)
{
    EXPECT_EQ(PageUrl("/opt/Мой каталог/", 0, 1, "e"), "file:///opt/Мой каталог/data/00001e.html");
    EXPECT_EQ(PageUrl("/c/", 2, 15, "e"), "file:///c/data/02015e.html");
}

TEST(PageFiles, ExeDirIsThePathUpToItsLastSeparator)
{
    EXPECT_EQ(ExeDirFromPath("C:\\Cat\\catalog.exe", '\\'), "C:\\Cat\\");
    EXPECT_EQ(ExeDirFromPath("C:\\catalog.exe", '\\'), "C:\\");
    EXPECT_EQ(ExeDirFromPath("catalog.exe", '\\'), "catalog.exe\\");
    EXPECT_EQ(ExeDirFromPath("/home/u/Каталог 2014/velora-catalogue", '/'), "/home/u/Каталог 2014/");
    // Qt reports the program's path with "/" on Windows too; the folder keeps the platform's form.
    EXPECT_EQ(ExeDirFromProgramPath("C:/Cat/catalog.exe", '\\'), "C:\\Cat\\");
    EXPECT_EQ(ExeDirFromProgramPath("/home/u/Каталог 2014/velora-catalogue", '/'), "/home/u/Каталог 2014/");
}

TEST(PageFiles, PositionLabelHasNoLeadingZeros)
{
    EXPECT_EQ(PositionLabelText(3, 12), "Cat=3 PosInCat=12");
    EXPECT_EQ(PositionLabelText(11, 4), "Cat=11 PosInCat=4");
}

// Every name the catalogue writes for a page reads back as the position and language it was
// written for. Anything else is no page: other files, letters of no language, categories beyond
// 11, positions of other than three digits (0501234e.html read as 5.1234, and 0110000e.html as
// 1.10000, which shared its key with 2.0), title or fourth pages of category 0.
TEST(PageFiles, WrittenNamesParseBackAndOtherFilesDoNot)
{
    for (const LanguageRow& language : LanguageTable()) {
        for (const CataloguePosition at : {CataloguePosition{0, 1}, CataloguePosition{0, 3}, CataloguePosition{5, 0},
                                           CataloguePosition{5, 12}, CataloguePosition{11, 999}}) {
            const QString name = PageFileName(at.category, at.position, language.letter);
            const std::optional<PageName> read = ParsePageName(name);
            ASSERT_TRUE(read) << name.toStdString();
            EXPECT_EQ(CataloguePosition({read->category, read->position}), at) << name.toStdString();
            EXPECT_EQ(read->letter, language.letter);
        }
    }
    for (const char* other :
         {"05012x.html", "12001e.html", "0501e.html", "05012e.htm", "style.css", "05012E.html", "05٠١٢e.html",
          "050123456789e.html", "0501234e.html", "0110000e.html", "011000r.html", "00000e.html", "00004e.html"})
        EXPECT_FALSE(ParsePageName(QString::fromUtf8(other))) << other;
}

// One key per project: the pages of a project in its three languages share it, and no two
// positions a page name can carry do (category * 10000 + position made 1.10000 and 2.0 one).
TEST(PageFiles, ProjectKeysNeverCollide)
{
    EXPECT_NE(ProjectKey({1, 10000}), ProjectKey({2, 0}));
    EXPECT_NE(ProjectKey({1, 12}), ProjectKey({11, 2}));
    EXPECT_NE(ProjectKey({0, 999999999}), ProjectKey({1, 0}));
    const auto key = [](const char* name) {
        const auto page = ParsePageName(QString::fromLatin1(name));
        return ProjectKey({page->category, page->position});
    };
    EXPECT_EQ(key("05012r.html"), key("05012c.html"));
    EXPECT_NE(key("01012r.html"), key("11002r.html"));
}
