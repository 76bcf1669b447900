#pragma once
// The values of one browsing session: the language, the catalogue position, the project counts,
// the program's folder and the states the windows share. The start-up owns the one session of the
// program and hands it to the windows, the HTML view adapter and the catalogue search; a test
// makes a fresh one.
#include "catalogue_position.h"
#include "languages.h"

#include <QString>

#include <array>
#include <cstdint>

struct Session {
    // Indexed 1 to 3 once FillLanguages has run; entry 0 stays empty.
    std::array<LanguageInfo, 4> Languages;
    // 0 at load, then 1 Russian, 2 English, 3 Chinese.
    std::uint8_t CurrentLanguage = LangNone;

    std::int32_t CurrentCategory = 0;
    std::int32_t CurrentPosition = 0;
    // Projects per category 1 to 11; entry 0 is the number of introductory pages (3) once counted.
    CategoryCounts ProjectCounts{};

    // Folder of the running executable, ending with the folder separator.
    QString ExeDir;
    // Position text of the page last opened.
    QString PageNumberText;
    bool MenuVisible = false;
    bool SplashCancelled = false;

    // Fills Languages with the three records.
    void FillLanguages();
    // The program's own messages are Russian in Russian mode and English otherwise.
    bool MessagesInRussian() const { return CurrentLanguage == LangRussian; }

    CataloguePosition Position() const { return {CurrentCategory, CurrentPosition}; }
    void SetPosition(CataloguePosition at)
    {
        CurrentCategory = at.category;
        CurrentPosition = at.position;
    }
};

// The folder of an executable path up to and including its last separator; a path without one
// gives the whole path followed by the separator.
QString ExeDirFromPath(const QString& exePath, QChar separator);

// ExeDir from the program path as Qt reports it, which separates folders by "/" on every
// platform (Windows included): cut at the last "/", written with the platform's separator and
// ending with it ("C:/Cat/catalog.exe" gives "C:\Cat\" on Windows).
QString ExeDirFromProgramPath(const QString& qtPath, QChar platformSeparator);
