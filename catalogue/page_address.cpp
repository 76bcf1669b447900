#include "page_address.h"

#include <limits>

QString FileNameOfUrl(const QString& url)
{
    for (qsizetype at = url.size() - 1; at >= 0; --at) {
        const QChar c = url.at(at);
        if (c == u'\\' || c == u':' || c == u'/')
            return url.mid(at + 1);
    }
    return url;
}

bool IsPageFileName(const QString& fileName)
{
    return fileName.size() > 8 && fileName.endsWith(QStringLiteral(".html"), Qt::CaseSensitive);
}

namespace {
int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}
}  // namespace

std::int32_t ReadIntegerPrefix(const QString& text)
{
    qsizetype at = 0;
    const qsizetype size = text.size();
    while (at < size && text.at(at) == u' ')
        ++at;
    bool negative = false;
    if (at < size && (text.at(at) == u'-' || text.at(at) == u'+')) {
        negative = text.at(at) == u'-';
        ++at;
    }
    int base = 10;
    if (at < size && (text.at(at) == u'$' || text.at(at) == u'x' || text.at(at) == u'X')) {
        base = 16;
        ++at;
    } else if (at + 1 < size && text.at(at) == u'0' && (text.at(at + 1) == u'x' || text.at(at + 1) == u'X')) {
        base = 16;
        at += 2;
    }
    // Accumulated in 64 bits and held at the end of the 32-bit range, so no input overflows.
    const std::int64_t limit =
        negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min()) : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; at < size; ++at) {
        const int digit = DigitValue(text.at(at), base);
        if (digit < 0)
            break;
        value = value * base + digit;
        if (value > limit)
            value = limit;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<CataloguePosition> PositionFromUrl(const QString& url)
{
    const QString name = FileNameOfUrl(url);
    if (!IsPageFileName(name))
        return std::nullopt;
    const CataloguePosition read{ReadIntegerPrefix(name.left(2)), ReadIntegerPrefix(name.mid(2, 3))};
    if (!IsKnownCategory(read.category) || read.position < 0)
        return std::nullopt;
    return read;
}
