#pragma once
// The frame of every page the server writes for a language: the catalogue's caption, the language
// switch, Previous and Next, the go-to box, the full-text search box with its suggestions, the link
// to the criteria search, the menu of introductory pages and categories, and the page's own content.
// Everything works with links and forms alone; the script only adds suggestions and keys.
#include "catalogue_position.h"
#include "languages.h"

#include <QString>

#include <array>
#include <optional>

struct ShellPage {
    const LanguageRow* language = nullptr;
    QString basePath;
    QString title;  // plain text
    // The position shown: Previous, Next and the menu follow it, and go-to reports from it.
    std::optional<CataloguePosition> position;
    CategoryCounts counts{};
    // Where each language's switch leads, by language number less one.
    std::array<QString, 3> languageLinks;
    QString goToText = QStringLiteral("1.1");
    QString goToMessage;
    QString findText;
    QString mainHtml;
    // The main part scrolls on its own (results) rather than holding a page frame.
    bool scrolling = false;
};

QString ShellPageHtml(const ShellPage& page);

// Text escaped for HTML, inside elements and inside double-quoted attributes alike.
QString Escaped(const QString& text);

// The menu's entries in a language: their text on one line and the position each opens.
struct MenuEntry {
    QString text;
    CataloguePosition position;
};
std::array<MenuEntry, 14> MenuEntries(const LanguageRow& language);
