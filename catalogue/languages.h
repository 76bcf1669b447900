#pragma once
// The catalogue's three languages in one table: the browser, the server, the tool and the
// full-text index all take their numbers, codes, letters and names from here.
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

// Values of CurrentLanguage: 0 until the splash sets one.
enum : std::uint8_t { LangNone = 0, LangRussian = 1, LangEnglish = 2, LangChinese = 3 };

struct LanguageRow {
    std::uint8_t number;  // 1 Russian, 2 English, 3 Chinese
    QString code;  // "rus": the language's database table and title-column suffix
    QString letter;  // "r": ends the language's page file names
    QString tag;  // "ru": the HTML lang attribute and the tool's --lang
    QString name;  // "Русский": the language in its own words
    QString showMenuHint;  // hints of the menu toggle; empty for Chinese
    QString hideMenuHint;
};

// Russian, English, Chinese: the splash's order. A row's index is its number less one.
const std::array<LanguageRow, 3>& LanguageTable();

// The row of a language number, letter or tag; nullptr when there is none.
const LanguageRow* LanguageByNumber(int number);
const LanguageRow* LanguageByLetter(QStringView letter);
const LanguageRow* LanguageByTag(QStringView tag);
// The letter of a language's page files; empty for a number that names no language.
QString LanguageLetter(int number);

// One interface language as the windows use it: its three-letter code, the letter of its page
// file names and the hints of the menu toggle.
struct LanguageInfo {
    QString Code;
    QString Letter;
    QString ShowMenuHint;
    QString HideMenuHint;
};

LanguageInfo LanguageInfoOf(const LanguageRow& row);
