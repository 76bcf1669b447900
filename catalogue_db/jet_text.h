#pragma once
// Text rules of the Access engine that SQLite lacks: case-insensitive `like` with % and _ in every
// alphabet, a case-insensitive text order, and `+` that adds numbers or joins texts.
#include <cstddef>

struct sqlite3;

// Name of the collation that orders text as Access does (case ignored, letters in alphabet order).
inline constexpr const char* kJetTextCollation = "jet_text";

// Matches `text` against an Access pattern (% any run of characters, _ any one), ignoring case.
// Both are UTF-8.
bool JetLikeMatch(const char* pattern, std::size_t patternSize, const char* text, std::size_t textSize);

// Compares two UTF-8 texts case-insensitively in alphabet order; <0, 0 or >0.
int JetCompareText(const char* a, std::size_t aSize, const char* b, std::size_t bSize);

// Registers like(), jet_add(), jet_concat() and the jet_text collation on a connection.
void RegisterJetFunctions(sqlite3* db);
