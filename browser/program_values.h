#pragma once
// The program-wide values of the catalogue browser, kept in one place.
#include <QString>
#include <array>
#include <cstdint>

// One interface language: its three-letter code (database table and column suffix), the letter
// that ends its page file names, and the hints of the menu toggle.
struct LanguageInfo {
    QString Code;
    QString Letter;
    QString ShowMenuHint;
    QString HideMenuHint;
};

enum : std::uint8_t { LangNone = 0, LangRussian = 1, LangEnglish = 2, LangChinese = 3 };

// Indexed 1 to 3; entry 0 stays empty.
extern std::array<LanguageInfo, 4> Languages;
// 0 at load, then 1 Russian, 2 English, 3 Chinese.
extern std::uint8_t CurrentLanguage;

extern std::int32_t CurrentCategory;
extern std::int32_t CurrentPosition;
// Projects per category 1 to 11; entry 0 is the number of introductory pages (3) once counted.
extern std::array<std::int32_t, 12> ProjectCounts;

// Folder of the running executable, ending with the folder separator.
extern QString ExeDir;
// Position text of the page last opened.
extern QString PageNumberText;
extern bool MenuVisible;
extern bool SplashCancelled;

// Fills Languages with the three records.
void FillLanguages();

// The program's own messages are Russian in Russian mode and English otherwise.
inline bool MessagesInRussian() { return CurrentLanguage == LangRussian; }

// Puts every value back to its value at load (for tests).
void ResetProgramValues();
