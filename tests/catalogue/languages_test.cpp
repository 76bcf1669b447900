// The one table of the catalogue's languages and the session's Languages filled from it.
#include "languages.h"
#include "session.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(Languages, EachRowIsFoundByItsNumberLetterAndTagAndNothingElseIs)
{
    ASSERT_EQ(LanguageTable().size(), 3u);
    for (const LanguageRow& row : LanguageTable()) {
        EXPECT_EQ(LanguageByNumber(row.number), &row);
        EXPECT_EQ(LanguageByLetter(row.letter), &row);
        EXPECT_EQ(LanguageByTag(row.tag), &row);
        EXPECT_EQ(LanguageLetter(row.number), row.letter);
    }
    EXPECT_EQ(LanguageByNumber(LangNone), nullptr);
    EXPECT_EQ(LanguageByNumber(4), nullptr);
    EXPECT_EQ(LanguageByLetter(u""), nullptr);
    EXPECT_EQ(LanguageByLetter(u"R"), nullptr);
    EXPECT_EQ(LanguageByTag(u"rus"), nullptr);
    EXPECT_EQ(LanguageLetter(LangNone), "");
}

TEST(Languages, TheSessionHoldsTheRecordsAtOneToThreeOnceFilled)
{
    Session session;
    EXPECT_EQ(session.CurrentLanguage, LangNone);
    EXPECT_TRUE(session.Languages[LangRussian].Code.isEmpty()) << "empty until the main window fills it";
    session.FillLanguages();
    EXPECT_TRUE(session.Languages[0].Code.isEmpty());
    const auto record = [&](std::uint8_t language) {
        const LanguageInfo& info = session.Languages[language];
        return QStringList{info.Code, info.Letter, info.ShowMenuHint, info.HideMenuHint};
    };
    EXPECT_EQ(record(LangRussian), QStringList({"rus", "r", "Показать меню", "Скрыть меню"}));
    EXPECT_EQ(record(LangEnglish), QStringList({"eng", "e", "Show menu", "Hide menu"}));
    EXPECT_EQ(record(LangChinese), QStringList({"chn", "c", "", ""}));
    EXPECT_FALSE(session.MessagesInRussian());
    session.CurrentLanguage = LangRussian;
    EXPECT_TRUE(session.MessagesInRussian());
}
