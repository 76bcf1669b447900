#include "access_currency.h"

#include "access_format.h"
#include "access_values.h"

#include <QVariant>
#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using Wide = __int128;

std::optional<qint64> fitting(Wide value)
{
    if (value < Wide(std::numeric_limits<qint64>::min()) || value > Wide(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return qint64(value);
}

// quotient of value / divisor, a remainder of exactly a half going to the even quotient.
Wide roundedQuotient(Wide value, Wide divisor)
{
    Wide quotient = value / divisor;
    const Wide remainder = value % divisor;
    const Wide twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0))
        quotient += value < 0 ? -1 : 1;
    return quotient;
}

}  // namespace

QString CurrencyText(qint64 tenThousandths)
{
    const bool negative = tenThousandths < 0;
    // The magnitude as unsigned, so the most negative value has one too.
    const quint64 magnitude = negative ? quint64(0) - quint64(tenThousandths) : quint64(tenThousandths);
    QString text = QString::number(magnitude / kCurrencyUnit);
    QString fraction = QString::number(magnitude % kCurrencyUnit).rightJustified(4, u'0');
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    return negative ? u'-' + text : text;
}

std::optional<qint64> CurrencyFromNumber(double value)
{
    // The product is rounded once to a double and then to the even neighbour, as CCur does:
    // CCur(1.23455) is 1.2346.
    const double scaled = std::nearbyint(value * double(kCurrencyUnit));
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
        return std::nullopt;
    return qint64(scaled);
}

std::optional<qint64> CurrencyFromWhole(qint64 value) { return fitting(Wide(value) * kCurrencyUnit); }

std::optional<qint64> CurrencyFromText(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    qsizetype at = 0;
    const bool negative = at < trimmed.size() && trimmed[at] == u'-';
    if (at < trimmed.size() && (trimmed[at] == u'-' || trimmed[at] == u'+'))
        ++at;
    Wide whole = 0;
    int digits = 0, decimals = 0;
    Wide fraction = 0;  // the first four decimals
    int beyond = 0;  // 0 nothing after the fourth decimal, 1 less than a half, 2 a half, 3 more
    const auto digitAt = [&](qsizetype k) { return k < trimmed.size() && trimmed[k] >= u'0' && trimmed[k] <= u'9'; };
    for (; digitAt(at); ++at, ++digits) {
        whole = whole * 10 + (trimmed[at].unicode() - u'0');
        if (whole > Wide(std::numeric_limits<qint64>::max()))
            return std::nullopt;
    }
    if (at < trimmed.size() && trimmed[at] == u'.') {
        for (++at; digitAt(at); ++at, ++digits) {
            const int digit = trimmed[at].unicode() - u'0';
            if (decimals < 4)
                fraction = fraction * 10 + digit;
            else if (decimals == 4)
                beyond = digit > 5 ? 3 : digit == 5 ? 2 : digit > 0 ? 1 : 0;
            else if (beyond == 2 && digit > 0)
                beyond = 3;
            ++decimals;
        }
    }
    if (digits == 0 || at != trimmed.size()) {
        // Exponent forms ("1.5e3") are numbers too, read as a double.
        const std::optional<double> number = AccessNumberOf(trimmed.toString());
        return number ? CurrencyFromNumber(*number) : std::nullopt;
    }
    for (int k = decimals; k < 4; ++k)
        fraction *= 10;
    Wide scaled = whole * kCurrencyUnit + fraction;
    if (beyond == 3 || (beyond == 2 && scaled % 2 != 0))
        ++scaled;
    return fitting(negative ? -scaled : scaled);
}

std::optional<qint64> CurrencyProduct(qint64 a, qint64 b)
{
    return fitting(roundedQuotient(Wide(a) * Wide(b), kCurrencyUnit));
}

std::optional<qint64> CurrencyRound(qint64 value, int decimals)
{
    if (decimals >= 4)
        return value;
    Wide divisor = 1;
    for (int k = decimals; k < 4; ++k)
        divisor *= 10;
    return fitting(roundedQuotient(value, divisor) * divisor);
}

// The SQLite side. A value of a Currency expression is an integer in ten-thousandths; a real
// number there (a plain number a Currency column happened to hold) is taken as it stands.
namespace {

void resultError(sqlite3_context* ctx, const char* message) { sqlite3_result_error(ctx, message, -1); }

void resultText(sqlite3_context* ctx, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text64(ctx, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
}

bool isNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }
bool isExact(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_INTEGER; }

// A Currency expression's value as a plain number.
double unitsOf(sqlite3_value* v)
{
    return isExact(v) ? double(sqlite3_value_int64(v)) / double(kCurrencyUnit) : sqlite3_value_double(v);
}

void resultCurrency(sqlite3_context* ctx, const std::optional<qint64>& value)
{
    if (value)
        sqlite3_result_int64(ctx, *value);
    else
        resultError(ctx, "Overflow");
}

// Any value made Currency, as CCur makes it.
void convert(sqlite3_context* ctx, sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return resultCurrency(ctx, CurrencyFromWhole(sqlite3_value_int64(v)));
    case SQLITE_FLOAT: return resultCurrency(ctx, CurrencyFromNumber(sqlite3_value_double(v)));
    case SQLITE_TEXT: {
        const QString text = TextFromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
        if (!AccessNumberOf(text))
            return resultError(ctx, "Type mismatch");
        return resultCurrency(ctx, CurrencyFromText(text));
    }
    default: return resultError(ctx, "Type mismatch");
    }
}

void currencyOfFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(ctx);
    convert(ctx, argv[0]);
}

void unitsFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isExact(argv[0]))
        sqlite3_result_double(ctx, unitsOf(argv[0]));
    else
        sqlite3_result_value(ctx, argv[0]);
}

