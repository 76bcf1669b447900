#pragma once
// Every language-dependent text and picture of the main window, as data. Languages are the
// values of CurrentLanguage: 1 Russian, 2 English, 3 Chinese. A line break inside a label's text
// is "\n".
#include "languages.h"
#include "menu_layout.h"

#include <QString>
#include <array>
#include <cstdint>

// Texts of the main window in a text language (Russian or English).
struct MainWindowTexts {
    QString caption;
    QString cmdPrev;
    QString cmdNext;
    QString cmdSearchDB;
    QString lblOpenProj;
    QString cmdGoTo;
    QString cmdExit;
    QString cmdLangChnHint;
    QString pmlangfonts;
    // Menu entries in chain order: menu0, menu02, menu03, menu1 ... menu11.
    std::array<QString, MenuEntryCount> menu;
};

// The Russian texts for language 1, the English ones for any other value (Chinese mode shows the
// English window caption).
const MainWindowTexts& MainWindowTextsFor(std::uint8_t language);

// Names for assistive technology of the controls whose face is a picture, and of the boxes no
// label names, in one interface language (1 to 3; any other value gives English).
struct AccessibleNames {
    QString emblem;
    QString title;
    QString hideMenu;  // the menu toggle while the menu is shown
    QString showMenu;  // ... while it is hidden
    QString chineseButton;
    QString goToPicture;
    QString goToBox;
    QString page;
    QString cmdPrev;
    QString cmdNext;
    QString cmdGoTo;
    QString cmdExit;
    // The Chinese menu pictures, in chain order (imgmch0, imgmch01, imgmch02, imgmch1 ...).
    std::array<QString, MenuEntryCount> menuPictures;
};
const AccessibleNames& AccessibleNamesFor(std::uint8_t language);

// Resource path of the title picture of a language (1 to 3).
QString TitlePicturePath(std::uint8_t language);

// Resource path of the menu toggle's picture: the one that offers hiding the menu while it is
// shown, showing it while it is hidden.
QString MenuTogglePicturePath(std::uint8_t language, bool menuShown);

// Hint of the menu toggle, from the language's record in Languages: the hide hint while the menu
// is shown, the show hint while it is hidden (both empty in Chinese mode).
QString MenuToggleHint(const LanguageInfo& language, bool menuShown);

// Resource path of the Chinese menu picture of a chain entry (0 menu0 ... 13 menu11).
QString ChineseMenuPicturePath(int chainIndex);

// The six Chinese button pictures, 70 by 20: slot 0 Chinese, 1 previous, 2 next, 3 open
// project, 4 exit, 5 insert.
QString ChineseButtonPicturePath(int slot);
enum ChineseButtonSlot : int {
    SlotChinese = 0,
    SlotPrevious = 1,
    SlotNext = 2,
    SlotOpenProject = 3,
    SlotExit = 4,
    SlotInsert = 5,
};

// Pictures that never change with the language.
QString EmblemPicturePath();
QString ChineseWordPicturePath();  // the picture of the Chinese button, 42 by 19
QString ChineseGoToPicturePath();  // the Chinese words for open project, 63 by 18
QString WindowIconPath();
