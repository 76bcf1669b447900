#pragma once
// Access's Currency type as Jet keeps it: a signed 64-bit count of ten-thousandths, so that sums,
// differences and products by whole numbers are exact to the last digit. Currency values travel
// through SQLite as integers in that unit (columns declared CURRENCY); the translation of the
// Access dialect knows which expressions hold them and converts at the edges.
#include <QMetaType>
#include <QString>
#include <QStringView>

#include <optional>

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

inline constexpr qint64 kCurrencyUnit = 10000;  // ten-thousandths in one unit

// A Currency value where a QVariant is wanted (Format takes it and shows its digits exactly).
struct AccessCurrency {
    qint64 tenThousandths = 0;
};
Q_DECLARE_METATYPE(AccessCurrency)

// The value as Access shows it: "64942.69", "-0.5", "3", "922337203685477.5807".
QString CurrencyText(qint64 tenThousandths);

// A number held as Currency: rounded to four decimals with a half going to the even neighbour,
// as CCur does; none outside Currency's range.
std::optional<qint64> CurrencyFromNumber(double value);
std::optional<qint64> CurrencyFromWhole(qint64 value);
// A text that is wholly a decimal number, read digit by digit, rounded as above; a text in
// exponent form is read as a double. None for anything else or outside the range.
std::optional<qint64> CurrencyFromText(QStringView text);

// The product of two Currency values, rounded as above; none on overflow.
std::optional<qint64> CurrencyProduct(qint64 a, qint64 b);
// The value rounded to `decimals` places (0 to 4), a half to the even neighbour, as Round does.
std::optional<qint64> CurrencyRound(qint64 value, int decimals);

// CCur(value) as an SQLite function: the value as Currency; an error for null, for a text that is
// no number and outside the range.
void CurrencyConversionFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv);

// The functions the translation calls for Currency: jet_cy_of (as CCur, but null gives null),
// jet_cy_units (a Currency value as a plain number), jet_cy_add, jet_cy_sub, jet_cy_mul (by a
// whole number), jet_cy_product, jet_cy_avg (an aggregate), jet_cy_round, jet_cy_int, jet_cy_fix,
// jet_cy_cstr and jet_cy_format.
void RegisterCurrencyFunctions(sqlite3* db);
