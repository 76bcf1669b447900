#include "languages.h"

#include <algorithm>

const std::array<LanguageRow, 3>& LanguageTable()
{
    static const std::array<LanguageRow, 3> table{{
        {LangRussian, QStringLiteral("rus"), QStringLiteral("r"), QStringLiteral("ru"), QStringLiteral("Русский"),
         QStringLiteral("Показать меню"), QStringLiteral("Скрыть меню")},
        {LangEnglish, QStringLiteral("eng"), QStringLiteral("e"), QStringLiteral("en"), QStringLiteral("English"),
         QStringLiteral("Show menu"), QStringLiteral("Hide menu")},
        {LangChinese, QStringLiteral("chn"), QStringLiteral("c"), QStringLiteral("zh"), QStringLiteral("中文"),
         QString(), QString()},
    }};
    return table;
}

namespace {
template <typename Matches>
const LanguageRow* Find(Matches matches)
{
    const auto& table = LanguageTable();
    const auto found = std::find_if(table.begin(), table.end(), matches);
    return found == table.end() ? nullptr : &*found;
}
}  // namespace

const LanguageRow* LanguageByNumber(int number)
{
    return Find([number](const LanguageRow& row) { return row.number == number; });
}

const LanguageRow* LanguageByLetter(QStringView letter)
{
    return Find([letter](const LanguageRow& row) { return letter == row.letter; });
}

const LanguageRow* LanguageByTag(QStringView tag)
{
    return Find([tag](const LanguageRow& row) { return tag == row.tag; });
}

QString LanguageLetter(int number)
{
    const LanguageRow* row = LanguageByNumber(number);
    return row ? row->letter : QString();
}

LanguageInfo LanguageInfoOf(const LanguageRow& row)
{
    return {row.code, row.letter, row.showMenuHint, row.hideMenuHint};
}
