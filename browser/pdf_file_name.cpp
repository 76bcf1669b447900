#include "pdf_file_name.h"

namespace {
constexpr int longestTitle = 150;

bool Forbidden(QChar c)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    return forbidden.contains(c) || c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
        c.category() == QChar::Separator_Paragraph;
}

QString TrimBlanksAndDots(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto trimmed = [](QChar c) { return c == u' ' || c == u'.'; };
    while (begin < end && trimmed(text[begin]))
        ++begin;
    while (end > begin && trimmed(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}
}  // namespace

QString PositionForFileName(std::int32_t category, std::int32_t position)
{
    return QStringLiteral("%1.%2").arg(category).arg(position);
}

QString PdfFileName(const QString& position, const QString& title)
{
    QString cleaned;
    cleaned.reserve(title.size());
    for (const QChar c : title)
        cleaned += Forbidden(c) ? QChar(u' ') : c;
    cleaned = TrimBlanksAndDots(cleaned.simplified());
    if (cleaned.size() > longestTitle) {
        cleaned.truncate(longestTitle);
        if (cleaned.back().isHighSurrogate())  // never half a character
            cleaned.chop(1);
        cleaned = TrimBlanksAndDots(cleaned);
    }
    if (cleaned.isEmpty())
        return position + QStringLiteral(".pdf");
    return position + u' ' + cleaned + QStringLiteral(".pdf");
}
