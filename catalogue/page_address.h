#pragma once
// Reading the catalogue position back from the address of a coming navigation, so that links
// inside the pages move the position.
#include "catalogue_position.h"

#include <QString>
#include <optional>

// The characters after the last "\", ":" or "/"; the whole text when none occurs.
QString FileNameOfUrl(const QString& url);

// Longer than 8 characters and ending in ".html" exactly, in lower case.
bool IsPageFileName(const QString& fileName);

// Reads an integer and never fails: leading blanks are skipped, a sign is taken, then decimal
// digits up to the first other character ("$", "x", "X", "0x" or "0X" make them hexadecimal).
// No digits give 0; a value beyond the 32-bit range stops at the nearest end of the range.
std::int32_t ReadIntegerPrefix(const QString& text);

// The position named by the address's file name: its first two characters give the category, the
// next three the position. Nothing when the name is not a page file name, or reads as a category
// outside 0 to 11 or a negative position.
std::optional<CataloguePosition> PositionFromUrl(const QString& url);
