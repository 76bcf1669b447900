#pragma once
// Access's Format function in the invariant (US English) culture: the named formats and the
// custom characters for numbers and dates.
#include <QString>
#include <QVariant>
#include <optional>

// The text of `value` (a number, a Currency value as AccessCurrency, whose digits it keeps exactly,
// a text, or a date text) in `format`. An empty format gives the
// value's own text. Returns nothing and sets `error` for a format it does not know.
std::optional<QString> AccessFormat(const QVariant& value, const QString& format, QString& error);
