#include "access_functions.h"

#include "access_currency.h"
#include "access_format.h"
#include "access_values.h"
#include "jet_text.h"

#include <QDateTime>
#include <QVariant>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

QVariant valueOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_value_int64(v)));
    case SQLITE_FLOAT: return QVariant(sqlite3_value_double(v));
    case SQLITE_NULL: return QVariant();
    default: return TextFromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    }
}

QString textOf(sqlite3_value* v)
{
    const QVariant value = valueOf(v);
    if (value.typeId() == QMetaType::Double)
        return AccessNumberText(value.toDouble());
    return value.toString();
}

bool isNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

void resultText(sqlite3_context* ctx, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text64(ctx, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void resultError(sqlite3_context* ctx, const QString& message)
{
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), int(utf8.size()));
}

std::optional<double> numberOf(sqlite3_value* v) { return AccessNumberOf(valueOf(v)); }

std::optional<QDateTime> dateOf(sqlite3_value* v) { return AccessDateOf(valueOf(v)); }

// Functions of one argument that give null for null.
#define NULL_IN_NULL_OUT(ctx, argv)                                                                                    \
    if (isNull(argv[0])) {                                                                                             \
        sqlite3_result_null(ctx);                                                                                      \
        return;                                                                                                        \
    }

// Left and Right: the first or last characters of a text.
template <bool FromEnd>
void endFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    const qint64 length = sqlite3_value_int64(argv[1]);
    if (length < 0)
        return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
    const QString text = textOf(argv[0]);
    const qsizetype count = qsizetype(std::min<qint64>(length, text.size()));
    resultText(ctx, FromEnd ? text.right(count) : text.left(count));
}

// UCase and LCase change letters of every alphabet.
void upperFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    resultText(ctx, textOf(argv[0]).toUpper());
}

void lowerFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    resultText(ctx, textOf(argv[0]).toLower());
}

// Nz(value[, instead]): the value, or `instead` (an empty text when not given) for null.
void nzFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (!isNull(argv[0]))
        sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, argv[1]);
    else
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void resultNumber(sqlite3_context* ctx, double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 9.0e15)
        sqlite3_result_int64(ctx, sqlite3_int64(value));
    else
        sqlite3_result_double(ctx, value);
}

// Val: the number at the start of a text (&H1F and &O17 in hexadecimal and octal), blanks
// ignored; 0 when there is none.
void valFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return resultError(ctx, QStringLiteral("Invalid use of Null"));
    QString text = textOf(argv[0]);
    text.remove(u' ').remove(u'\t').remove(u'\n').remove(u'\r');
    if (text.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive) ||
        text.startsWith(QStringLiteral("&O"), Qt::CaseInsensitive)) {
        const bool hex = text[1].toLower() == u'h';
        const QString digits = hex ? QStringLiteral("0123456789abcdef") : QStringLiteral("01234567");
        qsizetype end = 2;
        while (end < text.size() && end < 18 && digits.contains(text[end].toLower()))
            ++end;
        return resultNumber(ctx, double(text.mid(2, end - 2).toLongLong(nullptr, hex ? 16 : 8)));
    }
    const qsizetype sign = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    const qsizetype end = sign + AccessNumberLength(QStringView(text).mid(sign));
    bool ok = false;
    const double number = text.left(end).toDouble(&ok);
    resultNumber(ctx, ok && std::isfinite(number) ? number : 0);
}

void cstrFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return resultError(ctx, QStringLiteral("Invalid use of Null"));
    resultText(ctx, textOf(argv[0]));
}

// CInt and CLng round a half to the even neighbour and refuse numbers outside their range.
template <qint64 Low, qint64 High>
void wholeNumberFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return resultError(ctx, QStringLiteral("Invalid use of Null"));
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return resultError(ctx, QStringLiteral("Type mismatch"));
    const double rounded = AccessRound(*number, 0);
    if (!(rounded >= double(Low) && rounded <= double(High)))
        return resultError(ctx, QStringLiteral("Overflow"));
    sqlite3_result_int64(ctx, sqlite3_int64(rounded));
}

void cdblFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return resultError(ctx, QStringLiteral("Invalid use of Null"));
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return resultError(ctx, QStringLiteral("Type mismatch"));
    sqlite3_result_double(ctx, *number);
}

// Int rounds down, Fix toward zero; a whole number keeps its integer type.
template <double (*Round)(double)>
void integerPartFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
        return sqlite3_result_value(ctx, argv[0]);
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return resultError(ctx, QStringLiteral("Type mismatch"));
    resultNumber(ctx, Round(*number));
}

double floorOf(double x) { return std::floor(x); }
double truncOf(double x) { return std::trunc(x); }

void roundFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return resultError(ctx, QStringLiteral("Type mismatch"));
    const sqlite3_int64 decimals = argc > 1 ? sqlite3_value_int64(argv[1]) : 0;
    if (decimals < 0 || decimals > 15)
        return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
    const double rounded = AccessRound(*number, int(decimals));
    if (decimals == 0 || sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
        resultNumber(ctx, rounded);
    else
        sqlite3_result_double(ctx, rounded);
}

void formatFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    QString error;
    const std::optional<QString> text = AccessFormat(valueOf(argv[0]), argc > 1 ? textOf(argv[1]) : QString(), error);
    if (!text)
        return resultError(ctx, error);
    resultText(ctx, *text);
}

// Replace(text, find, with[, start[, count[, compare]]]): compare 1 ignores case.
void replaceFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    const QString text = textOf(argv[0]);
    const QString find = textOf(argv[1]);
    const QString with = textOf(argv[2]);
    const qint64 start = argc > 3 ? sqlite3_value_int64(argv[3]) : 1;
    const qint64 count = argc > 4 ? sqlite3_value_int64(argv[4]) : -1;
    const Qt::CaseSensitivity cs =
        argc > 5 && sqlite3_value_int64(argv[5]) == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (start < 1 || count < -1)
        return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
    // As in Access, the result begins at `start`.
    QString out = text.mid(qsizetype(std::min<qint64>(start - 1, text.size())));
    if (find.isEmpty())
        return resultText(ctx, out);
    qint64 done = 0;
    for (qsizetype at = 0; count < 0 || done < count; ++done) {
        at = out.indexOf(find, at, cs);
        if (at < 0)
            break;
        out.replace(at, find.size(), with);
        at += with.size();
    }
    resultText(ctx, out);
}

// The compare argument of InStr, InStrRev and StrComp: 0 compares binary, 1 (and 2, the
// database's order) as text, ignoring case; text when it is not given, as in Access queries.
// None after reporting an error.
std::optional<bool> comparesText(sqlite3_context* ctx, int argc, sqlite3_value** argv, int at)
{
    if (argc <= at)
        return true;
    if (isNull(argv[at])) {
        resultError(ctx, QStringLiteral("Invalid use of Null"));
        return std::nullopt;
    }
    const std::optional<double> compare = numberOf(argv[at]);
    if (!compare || (*compare != 0 && *compare != 1 && *compare != 2)) {
        resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
        return std::nullopt;
    }
    return *compare != 0;
}

// A start position of InStr or InStrRev; none after reporting an error.
std::optional<qint64> startOf(sqlite3_context* ctx, sqlite3_value* v)
{
    if (isNull(v)) {
        resultError(ctx, QStringLiteral("Invalid use of Null"));
        return std::nullopt;
    }
    const std::optional<double> start = numberOf(v);
    if (!start) {
        resultError(ctx, QStringLiteral("Type mismatch"));
        return std::nullopt;
    }
    if (std::fabs(*start) > 2147483647.0) {
        resultError(ctx, QStringLiteral("Overflow"));
        return std::nullopt;
    }
    return qint64(AccessRound(*start, 0));
}

// InStr([start, ]text, find[, compare]): where `find` first occurs in `text` from `start` on,
// counting from 1; 0 when it does not.
void instrFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const int first = argc > 2 ? 1 : 0;
    qint64 start = 1;
    if (argc > 2) {
        const std::optional<qint64> given = startOf(ctx, argv[0]);
        if (!given)
            return;
        if (*given < 1)
            return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
        start = *given;
    }
    const std::optional<bool> text = comparesText(ctx, argc, argv, 3);
    if (!text)
        return;
    if (isNull(argv[first]) || isNull(argv[first + 1]))
        return sqlite3_result_null(ctx);
    const QString within = textOf(argv[first]);
    const QString find = textOf(argv[first + 1]);
    if (start > within.size())
        return sqlite3_result_int(ctx, 0);
    if (find.isEmpty())
        return sqlite3_result_int64(ctx, start);
    const qsizetype at = within.indexOf(find, qsizetype(start - 1), *text ? Qt::CaseInsensitive : Qt::CaseSensitive);
    sqlite3_result_int64(ctx, at + 1);
}

