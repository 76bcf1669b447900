// Titles offered while a search is typed: by the beginning of a word of any language's title,
// by another form of a word, Chinese from any character, titled in the language asked for.
#include "catalogue_index.h"
#include "catalogue_pages.h"
#include "title_suggestions.h"

using namespace fulltext;

namespace {

// A project page in each language.
void WriteProject(const CataloguePages& pages, const QString& position, const QString& russian, const QString& english,
                  const QString& chinese)
{
    pages.writePage(position + QStringLiteral("r.html"), russian, QStringLiteral("<p>текст</p>"));
    pages.writePage(position + QStringLiteral("e.html"), english, QStringLiteral("<p>text</p>"));
    pages.writePage(position + QStringLiteral("c.html"), chinese, QStringLiteral("<p>文本</p>"));
}

QStringList Titles(const std::vector<Suggestion>& suggestions)
{
    QStringList titles;
    for (const Suggestion& suggestion : suggestions)
        titles << suggestion.title;
    return titles;
}

class TitleSuggestionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteProject(pages, QStringLiteral("03003"), QStringLiteral("Ферментный биосенсор для пестицидов"),
                     QStringLiteral("Enzyme biosensor for pesticides"), QStringLiteral("检测农药的酶生物传感器"));
        WriteProject(pages, QStringLiteral("05006"), QStringLiteral("Оптоволоконный датчик температуры"),
                     QStringLiteral("Fibre-optic temperature sensor"), QStringLiteral("光纤温度传感器"));
        WriteProject(pages, QStringLiteral("07002"), QStringLiteral("Мембрана для очистки воды"),
                     QStringLiteral("Water treatment by membrane"), QStringLiteral("膜法水处理"));
        WriteProject(pages, QStringLiteral("08012"), QStringLiteral("Компания «Датчики»"),
                     QStringLiteral("The Sensors company"), QStringLiteral("传真机公司"));
        // Introductory and title pages are no projects.
        pages.writePage(QStringLiteral("00001r.html"), QStringLiteral("Датчики и мембраны"), QString());
        pages.writePage(QStringLiteral("07000e.html"), QStringLiteral("Water membranes"), QString());
        titles = TitleSuggestions::Open(pages.dir());
        ASSERT_TRUE(titles);
    }

    CataloguePages pages;
    std::unique_ptr<TitleSuggestions> titles;
};

}  // namespace

TEST_F(TitleSuggestionsTest, WordBeginningsInEachLanguageGiveTheTitleInTheLanguageAsked)
{
    EXPECT_EQ(titles->ProjectCount(), 4);
    // Russian typed, English titles shown, with position and the English page.
    const std::vector<Suggestion> found = titles->Suggest(QStringLiteral("опто"), QStringLiteral("e"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].title, QStringLiteral("Fibre-optic temperature sensor"));
    EXPECT_EQ(found[0].category, 5);
    EXPECT_EQ(found[0].position, 6);
    EXPECT_EQ(found[0].pageFile, QStringLiteral("05006e.html"));
    // English typed in capitals, a later word of the title; Russian titles shown.
    EXPECT_EQ(Titles(titles->Suggest(QStringLiteral("TEMPER"), QStringLiteral("r"))),
              QStringList{QStringLiteral("Оптоволоконный датчик температуры")});
    // Chinese from a character inside a title, whichever language is asked.
    EXPECT_EQ(Titles(titles->Suggest(QStringLiteral("温度传"), QStringLiteral("c"))),
              QStringList{QStringLiteral("光纤温度传感器")});
    // A word's middle is no beginning: "сенсор" stands inside "биосенсор" only.
    EXPECT_TRUE(titles->Suggest(QStringLiteral("сенсор"), QStringLiteral("r")).empty());
    // Every typed word must meet the project: "water" and "sens" are in no one title set.
    EXPECT_TRUE(titles->Suggest(QStringLiteral("water sens"), QStringLiteral("e")).empty());
    EXPECT_EQ(Titles(titles->Suggest(QStringLiteral("water memb"), QStringLiteral("e"))),
              QStringList{QStringLiteral("Water treatment by membrane")});
    // A letter of no language, or a blank text, gives nothing.
    EXPECT_TRUE(titles->Suggest(QStringLiteral("water"), QStringLiteral("x")).empty());
    EXPECT_TRUE(titles->Suggest(QStringLiteral("  "), QStringLiteral("e")).empty());
}

TEST_F(TitleSuggestionsTest, OtherFormsOfAWordMeetBestFirstAndTheLimitHolds)
{
    // Forms that do not begin with the title's word: "мембранами" and "мембрана" even have
    // different Snowball stems, which the dictionary joins.
    EXPECT_EQ(Titles(titles->Suggest(QStringLiteral("мембранами"), QStringLiteral("r"))),
              QStringList{QStringLiteral("Мембрана для очистки воды")});
    EXPECT_EQ(Titles(titles->Suggest(QStringLiteral("membranes"), QStringLiteral("e"))),
              QStringList{QStringLiteral("Water treatment by membrane")});
    // "датчик" begins two titles; the one where it is a whole word of the asked language's title
    // comes before the one where it only begins a word ("датчики").
    const std::vector<Suggestion> sensors = titles->Suggest(QStringLiteral("датчик"), QStringLiteral("r"));
    ASSERT_EQ(sensors.size(), 2u);
    EXPECT_EQ(sensors[0].position, 6);
    EXPECT_EQ(sensors[1].position, 12);
    EXPECT_EQ(titles->Suggest(QStringLiteral("датчик"), QStringLiteral("r"), 1).size(), 1u);
    EXPECT_TRUE(titles->Suggest(QStringLiteral("датчик"), QStringLiteral("r"), 0).empty());
}

TEST_F(TitleSuggestionsTest, TheCataloguesIndexGivesTheSameTitlesWhileItMatchesThePages)
{
    const auto everything = [](const TitleSuggestions& from) {
        QStringList found;
        for (const char* typed : {"опто", "temper", "温度传", "мембранами", "датчик", "water memb"})
            for (const char* letter : {"r", "e", "c"})
                for (const Suggestion& suggestion : from.Suggest(QString::fromUtf8(typed), QLatin1String(letter)))
                    found << QStringLiteral("%1 %2.%3 %4")
                                 .arg(suggestion.title)
                                 .arg(suggestion.category)
                                 .arg(suggestion.position)
                                 .arg(suggestion.pageFile);
        return found;
    };
    const QStringList fromPages = everything(*titles);
    ASSERT_EQ(fromPages.size(), 21);
    WriteIndex(pages.dir());
    const auto fromIndex = TitleSuggestions::Open(pages.dir());
    ASSERT_TRUE(fromIndex);
    EXPECT_EQ(fromIndex->ProjectCount(), 4);
    EXPECT_EQ(everything(*fromIndex), fromPages);
    // A page changed since: the pages are read again.
    pages.writePage(QStringLiteral("05006e.html"), QStringLiteral("Fibre-optic thermometer"), QString());
    EXPECT_EQ(Titles(TitleSuggestions::Open(pages.dir())->Suggest(QStringLiteral("thermo"), QStringLiteral("e"))),
              QStringList{QStringLiteral("Fibre-optic thermometer")});
}

TEST(TitleSuggestions, AFolderWithoutPageFilesCannotBeOpened)
{
    QTemporaryDir empty;
    EXPECT_FALSE(TitleSuggestions::Open(empty.path()));
    EXPECT_FALSE(TitleSuggestions::Open(empty.path() + QStringLiteral("/missing")));
}
