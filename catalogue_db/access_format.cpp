#include "access_format.h"

#include "access_currency.h"
#include "access_values.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

// A number to format: a double, or a Currency value whose digits are known exactly (in
// ten-thousandths, times 100 after a percent sign).
struct Amount {
    double value;
    std::optional<__int128> exact;
    int exactDecimals = 4;

    Amount percent() const { return {value * 100, exact, exact ? exactDecimals - 2 : exactDecimals}; }
};

std::optional<Amount> amountOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<AccessCurrency>()) {
        const qint64 t = value.value<AccessCurrency>().tenThousandths;
        return Amount{double(t) / double(kCurrencyUnit), __int128(t)};
    }
    if (const std::optional<double> number = AccessNumberOf(value))
        return Amount{*number, std::nullopt};
    return std::nullopt;
}

// Digits of an exact amount (`scaled` with `scale` decimals) with `decimals` places, a half rounded
// away from zero.
QString exactDigits(__int128 scaled, int scale, int decimals)
{
    __int128 magnitude = scaled < 0 ? -scaled : scaled;
    if (scale > decimals) {
        __int128 divisor = 1;
        for (int k = decimals; k < scale; ++k)
            divisor *= 10;
        const __int128 remainder = magnitude % divisor;
        magnitude = magnitude / divisor + (remainder * 2 >= divisor ? 1 : 0);
        scale = decimals;
    }
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude > 0);
    for (; scale < decimals; ++scale)
        digits += u'0';
    if (decimals == 0)
        return digits;
    digits = digits.rightJustified(decimals + 1, u'0');
    return digits.left(digits.size() - decimals) + u'.' + digits.right(decimals);
}

// Digits of |value| with `decimals` places, a half rounded away from zero as Format does.
QString fixedDigits(const Amount& amount, int decimals)
{
    if (amount.exact)
        return exactDigits(*amount.exact, amount.exactDecimals, decimals);
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::fabs(amount.value) * scale * (1 + 1e-15)) / scale;
    return QString::number(rounded, 'f', decimals);
}

QString grouped(const QString& digits)
{
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

QString withSign(double value, const QString& text)
{
    const bool zero = text.indexOf(QRegularExpression(QStringLiteral("[1-9]"))) < 0;
    return value < 0 && !zero ? u'-' + text : text;
}

// `value` as given (a Currency value keeps its exact digits); `plain` the same as a plain value.
std::optional<QString> namedFormat(const QVariant& value, const QVariant& plain, const QString& name)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QString key = name.toLower();
    static const QStringList numberNames = {QStringLiteral("general number"), QStringLiteral("fixed"),
                                            QStringLiteral("standard"), QStringLiteral("percent"),
                                            QStringLiteral("currency")};
    static const QStringList truthNames = {QStringLiteral("yes/no"), QStringLiteral("true/false"),
                                           QStringLiteral("on/off")};
    static const QStringList dateNames = {QStringLiteral("general date"), QStringLiteral("short date"),
                                          QStringLiteral("long date"), QStringLiteral("short time"),
                                          QStringLiteral("long time")};
    if (numberNames.contains(key) || truthNames.contains(key)) {
        const std::optional<Amount> number = amountOf(value);
        if (!number)
            return plain.toString();
        const double v = number->value;
        const auto groupedDigits = [&number] {
            const QString digits = fixedDigits(*number, 2);
            return grouped(digits.left(digits.size() - 3)) + digits.right(3);
        };
        switch (numberNames.indexOf(key)) {
        case 0: return number->exact ? CurrencyText(qint64(*number->exact)) : AccessNumberText(v);
        case 1: return withSign(v, fixedDigits(*number, 2));
        case 2: return withSign(v, groupedDigits());
        case 3: return withSign(v, fixedDigits(number->percent(), 2)) + u'%';
        case 4: {
            // US English: a dollar sign, and a negative amount in parentheses.
            const QString text = u'$' + groupedDigits();
            return withSign(v, text).startsWith(u'-') ? u'(' + text + u')' : text;
        }
        default: break;
        }
        const QStringList words = name.split(u'/');
        return v != 0 ? words[0] : words[1];
    }
    const int dateKind = dateNames.indexOf(key);
    if (dateKind < 0)
        return std::nullopt;
    const std::optional<QDateTime> date = AccessDateOf(plain);
    if (!date)
        return plain.toString();
    switch (dateKind) {
    case 0:
        return date->time() == QTime(0, 0) ? us.toString(date->date(), QStringLiteral("M/d/yyyy"))
                                           : us.toString(*date, QStringLiteral("M/d/yyyy h:mm:ss AP"));
    case 1: return us.toString(date->date(), QStringLiteral("M/d/yyyy"));
    case 2: return us.toString(date->date(), QStringLiteral("dddd, MMMM d, yyyy"));
    case 3: return us.toString(date->time(), QStringLiteral("HH:mm"));
    default: return us.toString(date->time(), QStringLiteral("h:mm:ss AP"));
    }
}