// InStrRev(text, find[, start[, compare]]): where `find` last occurs in `text` ending at or
// before `start` (-1, the default, for the end), counting from 1; 0 when it does not.
void instrRevFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    qint64 start = -1;
    if (argc > 2) {
        const std::optional<qint64> given = startOf(ctx, argv[2]);
        if (!given)
            return;
        if (*given == 0 || *given < -1)
            return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
        start = *given;
    }
    const std::optional<bool> text = comparesText(ctx, argc, argv, 3);
    if (!text)
        return;
    if (isNull(argv[0]) || isNull(argv[1]))
        return sqlite3_result_null(ctx);
    const QString within = textOf(argv[0]);
    const QString find = textOf(argv[1]);
    if (start == -1)
        start = within.size();
    if (within.isEmpty() || start > within.size())
        return sqlite3_result_int(ctx, 0);
    if (find.isEmpty())
        return sqlite3_result_int64(ctx, start);
    const qint64 lastStart = start - find.size();
    if (lastStart < 0)
        return sqlite3_result_int(ctx, 0);
    const qsizetype at =
        within.lastIndexOf(find, qsizetype(lastStart), *text ? Qt::CaseInsensitive : Qt::CaseSensitive);
    sqlite3_result_int64(ctx, at + 1);
}

// StrComp(a, b[, compare]): -1, 0 or 1; as text (case ignored, in the order of the connection's
// text comparisons) unless compare is 0.
void strcompFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const std::optional<bool> text = comparesText(ctx, argc, argv, 2);
    if (!text)
        return;
    if (isNull(argv[0]) || isNull(argv[1]))
        return sqlite3_result_null(ctx);
    int order = 0;
    if (*text) {
        const QByteArray a = textOf(argv[0]).toUtf8(), b = textOf(argv[1]).toUtf8();
        order = JetCompareText(a.constData(), std::size_t(a.size()), b.constData(), std::size_t(b.size()));
    } else {
        order = QString::compare(textOf(argv[0]), textOf(argv[1]), Qt::CaseSensitive);
    }
    sqlite3_result_int(ctx, order < 0 ? -1 : order > 0 ? 1 : 0);
}

// Year, Month and Day of a date.
template <int Part>
void datePartFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    NULL_IN_NULL_OUT(ctx, argv)
    const std::optional<QDateTime> date = dateOf(argv[0]);
    if (!date)
        return resultError(ctx, QStringLiteral("Type mismatch"));
    const QDate d = date->date();
    sqlite3_result_int(ctx, Part == 0 ? d.year() : Part == 1 ? d.month() : d.day());
}

void dateFunction(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, AccessDateText(QDateTime(QDate::currentDate(), QTime(0, 0), Qt::UTC)));
}

void nowFunction(sqlite3_context* ctx, int, sqlite3_value**)
{
    const QDateTime now = QDateTime::currentDateTime();
    resultText(ctx,
               AccessDateText(
                   QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC)));
}

// DateSerial(year, month, day): a month or day out of range carries into the next unit.
void dateSerialFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    for (int k = 0; k < 3; ++k)
        if (isNull(argv[k]))
            return sqlite3_result_null(ctx);
    qint64 year = sqlite3_value_int64(argv[0]);
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    const qint64 month = sqlite3_value_int64(argv[1]);
    const qint64 day = sqlite3_value_int64(argv[2]);
    if (year < 100 || year > 9999 || std::llabs(month) > 120000 || std::llabs(day) > 3660000)
        return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
    const QDate date = QDate(int(year), 1, 1).addMonths(int(month - 1)).addDays(day - 1);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
    resultText(ctx, AccessDateText(QDateTime(date, QTime(0, 0), Qt::UTC)));
}

enum class Interval { Year, Quarter, Month, Day, Weekday, Week, Hour, Minute, Second, None };

Interval intervalOf(sqlite3_value* v)
{
    const QString name = textOf(v).trimmed().toLower();
    static const char* const names[] = {"yyyy", "q", "m", "d", "w", "ww", "h", "n", "s"};
    for (int k = 0; k < 9; ++k)
        if (name == QLatin1String(names[k]))
            return Interval(k);
    if (name == u"y")  // day of the year: counts in days
        return Interval::Day;
    return Interval::None;
}

bool inRange(const QDateTime& moment)
{
    return moment.isValid() && moment.date().year() >= 100 && moment.date().year() <= 9999;
}

// The interval of DateAdd and DateDiff; none after giving null (a null operand) or an error.
std::optional<Interval> readInterval(sqlite3_context* ctx, sqlite3_value** argv)
{
    if (isNull(argv[1]) || isNull(argv[2])) {
        sqlite3_result_null(ctx);
        return std::nullopt;
    }
    const Interval interval = intervalOf(argv[0]);
    if (interval == Interval::None) {
        resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
        return std::nullopt;
    }
    return interval;
}

void dateAddFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const std::optional<Interval> interval = readInterval(ctx, argv);
    if (!interval)
        return;
    const std::optional<QDateTime> date = dateOf(argv[2]);
    const std::optional<double> amount = numberOf(argv[1]);
    if (!date || !amount)
        return resultError(ctx, QStringLiteral("Type mismatch"));
    if (std::fabs(*amount) > 4.0e9)
        return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
    const qint64 n = qint64(std::trunc(*amount));
    QDateTime result;
    switch (*interval) {
    case Interval::Year: result = date->addYears(int(std::clamp<qint64>(n, -20000, 20000))); break;
    case Interval::Quarter: result = date->addMonths(int(std::clamp<qint64>(n * 3, -240000, 240000))); break;
    case Interval::Month: result = date->addMonths(int(std::clamp<qint64>(n, -240000, 240000))); break;
    case Interval::Day:
    case Interval::Weekday: result = date->addDays(n); break;
    case Interval::Week: result = date->addDays(n * 7); break;
    case Interval::Hour: result = date->addSecs(n * 3600); break;
    case Interval::Minute: result = date->addSecs(n * 60); break;
    default: result = date->addSecs(n); break;
    }
    if (!inRange(result))
        return resultError(ctx, QStringLiteral("Invalid procedure call or argument"));
    resultText(ctx, AccessDateText(result));
}

// Seconds from 30 Dec 1899 as a local clock shows them, with no time zone or daylight saving.
qint64 clockSeconds(const QDateTime& moment)
{
    return QDate(1899, 12, 30).daysTo(moment.date()) * 86400 + moment.time().msecsSinceStartOfDay() / 1000;
}

qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// DateDiff counts the boundaries of the interval crossed from the first date to the second.
void dateDiffFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const std::optional<Interval> interval = readInterval(ctx, argv);
    if (!interval)
        return;
    const std::optional<QDateTime> from = dateOf(argv[1]);
    const std::optional<QDateTime> to = dateOf(argv[2]);
    if (!from || !to)
        return resultError(ctx, QStringLiteral("Type mismatch"));
    const QDate a = from->date(), b = to->date();
    const qint64 days = a.daysTo(b);
    qint64 result = 0;
    switch (*interval) {
    case Interval::Year: result = b.year() - a.year(); break;
    case Interval::Quarter: result = (b.year() * 4 + (b.month() - 1) / 3) - (a.year() * 4 + (a.month() - 1) / 3); break;
    case Interval::Month: result = (b.year() * 12 + b.month()) - (a.year() * 12 + a.month()); break;
    case Interval::Day: result = days; break;
    case Interval::Weekday: result = days / 7; break;
    case Interval::Week:  // Sundays crossed
        result = floorDiv(QDate(1899, 12, 31).daysTo(b), 7) - floorDiv(QDate(1899, 12, 31).daysTo(a), 7);
        break;
    case Interval::Hour: result = floorDiv(clockSeconds(*to), 3600) - floorDiv(clockSeconds(*from), 3600); break;
    case Interval::Minute: result = floorDiv(clockSeconds(*to), 60) - floorDiv(clockSeconds(*from), 60); break;
    default: result = clockSeconds(*to) - clockSeconds(*from); break;
    }
    sqlite3_result_int64(ctx, result);
}

}  // namespace