// a + b, a - b, a * n (a whole number) and a * b of Currency values; null in, null out.
template <int Operation>
void arithmeticFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1]))
        return sqlite3_result_null(ctx);
    if (!isExact(argv[0]) || !isExact(argv[1])) {
        const double a = unitsOf(argv[0]);
        const double b = Operation == 2 ? sqlite3_value_double(argv[1]) : unitsOf(argv[1]);
        return sqlite3_result_double(ctx, Operation == 0 ? a + b : Operation == 1 ? a - b : a * b);
    }
    const Wide a = sqlite3_value_int64(argv[0]), b = sqlite3_value_int64(argv[1]);
    switch (Operation) {
    case 0: return resultCurrency(ctx, fitting(a + b));
    case 1: return resultCurrency(ctx, fitting(a - b));
    case 2: return resultCurrency(ctx, fitting(a * b));
    default: return resultCurrency(ctx, CurrencyProduct(qint64(a), qint64(b)));
    }
}

// Avg of Currency values: the exact sum over the count, rounded to ten-thousandths. SQLite's
// aggregate memory is aligned for eight bytes only, so the wide sum is copied in and out.
struct AverageState {
    unsigned char sum[sizeof(Wide)];
    qint64 count;
    double plainSum;
    bool plain;  // a plain number was among the values
};

Wide sumOf(const AverageState& state)
{
    Wide sum;
    std::memcpy(&sum, state.sum, sizeof sum);
    return sum;
}

void averageStep(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    auto* state = static_cast<AverageState*>(sqlite3_aggregate_context(ctx, sizeof(AverageState)));
    if (!state || isNull(argv[0]))
        return;
    if (isExact(argv[0])) {
        const Wide sum = sumOf(*state) + sqlite3_value_int64(argv[0]);
        std::memcpy(state->sum, &sum, sizeof sum);
    } else {
        state->plain = true;
    }
    state->plainSum += unitsOf(argv[0]);
    ++state->count;
}

void averageFinal(sqlite3_context* ctx)
{
    auto* state = static_cast<AverageState*>(sqlite3_aggregate_context(ctx, 0));
    if (!state || state->count == 0)
        return sqlite3_result_null(ctx);
    if (state->plain)
        return sqlite3_result_double(ctx, state->plainSum / double(state->count));
    resultCurrency(ctx, fitting(roundedQuotient(sumOf(*state), state->count)));
}

void roundFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(ctx);
    const sqlite3_int64 decimals = argc > 1 ? sqlite3_value_int64(argv[1]) : 0;
    if (decimals < 0 || decimals > 15)
        return resultError(ctx, "Invalid procedure call or argument");
    if (!isExact(argv[0]))
        return sqlite3_result_double(ctx, AccessRound(unitsOf(argv[0]), int(decimals)));
    resultCurrency(ctx, CurrencyRound(sqlite3_value_int64(argv[0]), int(decimals)));
}

// Int rounds down to a whole unit, Fix toward zero.
template <bool Down>
void wholePartFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(ctx);
    if (!isExact(argv[0])) {
        const double v = unitsOf(argv[0]);
        return sqlite3_result_double(ctx, Down ? std::floor(v) : std::trunc(v));
    }
    const qint64 v = sqlite3_value_int64(argv[0]);
    qint64 whole = v / kCurrencyUnit;
    if (Down && v % kCurrencyUnit < 0)
        --whole;
    sqlite3_result_int64(ctx, whole * kCurrencyUnit);
}

void cstrFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return resultError(ctx, "Invalid use of Null");
    if (!isExact(argv[0]))
        return resultText(ctx, AccessNumberText(unitsOf(argv[0])));
    resultText(ctx, CurrencyText(sqlite3_value_int64(argv[0])));
}

void formatFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(ctx);
    const QVariant value = isExact(argv[0]) ? QVariant::fromValue(AccessCurrency{sqlite3_value_int64(argv[0])})
                                            : QVariant(unitsOf(argv[0]));
    const QString format = argc > 1 && !isNull(argv[1])
        ? TextFromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[1])), sqlite3_value_bytes(argv[1]))
        : QString();
    QString error;
    const std::optional<QString> text = AccessFormat(value, format, error);
    if (!text) {
        const QByteArray message = error.toUtf8();
        return sqlite3_result_error(ctx, message.constData(), int(message.size()));
    }
    resultText(ctx, *text);
}

}  // namespace

void CurrencyConversionFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return resultError(ctx, "Invalid use of Null");
    convert(ctx, argv[0]);
}

void RegisterCurrencyFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    const struct {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    } functions[] = {
        {"jet_cy_of", 1, currencyOfFunction},       {"jet_cy_units", 1, unitsFunction},
        {"jet_cy_add", 2, arithmeticFunction<0>},   {"jet_cy_sub", 2, arithmeticFunction<1>},
        {"jet_cy_mul", 2, arithmeticFunction<2>},   {"jet_cy_product", 2, arithmeticFunction<3>},
        {"jet_cy_round", 1, roundFunction},         {"jet_cy_round", 2, roundFunction},
        {"jet_cy_int", 1, wholePartFunction<true>}, {"jet_cy_fix", 1, wholePartFunction<false>},
        {"jet_cy_cstr", 1, cstrFunction},           {"jet_cy_format", 1, formatFunction},
        {"jet_cy_format", 2, formatFunction},
    };
    for (const auto& f : functions)
        sqlite3_create_function_v2(db, f.name, f.arguments, flags, nullptr, f.call, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_cy_avg", 1, flags, nullptr, nullptr, averageStep, averageFinal, nullptr);
}
