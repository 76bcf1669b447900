#pragma once
// The desktop's texts that every front end shows alike: the main window's captions, buttons and
// menu entries in Russian and English, and the menu entries in Chinese, as data. Languages are
// the values of CurrentLanguage: 1 Russian, 2 English, 3 Chinese. A line break inside a label's
// text is "\n".
#include <QString>

#include <array>
#include <cstdint>

// The menu's entries form one chain from top to bottom: menu0, menu02, menu03, menu1 ... menu11.
constexpr int MenuEntryCount = 14;
// Chain index of menu1: the introductory entries menu0, menu02 and menu03 come first.
constexpr int FirstCategoryEntry = 3;

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

// Menu entries in chain order in Chinese, the words of the Chinese menu pictures, without the
// categories' numbers.
const std::array<QString, MenuEntryCount>& ChineseMenuTexts();
