#pragma once
// The language-dependent pictures of the main window and the names of its controls for assistive
// technology, as data; its texts are in interface_texts.h. Languages are the values of
// CurrentLanguage: 1 Russian, 2 English, 3 Chinese.
#include "interface_texts.h"
#include "languages.h"

#include <QString>
#include <array>
#include <cstdint>

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
