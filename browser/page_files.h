#pragma once
// Names and addresses of the catalogue's page files: one file per position and language under
// ExeDir/data, named by a two-digit category, a position of at least three digits, the language
// letter and ".html".
#include <QString>
#include <cstdint>

// The position widened to three digits ("007", "012", "123"); four or more digits stay as they are.
QString PositionText(std::int32_t position);
// The category widened to two digits.
QString CategoryText(std::int32_t category);
// For example 01007r.html.
QString PageFileName(std::int32_t category, std::int32_t position, const QString& letter);
// "file://" + exeDir + "data" + separator + file name, nothing escaped.
QString PageUrl(const QString& exeDir, std::int32_t category, std::int32_t position, const QString& letter);

// The folder of an executable path up to and including its last separator; a path without one
// gives the whole path followed by the separator.
QString ExeDirFromPath(const QString& exePath, QChar separator);

// ExeDir from the program path as Qt reports it, which separates folders by "/" on every
// platform (Windows included): cut at the last "/", written with the platform's separator and
// ending with it ("C:/Cat/catalog.exe" gives "C:\Cat\" on Windows).
QString ExeDirFromProgramPath(const QString& qtPath, QChar platformSeparator);

// "Cat=3 PosInCat=12".
QString PositionLabelText(std::int32_t category, std::int32_t position);
