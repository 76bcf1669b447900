#pragma once
// Names and addresses of the catalogue's page files: one file per position and language under
// ExeDir/data, named by a two-digit category, a position of at least three digits, the language
// letter and ".html", as in 05012e.html. This is the one place that writes and reads such names.
#include "catalogue_position.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The navigation hook reads three position digits back from a page name, so the pages of a
// category that are reached by stepping and links go up to this project.
constexpr std::int32_t MostPagedProjects = 999;

// The position widened to three digits ("007", "012", "123"); four or more digits stay as they are.
QString PositionText(std::int32_t position);
// The category widened to two digits.
QString CategoryText(std::int32_t category);
// For example 01007r.html.
QString PageFileName(std::int32_t category, std::int32_t position, const QString& letter);
// "file://" + exeDir + "data" + separator + file name, nothing escaped.
QString PageUrl(const QString& exeDir, std::int32_t category, std::int32_t position, const QString& letter);

// What the name of a file in a catalogue's data folder says, if it is a page file.
struct PageName {
    std::int32_t category = 0;
    std::int32_t position = 0;
    QString letter;  // of one of the catalogue's languages
};

// Strict reading for the full-text index: the names the catalogue writes for its pages, and no
// others. Two category digits and three position digits, a language letter and ".html": 01 to 11
// with 000 to 999 (title page and projects), 00 with 001 to 003 (the introductory pages).
// Pictures, the stylesheet, four-digit positions and other files are no pages.
std::optional<PageName> ParsePageName(const QString& fileName);

// One key per project whatever the language of its page, distinct for every position a page name
// can carry: the full-text index keeps one hit per key.
QByteArray ProjectKey(CataloguePosition at);
