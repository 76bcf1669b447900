#pragma once
// Qt's own dialogs and buttons (the file and print dialogs, the standard buttons of message boxes)
// in the interface language, from Qt's translations of them (Debian: qt6-translations-l10n).
// English needs none. The program's own texts, and so the texts of its message boxes, do not
// come from these translations.
#include <QString>
#include <cstdint>

// The file name of Qt's translations for an interface language (1 Russian "qtbase_ru", 3 Chinese
// "qtbase_zh_CN"); empty for English and any other value.
QString QtTranslationName(std::uint8_t language);

// Puts Qt's translations for the language in place of those of the language before (loaded once
// each, from Qt's translations folder). Returns false when they cannot be found: Qt's dialogs then
// speak English.
bool UseQtTranslations(std::uint8_t language);
