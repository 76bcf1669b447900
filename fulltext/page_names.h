#pragma once
// Which files of a catalogue's data folder are page files, and what their names say: a two-digit
// category (00 to 11), a position of at least three digits, the language letter r, e or c and
// ".html", as in 05012e.html. Pictures, the stylesheet and other files are no pages.
#include <QString>

#include <cstdint>
#include <optional>

namespace fulltext {

struct PageName {
    std::int32_t category = 0;
    std::int32_t position = 0;
    QString letter;
};

std::optional<PageName> ParsePageName(const QString& fileName);

} // namespace fulltext
