#include "query_limits.h"

#include <QRegularExpression>

namespace fulltext {

namespace {

// The first `length` code units of text, without cutting a surrogate pair in two.
QString Prefix(const QString& text, qsizetype length)
{
    if (length > 0 && length < text.size() && text[length - 1].isHighSurrogate())
        --length;
    return text.left(length);
}

}  // namespace

LimitedQuery LimitQuery(const QString& typed)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    LimitedQuery limited;
    int words = 0, wildcards = 0;
    for (QRegularExpressionMatchIterator it = word.globalMatch(typed); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString piece = match.captured();
        if (++words > kMostQueryWords) {
            limited.cut = true;
            break;
        }
        const bool wildcard =
            piece.endsWith(u'*') || piece.endsWith(QStringLiteral("*\"")) || piece.endsWith(QStringLiteral("*)"));
        if (wildcard && ++wildcards > kMostWildcards) {
            piece.remove(u'*');
            limited.cut = true;
        }
        const QString joined = limited.text.isEmpty() ? piece : limited.text + u' ' + piece;
        if (joined.size() > kMostQueryCharacters) {
            limited.cut = true;
            if (limited.text.isEmpty())
                limited.text = Prefix(piece, kMostQueryCharacters);
            break;
        }
        limited.text = joined;
    }
    // A cut that ends on an operator would leave the parser nothing to join it with.
    static const QRegularExpression danglingOperator(
        QStringLiteral("(\\s+(AND|OR|NOT|XOR|NEAR(/\\d+)?|ADJ(/\\d+)?))+$"));
    if (limited.cut)
        limited.text.remove(danglingOperator);
    return limited;
}

QString ShortenedQuery(const QString& text)
{
    const qsizetype lastBlank = text.trimmed().lastIndexOf(u' ');
    if (lastBlank > 0)
        return text.left(lastBlank).trimmed();
    return Prefix(text, text.size() * 3 / 4);
}

}  // namespace fulltext
