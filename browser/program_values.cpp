#include "program_values.h"

std::array<LanguageInfo, 4> Languages;
std::uint8_t CurrentLanguage = 0;
std::int32_t CurrentCategory = 0;
std::int32_t CurrentPosition = 0;
std::array<std::int32_t, 12> ProjectCounts{};
QString ExeDir;
QString PageNumberText;
bool MenuVisible = false;
bool SplashCancelled = false;

void FillLanguages()
{
    Languages[1] = {QStringLiteral("rus"), QStringLiteral("r"), QStringLiteral("Показать меню"),
                    QStringLiteral("Скрыть меню")};
    Languages[2] = {QStringLiteral("eng"), QStringLiteral("e"), QStringLiteral("Show menu"),
                    QStringLiteral("Hide menu")};
    Languages[3] = {QStringLiteral("chn"), QStringLiteral("c"), QString(), QString()};
}

void ResetProgramValues()
{
    Languages = {};
    CurrentLanguage = 0;
    CurrentCategory = 0;
    CurrentPosition = 0;
    ProjectCounts = {};
    ExeDir.clear();
    PageNumberText.clear();
    MenuVisible = false;
    SplashCancelled = false;
}
