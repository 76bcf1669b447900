#pragma once
// Translation of an SQL text in the Access (Jet) dialect into one that SQLite runs with the same
// rows, order and column names: double-quoted texts, [bracketed] names, #date# literals, `+` and
// `&` between texts, case-insensitive `like`, comparisons, DISTINCT and text order, GROUP BY
// groups in ascending order, result columns named as Jet names them, and the functions of Access
// queries (those SQLite lacks are the jet_* functions of access_functions.h; any other function is
// refused by name). Works on tokens and expression structure.
#include "access_functions.h"

#include <QString>
#include <QStringList>
#include <functional>

// Tells whether table.column holds numbers. Sort and group keys on such columns need no
// case-insensitive order, so SQLite may take them from an index instead of sorting.
using NumericColumnLookup = std::function<bool(const QString& table, const QString& column)>;

// Throws DatabaseError for a text it cannot read.
QString TranslateAccessSql(const QString& accessSql, const NumericColumnLookup& numericColumn = {});

// The same, told what each column holds (Unknown for a column it does not know): Currency columns
// keep their values exact (access_currency.h). The result names the columns of the statement's
// own select list that hold Currency in ten-thousandths.
using ColumnKindLookup = std::function<ValueKind(const QString& table, const QString& column)>;
struct AccessTranslation {
    QString sql;
    QStringList currencyColumns;
};
AccessTranslation TranslateAccessQuery(const QString& accessSql, const ColumnKindLookup& columnKind);
