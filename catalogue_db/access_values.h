#pragma once
// Values as Access reads and shows them: dates kept as "yyyy-MM-dd hh:mm:ss" texts (the form the
// Jet import stores) and read as clock times without a time zone (held as UTC, so no daylight
// saving shifts them), numbers shown with up to 15 significant digits, and rounding of a half to
// the even neighbour.
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <optional>

// A UTF-8 text as it stands, a leading byte order mark included (QString::fromUtf8 drops it).
QString TextFromUtf8(const char* bytes, qsizetype size);

// The stored text of a date and time.
QString AccessDateText(const QDateTime& moment);

// Reads a stored date text ("1995-01-31 10:30:00", "1995-01-31"), a date as typed in a literal
// (#1/31/1995#, #1/31/1995 10:30 PM#, #1995-01-31#, #10:30#) or a number of days since 30 Dec 1899.
std::optional<QDateTime> ReadAccessDate(const QString& text);
QDateTime AccessDateFromSerial(double days);

// The length of the number at the start of `text`: digits with an optional point and fraction, then
// an exponent (e or E, an optional sign, digits) when digits follow it; 0 when the text does not
// start with a digit or a point and a digit. Digits are the ASCII 0 to 9, as Access reads them. The
// one scanner of number literals in query texts and of the numbers Val reads.
qsizetype AccessNumberLength(QStringView text);

// A value read as a number: a number as it is, a text that is wholly a number (blanks around it and
// a sign allowed); none for any other value.
std::optional<double> AccessNumberOf(const QVariant& value);

// A value read as a date: a number as days since 30 Dec 1899, a text as ReadAccessDate reads it.
std::optional<QDateTime> AccessDateOf(const QVariant& value);

// A number as Access shows it: 15 significant digits, digits rather than exponent form below
// 1E+15 and from 0.0001 up.
QString AccessNumberText(double value);

// Rounds to `decimals` places, a half to the even neighbour (Round(2.5) is 2, Round(3.5) is 4).
double AccessRound(double value, int decimals);
