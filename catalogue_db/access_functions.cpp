#include "access_functions.h"

#include "access_format.h"
#include "access_values.h"

#include <QDateTime>
#include <QVariant>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <limits>

namespace {

QVariant valueOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_value_int64(v)));
    case SQLITE_FLOAT: return QVariant(sqlite3_value_double(v));
    case SQLITE_NULL: return QVariant();
    default:
        return TextFromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
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
#define NULL_IN_NULL_OUT(ctx, argv) \
    if (isNull(argv[0])) {          \
        sqlite3_result_null(ctx);   \
        return;                     \
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
    if (text.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive) || text.startsWith(QStringLiteral("&O"), Qt::CaseInsensitive)) {
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
    if (argc < 3 || argc > 6)
        return resultError(ctx, QStringLiteral("Wrong number of arguments used with function in query expression."));
    NULL_IN_NULL_OUT(ctx, argv)
    const QString text = textOf(argv[0]);
    const QString find = textOf(argv[1]);
    const QString with = textOf(argv[2]);
    const qint64 start = argc > 3 ? sqlite3_value_int64(argv[3]) : 1;
    const qint64 count = argc > 4 ? sqlite3_value_int64(argv[4]) : -1;
    const Qt::CaseSensitivity cs = argc > 5 && sqlite3_value_int64(argv[5]) == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
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

// StrComp(a, b[, compare]): -1, 0 or 1; case ignored unless compare is 0.
void strcompFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1]))
        return sqlite3_result_null(ctx);
    const Qt::CaseSensitivity cs = argc > 2 && sqlite3_value_int64(argv[2]) == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int order = QString::compare(textOf(argv[0]), textOf(argv[1]), cs);
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
    resultText(ctx, AccessDateText(QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC)));
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

struct Function {
    const char* name;
    int arguments;  // -1: any count, checked by the function
    void (*call)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic = true;
};

}  // namespace

void RegisterAccessFunctions(sqlite3* db)
{
    static const Function functions[] = {
        {"jet_left", 2, endFunction<false>},
        {"jet_right", 2, endFunction<true>},
        {"jet_ucase", 1, upperFunction},
        {"jet_lcase", 1, lowerFunction},
        {"jet_nz", 1, nzFunction},
        {"jet_nz", 2, nzFunction},
        {"jet_val", 1, valFunction},
        {"jet_cstr", 1, cstrFunction},
        {"jet_cint", 1, wholeNumberFunction<-32768, 32767>},
        {"jet_clng", 1, wholeNumberFunction<-2147483648LL, 2147483647LL>},
        {"jet_cdbl", 1, cdblFunction},
        {"jet_int", 1, integerPartFunction<floorOf>},
        {"jet_fix", 1, integerPartFunction<truncOf>},
        {"jet_round", 1, roundFunction},
        {"jet_round", 2, roundFunction},
        {"jet_format", 1, formatFunction},
        {"jet_format", 2, formatFunction},
        {"jet_replace", -1, replaceFunction},
        {"jet_strcomp", 2, strcompFunction},
        {"jet_strcomp", 3, strcompFunction},
        {"jet_year", 1, datePartFunction<0>},
        {"jet_month", 1, datePartFunction<1>},
        {"jet_day", 1, datePartFunction<2>},
        {"jet_date", 0, dateFunction, false},
        {"jet_now", 0, nowFunction, false},
        {"jet_dateserial", 3, dateSerialFunction},
        {"jet_dateadd", 3, dateAddFunction},
        {"jet_datediff", 3, dateDiffFunction},
    };
    for (const Function& f : functions)
        sqlite3_create_function_v2(db, f.name, f.arguments, SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0),
                                   nullptr, f.call, nullptr, nullptr, nullptr);
}