// Splits a custom format into placeholder runs and literal texts ("quoted", \x, or a separator).
struct Piece {
    QString text;
    bool literal;
};

std::optional<QList<Piece>> pieces(const QString& format, const QString& placeholders, const QString& separators,
                                   bool dates)
{
    QList<Piece> out;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') {
            const int close = format.indexOf(u'"', i + 1);
            if (close < 0)
                return std::nullopt;
            out.append({format.mid(i + 1, close - i - 1), true});
            i = close;
        } else if (c == u'\\' && i + 1 < format.size()) {
            out.append({QString(format[++i]), true});
        } else if (dates &&
                   (format.mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0 ||
                    format.mid(i, 3).compare(u"a/p", Qt::CaseInsensitive) == 0)) {
            const int length = format[i + 1] == u'/' ? 3 : 5;
            out.append({format.mid(i, length), false});
            i += length - 1;
        } else if (separators.contains(c)) {
            out.append({QString(c), true});
        } else if (placeholders.contains(c, Qt::CaseInsensitive)) {
            if (!out.isEmpty() && !out.last().literal && out.last().text.back().toLower() == c.toLower())
                out.last().text += c;
            else
                out.append({QString(c), false});
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::optional<QString> customNumber(const Amount& value, const QString& format)
{
    const std::optional<QList<Piece>> parts = pieces(format, QStringLiteral("0#.,%"), QStringLiteral(" -+$()"), false);
    if (!parts)
        return std::nullopt;
    QString prefix, suffix, mask;
    for (const Piece& p : *parts) {
        if (!p.literal)
            mask += p.text;
        (mask.isEmpty() ? prefix : suffix) += p.literal ? p.text : QString();
    }
    const bool percent = mask.contains(u'%');
    mask.remove(u'%');
    const int point = mask.indexOf(u'.');
    const QString whole = point < 0 ? mask : mask.left(point);
    const QString fraction = point < 0 ? QString() : mask.mid(point + 1);
    if (fraction.contains(u',') || mask.count(u'.') > 1)
        return std::nullopt;
    const Amount amount = percent ? value.percent() : value;
    const double v = amount.value;
    const QString digits = fixedDigits(amount, int(fraction.size()));
    QString integer = point < 0 ? digits : digits.left(digits.indexOf(u'.'));
    QString decimals = digits.mid(integer.size() + 1);
    const int minimumWhole = int(whole.count(u'0'));
    if (integer == QStringLiteral("0") && minimumWhole == 0)
        integer.clear();
    integer = integer.rightJustified(minimumWhole, u'0');
    while (decimals.size() > fraction.count(u'0') && decimals.endsWith(u'0'))
        decimals.chop(1);
    if (whole.contains(u','))
        integer = grouped(integer);
    QString text = integer + (point < 0 ? QString() : u'.' + decimals);
    return prefix + withSign(v, text) + (percent ? QStringLiteral("%") : QString()) + suffix;
}

std::optional<QString> customDate(const QDateTime& moment, const QString& format)
{
    const std::optional<QList<Piece>> parts = pieces(format, QStringLiteral("ymdhns"), QStringLiteral(" /:-.,"), true);
    if (!parts)
        return std::nullopt;
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDate date = moment.date();
    const QTime time = moment.time();
    bool twelveHours = false;
    for (const Piece& p : *parts)
        twelveHours = twelveHours || (!p.literal && p.text.contains(u'/'));
    QString out;
    QString previous;
    for (int k = 0; k < parts->size(); ++k) {
        const Piece& p = (*parts)[k];
        if (p.literal) {
            out += p.text;
            continue;
        }
        const QString t = p.text.toLower();
        const int hour = twelveHours ? (time.hour() + 11) % 12 + 1 : time.hour();
        if (t == u"yyyy")
            out += QString::number(date.year()).rightJustified(4, u'0');
        else if (t == u"yy")
            out += QString::number(date.year() % 100).rightJustified(2, u'0');
        else if ((t == u"m" || t == u"mm") && previous.startsWith(u'h'))  // after an hour, m is the minute
            out += QString::number(time.minute()).rightJustified(t.size(), u'0');
        else if (t == u"m" || t == u"mm")
            out += QString::number(date.month()).rightJustified(t.size(), u'0');
        else if (t == u"mmm" || t == u"mmmm")
            out += us.monthName(date.month(), t.size() == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        else if (t == u"d" || t == u"dd")
            out += QString::number(date.day()).rightJustified(t.size(), u'0');
        else if (t == u"ddd" || t == u"dddd")
            out += us.dayName(date.dayOfWeek(), t.size() == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        else if (t == u"h" || t == u"hh")
            out += QString::number(hour).rightJustified(t.size(), u'0');
        else if (t == u"n" || t == u"nn")
            out += QString::number(time.minute()).rightJustified(t.size(), u'0');
        else if (t == u"s" || t == u"ss")
            out += QString::number(time.second()).rightJustified(t.size(), u'0');
        else if (t == u"am/pm" || t == u"a/p") {
            const QString half = p.text.section(u'/', time.hour() < 12 ? 0 : 1, time.hour() < 12 ? 0 : 1);
            out += half;
        } else {
            return std::nullopt;
        }
        previous = t;
    }
    return out;
}

bool isDateFormat(const QString& format)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && QStringLiteral("ymdhns").contains(c.toLower()))
            return true;
    }
    return false;
}

}  // namespace

