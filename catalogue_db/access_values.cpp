#include "access_values.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <cstring>

QString TextFromUtf8(const char* bytes, qsizetype size)
{
    if (size < 3 || std::memcmp(bytes, "\xEF\xBB\xBF", 3) != 0)
        return QString::fromUtf8(bytes, size);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes, size));
}

QString AccessDateText(const QDateTime& moment) { return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

qsizetype AccessNumberLength(QStringView text)
{
    const auto digitAt = [&text](qsizetype at) { return at < text.size() && text[at] >= u'0' && text[at] <= u'9'; };
    qsizetype end = 0;
    while (digitAt(end))
        ++end;
    qsizetype mantissaDigits = end;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype point = ++end;
        while (digitAt(end))
            ++end;
        mantissaDigits += end - point;
    }
    if (mantissaDigits == 0)
        return 0;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        if (digitAt(exponent)) {
            end = exponent;
            while (digitAt(end))
                ++end;
        }
    }
    return end;
}

namespace {

// A text that is wholly a number, blanks around it and a sign allowed.
std::optional<double> readNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype sign = trimmed.startsWith(u'+') || trimmed.startsWith(u'-') ? 1 : 0;
    const qsizetype length = AccessNumberLength(QStringView(trimmed).mid(sign));
    if (length == 0 || sign + length != trimmed.size())
        return std::nullopt;
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

bool isNumber(const QVariant& value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong;
}

}  // namespace

std::optional<double> AccessNumberOf(const QVariant& value)
{
    if (isNumber(value))
        return value.toDouble();
    return readNumber(value.toString());
}

std::optional<QDateTime> AccessDateOf(const QVariant& value)
{
    if (isNumber(value))
        return AccessDateFromSerial(value.toDouble());
    return ReadAccessDate(value.toString());
}

QDateTime AccessDateFromSerial(double days)
{
    const QDateTime origin(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    const double whole = std::floor(days);
    const qint64 seconds = qint64(std::llround((days - whole) * 86400.0));
    return origin.addDays(qint64(whole)).addSecs(seconds);
}

namespace {

// "10:30", "10:30:15", "10:30 PM"; an invalid time when the text is none of these.
QTime readTime(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*(am|pm|a|p)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return QTime();
    int hour = m.captured(1).toInt();
    const QString half = m.captured(4).toLower();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return QTime();
        hour = hour % 12 + (half.startsWith(u'p') ? 12 : 0);
    }
    return QTime(hour, m.captured(2).toInt(), m.captured(3).toInt());
}

// Two-digit years as Access reads them: 00 to 29 in this century, 30 to 99 in the last.
int fullYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

}  // namespace

std::optional<QDateTime> ReadAccessDate(const QString& text)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[ T](.*))?$"));
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})(?:\\s+(.*))?$"));
    const QString trimmed = text.trimmed();
    QDate date;
    QString timePart;
    if (const QRegularExpressionMatch m = iso.match(trimmed); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        timePart = m.captured(4);
    } else if (const QRegularExpressionMatch u = us.match(trimmed); u.hasMatch()) {
        date = QDate(fullYear(u.captured(3)), u.captured(1).toInt(), u.captured(2).toInt());
        timePart = u.captured(4);
    } else if (const QTime time = readTime(trimmed); time.isValid()) {
        return QDateTime(QDate(1899, 12, 30), time, Qt::UTC);
    } else {
        const std::optional<double> days = readNumber(trimmed);
        if (days && std::fabs(*days) < 3000000)
            return AccessDateFromSerial(*days);
        return std::nullopt;
    }
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (!timePart.trimmed().isEmpty()) {
        time = readTime(timePart);
        if (!time.isValid())
            return std::nullopt;
    }
    return QDateTime(date, time, Qt::UTC);
}

QString AccessNumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    const int e = text.indexOf(u'e');
    if (e < 0)
        return text;
    text[e] = u'E';
    return text;
}

double AccessRound(double value, int decimals)
{
    if (!std::isfinite(value) || decimals > 15)
        return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    // A half within the precision of a double counts as a half (2.675 * 100 is 267.49999...).
    const double tolerance = std::max(1.0, std::fabs(scaled)) * 1e-12;
    if (std::fabs(fraction - 0.5) <= tolerance)
        whole += std::fmod(whole, 2.0) == 0 ? 0 : 1;
    else if (fraction > 0.5)
        whole += 1;
    return whole / scale;
}
