#include "go_to_check.h"

#include <limits>
#include <optional>

namespace {

// Blanks and control characters are cut from both ends, as a paste may bring them.
QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= u' ')
        ++first;
    while (last > first && text.at(last - 1).unicode() <= u' ')
        --last;
    return text.mid(first, last - first);
}

// An optional sign and decimal digits only, within the signed 32-bit range.
std::optional<std::int32_t> DecimalInteger(const QString& text)
{
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text.at(at) == u'+' || text.at(at) == u'-')) {
        negative = text.at(at) == u'-';
        ++at;
    }
    if (at == text.size())
        return std::nullopt;
    const std::int64_t limit =
        negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min()) : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text.at(at).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

QString FormatMessage(char example, bool russian)
{
    const QString text = russian
        ? QStringLiteral("Введите номер категории и номер проекта через точку (например: 1.%1)")
        : QStringLiteral("Please input category and project number, dot separated (ex: 1.%1)");
    return text.arg(QChar(example));
}

}  // namespace

GoToCheck CheckGoToText(const QString& text, const CategoryCounts& counts)
{
    GoToCheck check;
    if (text.size() < 3) {
        check.verdict = GoToVerdict::FormatShort;
        return check;
    }
    const qsizetype dot = text.indexOf(u'.');
    const QString categoryPart = TrimBlanks(dot < 0 ? QString() : text.left(dot));
    if (categoryPart.isEmpty()) {
        check.verdict = GoToVerdict::FormatNoCategory;
        return check;
    }
    const std::optional<std::int32_t> category = DecimalInteger(categoryPart);
    if (!category) {
        check.verdict = GoToVerdict::FormatNotNumber;
        return check;
    }
    check.target.category = *category;
    const QString projectPart = TrimBlanks(text.mid(dot + 1));
    if (projectPart.isEmpty()) {
        check.verdict = GoToVerdict::FormatNoProject;
        return check;
    }
    const std::optional<std::int32_t> project = DecimalInteger(projectPart);
    if (!project) {
        check.verdict = GoToVerdict::FormatNotNumber;
        return check;
    }
    check.target.position = *project;
    if (*category < 1 || *category > LastCategory) {
        check.verdict = GoToVerdict::CategoryOutside;
        return check;
    }
    check.count = counts[*category];
    if (*project > check.count)
        check.verdict = GoToVerdict::ProjectAboveCount;
    else if (*project < 1)
        check.verdict = GoToVerdict::ProjectBelowOne;
    else
        check.verdict = GoToVerdict::Open;
    return check;
}

QString GoToMessageText(const GoToCheck& check, bool russian)
{
    switch (check.verdict) {
    case GoToVerdict::Open: return {};
    case GoToVerdict::FormatShort: return FormatMessage('1', russian);
    case GoToVerdict::FormatNoCategory: return FormatMessage('2', russian);
    case GoToVerdict::FormatNoProject: return FormatMessage('3', russian);
    case GoToVerdict::FormatNotNumber: return FormatMessage('4', russian);
    case GoToVerdict::CategoryOutside:
        return russian ? QStringLiteral("Номер категории может быть от 1 до 11")
                       : QStringLiteral("Please input category number between 1 and 11");
    case GoToVerdict::ProjectAboveCount:
        return (russian ? QStringLiteral("В категории %1 максимальный номер проекта %2")
                        : QStringLiteral("For the category %1 max. project number is %2"))
            .arg(check.target.category)
            .arg(check.count);
    case GoToVerdict::ProjectBelowOne:
        return russian ? QStringLiteral("Номер проекта должен быть не меньше 1")
                       : QStringLiteral("Project number must be 1 or greater");
    }
    return {};
}
