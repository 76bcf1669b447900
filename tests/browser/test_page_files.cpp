#include <gtest/gtest.h>

#include "page_files.h"

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