std::optional<QString> AccessFormat(const QVariant& value, const QString& format, QString& error)
{
    const bool currency = value.metaType() == QMetaType::fromType<AccessCurrency>();
    const QVariant plain =
        currency ? QVariant(double(value.value<AccessCurrency>().tenThousandths) / double(kCurrencyUnit)) : value;
    if (format.isEmpty()) {
        if (currency)
            return CurrencyText(value.value<AccessCurrency>().tenThousandths);
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong)
            return AccessNumberText(value.toDouble());
        return value.toString();
    }
    if (std::optional<QString> named = namedFormat(value, plain, format))
        return named;
    // A format is refused whatever the value; a value it does not fit is shown as it is.
    const bool dates = isDateFormat(format);
    std::optional<QString> text =
        dates ? customDate(QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC), format) : customNumber({0, {}}, format);
    if (text) {
        const std::optional<QDateTime> date = dates ? AccessDateOf(plain) : std::nullopt;
        const std::optional<Amount> number = dates ? std::nullopt : amountOf(value);
        if (!date && !number)
            return plain.toString();
        text = dates ? customDate(*date, format) : customNumber(*number, format);
    }
    if (!text)
        error = QStringLiteral("The format '%1' is not supported; use a named format or the characters "
                               "0 # . , % for numbers and yyyy yy mm m dd d hh h nn ss am/pm for dates.")
                    .arg(format);
    return text;
}
