#pragma once
// Translation of an SQL text in the Access (Jet) dialect into one that SQLite runs with the same
// rows, order and column names: double-quoted texts, [bracketed] names, IIf/len/chr, `+` and `&`
// between texts, case-insensitive `like` and text order, GROUP BY groups in ascending order,
// result columns named as Jet names them. Works on tokens and expression structure.
#include <QString>

// Throws DatabaseError for a text it cannot read.
QString TranslateAccessSql(const QString& accessSql);