// Every function of Access queries. Those without an implementation become SQLite's own function
// of the same meaning; IsNull becomes an IS NULL test.
const std::vector<AccessFunction>& AccessFunctions()
{
    static const std::vector<AccessFunction> functions = {
        // Conditions and aggregates: SQLite's own. Those marked with a Currency form keep Currency
        // values exact (SQLite's sum of integers is exact and reports an overflow).
        {"IIf", "iif", 3, 3, ValueKind::Unknown, nullptr, true, "iif"},
        {"Count", "count", 1, 1, ValueKind::Integer, nullptr, true, "count", ValueKind::Integer},
        {"Sum", "sum", 1, 1, ValueKind::Number, nullptr, true, "sum"},
        {"Avg", "avg", 1, 1, ValueKind::Number, nullptr, true, "jet_cy_avg"},
        {"Min", "min", 1, 1, ValueKind::Unknown, nullptr, true, "min"},
        {"Max", "max", 1, 1, ValueKind::Unknown, nullptr, true, "max"},
        {"Abs", "abs", 1, 1, ValueKind::Number, nullptr, true, "abs"},
        // Texts: SQLite's own where it counts and cuts characters as Access does.
        {"Len", "length", 1, 1, ValueKind::Integer, nullptr, true},
        {"Chr", "char", 1, 1, ValueKind::Text, nullptr, true},
        {"ChrW", "char", 1, 1, ValueKind::Text, nullptr, true},
        {"Asc", "unicode", 1, 1, ValueKind::Integer, nullptr, true},
        {"Mid", "substr", 2, 3, ValueKind::Text, nullptr, true},
        {"InStr", "jet_instr", 2, 4, ValueKind::Integer, instrFunction, true},
        {"InStrRev", "jet_instrrev", 2, 4, ValueKind::Integer, instrRevFunction, true},
        {"Trim", "trim", 1, 1, ValueKind::Text, nullptr, true},
        {"LTrim", "ltrim", 1, 1, ValueKind::Text, nullptr, true},
        {"RTrim", "rtrim", 1, 1, ValueKind::Text, nullptr, true},
        {"Left", "jet_left", 2, 2, ValueKind::Text, endFunction<false>, true},
        {"Right", "jet_right", 2, 2, ValueKind::Text, endFunction<true>, true},
        {"UCase", "jet_ucase", 1, 1, ValueKind::Text, upperFunction, true},
        {"LCase", "jet_lcase", 1, 1, ValueKind::Text, lowerFunction, true},
        {"Replace", "jet_replace", 3, 6, ValueKind::Text, replaceFunction, true},
        {"StrComp", "jet_strcomp", 2, 3, ValueKind::Integer, strcompFunction, true},
        {"Format", "jet_format", 1, 2, ValueKind::Text, formatFunction, true, "jet_cy_format", ValueKind::Text},
        // Nulls.
        {"IsNull", nullptr, 1, 1, ValueKind::Number, nullptr, true},
        {"Nz", "jet_nz", 1, 2, ValueKind::Unknown, nzFunction, true, "jet_nz"},
        // Numbers and conversions.
        {"Val", "jet_val", 1, 1, ValueKind::Number, valFunction, true},
        {"CStr", "jet_cstr", 1, 1, ValueKind::Text, cstrFunction, true, "jet_cy_cstr", ValueKind::Text},
        {"CInt", "jet_cint", 1, 1, ValueKind::Integer, wholeNumberFunction<-32768, 32767>, true},
        {"CLng", "jet_clng", 1, 1, ValueKind::Integer, wholeNumberFunction<-2147483648LL, 2147483647LL>, true},
        {"CDbl", "jet_cdbl", 1, 1, ValueKind::Number, cdblFunction, true},
        {"CCur", "jet_ccur", 1, 1, ValueKind::Currency, CurrencyConversionFunction, true, ""},
        {"Int", "jet_int", 1, 1, ValueKind::Number, integerPartFunction<floorOf>, true, "jet_cy_int"},
        {"Fix", "jet_fix", 1, 1, ValueKind::Number, integerPartFunction<truncOf>, true, "jet_cy_fix"},
        {"Round", "jet_round", 1, 2, ValueKind::Number, roundFunction, true, "jet_cy_round"},
        // Dates; Date and Now change between calls.
        {"Year", "jet_year", 1, 1, ValueKind::Integer, datePartFunction<0>, true},
        {"Month", "jet_month", 1, 1, ValueKind::Integer, datePartFunction<1>, true},
        {"Day", "jet_day", 1, 1, ValueKind::Integer, datePartFunction<2>, true},
        {"Date", "jet_date", 0, 0, ValueKind::Text, dateFunction, false},
        {"Now", "jet_now", 0, 0, ValueKind::Text, nowFunction, false},
        {"DateSerial", "jet_dateserial", 3, 3, ValueKind::Text, dateSerialFunction, true},
        {"DateAdd", "jet_dateadd", 3, 3, ValueKind::Text, dateAddFunction, true},
        {"DateDiff", "jet_datediff", 3, 3, ValueKind::Integer, dateDiffFunction, true},
    };
    return functions;
}

ValueKind DeclaredKind(const char* declaredType)
{
    const QByteArray type = QByteArray(declaredType).toUpper();
    if (type == "CURRENCY" || type == "MONEY")
        return ValueKind::Currency;
    if (type.contains("INT"))
        return ValueKind::Integer;
    if (type.contains("REAL") || type.contains("FLOA") || type.contains("DOUB"))
        return ValueKind::Number;
    return ValueKind::Unknown;
}

const AccessFunction* FindAccessFunction(QStringView name)
{
    for (const AccessFunction& f : AccessFunctions())
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

void RegisterAccessFunctions(sqlite3* db)
{
    RegisterCurrencyFunctions(db);
    for (const AccessFunction& f : AccessFunctions())
        for (int arguments = f.fewest; f.call && arguments <= f.most; ++arguments)
            sqlite3_create_function_v2(db, f.sqlName, arguments,
                                       SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0), nullptr, f.call,
                                       nullptr, nullptr, nullptr);
}
