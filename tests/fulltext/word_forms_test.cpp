// Word forms by the dictionary, Snowball without it, and a name that tells the two apart.
#include "word_forms.h"

#include <gtest/gtest.h>

using namespace fulltext;

TEST(WordForms, TheDictionaryJoinsWhatSnowballSplitsAndItsAbsenceChangesTheStemmersName)
{
    const WordForms withDictionaries(WordForms::SystemDictionaryFolders());
    ASSERT_TRUE(withDictionaries.HasRussianDictionary());
    ASSERT_TRUE(withDictionaries.HasEnglishDictionary());
    const WordForms without(QStringList{});
    EXPECT_FALSE(without.HasRussianDictionary());
    // Forms of a noun and of verbs that Snowball splits.
    const std::pair<const char*, const char*> pairs[] = {
        {"мембрана", "мембранами"}, {"мембрана", "мембраной"}, {"писать", "пишет"}, {"брать", "беру"}};
    for (const auto& [one, other] : pairs) {
        EXPECT_EQ(withDictionaries.Stem(one), withDictionaries.Stem(other)) << one << " " << other;
        EXPECT_NE(without.Stem(one), without.Stem(other)) << one << " " << other;
    }
    // "ё" and "е" meet; a name written in lower case is found as the dictionary writes it.
    EXPECT_EQ(withDictionaries.Stem("тётей"), withDictionaries.Stem("тетя"));
    EXPECT_EQ(withDictionaries.Stem("чебышев"), withDictionaries.Stem("чебышеве"));
    EXPECT_NE(without.Stem("чебышев"), without.Stem("чебышеве"));
    // Without the dictionary Snowball alone stems.
    EXPECT_EQ(without.Stem("мембранами"), "мембран");
    EXPECT_NE(without.Description(), withDictionaries.Description());
}
