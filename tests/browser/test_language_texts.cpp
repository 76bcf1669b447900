// Every picture the main window takes from the resources, per language and state, loads at its
// size.
#include "jpeg_picture.h"
#include "language_texts.h"
#include "languages.h"

#include <gtest/gtest.h>

namespace {

struct PictureCase {
    QString path;
    QSize size;
};

TEST(WindowPictures, EveryPictureOfTheWindowLoadsAtItsSize)
{
    const std::vector<PictureCase> cases = {
        {TitlePicturePath(LangRussian), {700, 90}},
        {TitlePicturePath(LangEnglish), {700, 90}},
        {TitlePicturePath(LangChinese), {600, 68}},
        {MenuTogglePicturePath(LangRussian, false), {14, 100}},
        {MenuTogglePicturePath(LangRussian, true), {14, 100}},
        {MenuTogglePicturePath(LangEnglish, false), {20, 90}},
        {MenuTogglePicturePath(LangEnglish, true), {20, 90}},
        {MenuTogglePicturePath(LangChinese, false), {24, 58}},
        {MenuTogglePicturePath(LangChinese, true), {25, 132}},
        {EmblemPicturePath(), {147, 96}},
        {ChineseWordPicturePath(), {42, 19}},
        {ChineseGoToPicturePath(), {63, 18}},
        {WindowIconPath(), {16, 16}},
    };
    for (const PictureCase& c : cases)
        EXPECT_EQ(LoadPicture(c.path).size(), c.size) << c.path.toStdString();
    for (int slot = 0; slot <= 5; ++slot)
        EXPECT_EQ(LoadPicture(ChineseButtonPicturePath(slot)).size(), QSize(70, 20)) << slot;
    // Chinese menu pictures: 165 wide, as high as their boxes' pictures.
    const int heights[MenuEntryCount] = {41, 41, 61, 41, 41, 25, 41, 61, 25, 41, 41, 41, 41, 41};
    for (int i = 0; i < MenuEntryCount; ++i)
        EXPECT_EQ(LoadPicture(ChineseMenuPicturePath(i)).size(), QSize(165, heights[i])) << i;
    EXPECT_TRUE(ChineseMenuPicturePath(MenuEntryCount).isEmpty());
}

}  // namespace
