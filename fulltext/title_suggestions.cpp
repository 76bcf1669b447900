#include "title_suggestions.h"

#include "catalogue_index.h"
#include "languages.h"
#include "page_names.h"
#include "page_text.h"
#include "word_forms.h"

#include <QDir>
#include <QFile>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <future>
#include <map>
#include <string_view>
#include <thread>
#include <utility>

namespace fulltext {

namespace {

constexpr int kLanguages = 3;
// A Chinese title is matched from each of its characters, up to this many characters on.
constexpr int kLongestChineseKey = 12;
// Typed text beyond this is not looked at: no title word is that long.
constexpr int kLongestTyped = 200;
constexpr int kMostTypedWords = 8;
constexpr int kMostWordsPerTitle = 255;

bool IsChinese(QChar c)
{
    switch (c.script()) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo: return true;
    default: return false;
    }
}

// "ё" is matched as "е", as in the stems.
QString Folded(const QString& word) { return word.toLower().replace(QChar(0x451), QChar(0x435)); }

struct Word {
    QString text;  // folded to lower case
    bool chinese = false;  // a run of Chinese characters, matched from any of them
};

// The words of a text as Qt's word boundaries cut them, runs of Chinese characters kept whole.
std::vector<Word> Words(const QString& text)
{
    std::vector<Word> words;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Word, text);
    for (qsizetype start = 0, end = boundaries.toNextBoundary(); end >= 0;
         start = end, end = boundaries.toNextBoundary()) {
        const QString piece = text.mid(start, end - start);
        if (!std::any_of(piece.begin(), piece.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            continue;
        const bool chinese = IsChinese(piece.front());
        if (chinese && !words.empty() && words.back().chinese && start > 0 && IsChinese(text[start - 1]))
            words.back().text += piece;
        else
            words.push_back({Folded(piece), chinese});
    }
    return words;
}

// How well a typed word met a title word; more is better.
enum Quality : int { kNoMatch = 0, kPrefix = 2, kOtherForm = 4, kSameWord = 5 };

}  // namespace

// Every title word of every project twice over, sorted: by its text, for matching by beginning,
// and by its stem, for matching other forms. The texts live in one pool.
class TitleSuggestions::Titles {
public:
    struct Project {
        std::int32_t category = 0;
        std::int32_t position = 0;
        std::array<QString, kLanguages> titles;
    };

    explicit Titles(std::vector<Project> projects) : projects_(std::move(projects))
    {
        const std::shared_ptr<const WordForms> forms = WordForms::Shared();
        for (std::uint32_t project = 0; project < projects_.size(); ++project)
            for (std::uint8_t language = 0; language < kLanguages; ++language) {
                const std::vector<Word> words = Words(projects_[project].titles[language]);
                for (std::size_t at = 0; at < words.size() && at < kMostWordsPerTitle; ++at) {
                    const Word& word = words[at];
                    const Place place{project, language, std::uint8_t(at)};
                    if (word.chinese) {
                        for (qsizetype from = 0; from < word.text.size(); ++from)
                            add(keys_, word.text.mid(from, kLongestChineseKey).toStdString(), place);
                        continue;
                    }
                    add(keys_, word.text.toStdString(), place);
                    add(stems_, forms->Stem(word.text.toLower().toStdString()), place);
                }
            }
        sort(keys_);
        sort(stems_);
    }

    const std::vector<Project>& projects() const { return projects_; }

    std::vector<Suggestion> Suggest(const QString& text, int language, int limit) const
    {
        std::vector<Word> typed = Words(text.left(kLongestTyped));
        if (typed.size() > kMostTypedWords)
            typed.resize(kMostTypedWords);
        if (typed.empty() || limit <= 0)
            return {};
        const std::shared_ptr<const WordForms> forms = WordForms::Shared();
        // Every typed word must meet some word of a project's titles; their scores add up.
        std::vector<int> total(projects_.size(), 0);
        std::vector<std::uint8_t> met(projects_.size(), 0);  // typed words met so far
        std::vector<int> firstWord(projects_.size(), kMostWordsPerTitle);
        std::vector<int> best(projects_.size(), kNoMatch);
        std::vector<std::uint32_t> touched;
        for (std::size_t at = 0; at < typed.size(); ++at) {
            const Word& word = typed[at];
            touched.clear();
            const auto meet = [&](const Entry& entry, int quality) {
                const Place& place = entry.place;
                if (met[place.project] != at)
                    return;  // an earlier typed word did not meet this project
                // A word of the interface language's title, or a title's first word, counts more.
                quality += (place.language == language ? 1 : 0) + (place.word == 0 ? 1 : 0);
                if (best[place.project] == kNoMatch)
                    touched.push_back(place.project);
                best[place.project] = std::max(best[place.project], quality);
                if (at == 0)
                    firstWord[place.project] = std::min<int>(firstWord[place.project], place.word);
            };
            const std::string key = (word.chinese ? word.text.left(kLongestChineseKey) : word.text).toStdString();
            for (auto it = std::lower_bound(keys_.begin(), keys_.end(), key, ByText{pool_});
                 it != keys_.end() && textOf(*it).substr(0, key.size()) == key; ++it)
                meet(*it, textOf(*it).size() == key.size() ? kSameWord : kPrefix);
            if (!word.chinese) {
                const std::string stem = forms->Stem(word.text.toStdString());
                const auto [from, to] = std::equal_range(stems_.begin(), stems_.end(), stem, ByText{pool_});
                for (auto it = from; it != to; ++it)
                    meet(*it, kOtherForm);
            }
            for (const std::uint32_t project : touched) {
                total[project] += best[project];
                met[project] = std::uint8_t(at + 1);
                best[project] = kNoMatch;
            }
        }
        std::vector<std::uint32_t> found;
        for (std::uint32_t project = 0; project < projects_.size(); ++project)
            if (met[project] == typed.size())
                found.push_back(project);
        const auto better = [&](std::uint32_t a, std::uint32_t b) {
            if (total[a] != total[b])
                return total[a] > total[b];
            if (firstWord[a] != firstWord[b])
                return firstWord[a] < firstWord[b];
            const qsizetype lengthA = titleIn(a, language).size(), lengthB = titleIn(b, language).size();
            if (lengthA != lengthB)
                return lengthA < lengthB;
            return a < b;  // catalogue order
        };
        const std::size_t shown = std::min<std::size_t>(found.size(), std::size_t(limit));
        std::partial_sort(found.begin(), found.begin() + qsizetype(shown), found.end(), better);
        std::vector<Suggestion> suggestions;
        for (std::size_t at = 0; at < shown; ++at) {
            const Project& project = projects_[found[at]];
            suggestions.push_back(
                {titleIn(found[at], language), project.category, project.position,
                 PageFileName(project.category, project.position, LanguageTable()[std::size_t(language)].letter)});
        }
        return suggestions;
    }

private:
    struct Place {
        std::uint32_t project;
        std::uint8_t language;  // 0 Russian, 1 English, 2 Chinese
        std::uint8_t word;  // its place in the title, from 0
    };
    struct Entry {
        std::uint32_t offset;  // of the text in the pool
        std::uint32_t length;
        Place place;
    };
    struct ByText {
        const std::string& pool;
        std::string_view text(const Entry& entry) const { return {pool.data() + entry.offset, entry.length}; }
        bool operator()(const Entry& a, const Entry& b) const { return text(a) < text(b); }
        bool operator()(const Entry& a, const std::string& b) const { return text(a) < b; }
        bool operator()(const std::string& a, const Entry& b) const { return a < text(b); }
    };

    void add(std::vector<Entry>& entries, const std::string& text, const Place& place)
    {
        entries.push_back({std::uint32_t(pool_.size()), std::uint32_t(text.size()), place});
        pool_ += text;
    }
    void sort(std::vector<Entry>& entries) const { std::sort(entries.begin(), entries.end(), ByText{pool_}); }
    std::string_view textOf(const Entry& entry) const { return ByText{pool_}.text(entry); }

    // The title in the language, or in the first language that has one.
    QString titleIn(std::uint32_t project, int language) const
    {
        const auto& titles = projects_[project].titles;
        if (!titles[std::size_t(language)].isEmpty())
            return titles[std::size_t(language)];
        for (const QString& title : titles)
            if (!title.isEmpty())
                return title;
        return QString();
    }

    std::vector<Project> projects_;
    std::string pool_;
    std::vector<Entry> keys_;
    std::vector<Entry> stems_;
};

namespace {

struct TitledPage {
    PageName page;
    QString title;
};

// The title of each project page as the catalogue's own index holds it, when it matches the
// pages, each page's size and time included (a title edited in place must not be offered as it
// was); none otherwise. Much quicker than reading every page.
std::vector<TitledPage> TitlesFromIndex(const QString& catalogueDir)
{
    std::vector<TitledPage> titled;
    const std::unique_ptr<CatalogueIndex> index = TryOpenIndex(catalogueDir, Verification::Pages).index;
    if (!index)
        return titled;
    for (PageTitle& page : index->PageTitles()) {
        const std::optional<PageName> name = ParsePageName(page.pageFile);
        if (name && name->category >= 1 && name->position >= 1)
            titled.push_back({*name, std::move(page.title)});
    }
    return titled;
}

// The title of each project page of the folder, read on a few threads.
std::vector<TitledPage> ReadTitles(const QString& data, const QStringList& names)
{
    std::vector<PageName> pages;
    QStringList files;
    for (const QString& name : names) {
        const std::optional<PageName> page = ParsePageName(name);
        if (page && page->category >= 1 && page->position >= 1) {
            pages.push_back(*page);
            files << name;
        }
    }
    std::vector<TitledPage> titled(pages.size());
    const std::size_t threads = std::max<std::size_t>(
        1, std::min<std::size_t>({std::thread::hardware_concurrency(), 4, pages.size() / 256 + 1}));
    const auto read = [&](std::size_t first) {
        for (std::size_t at = first; at < pages.size(); at += threads) {
            QFile file(data + QLatin1Char('/') + files[qsizetype(at)]);
            titled[at].page = pages[at];
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const PageText text = ExtractPageText(file.readAll());
            titled[at].title = text.title.isEmpty() ? text.headings.section(QLatin1Char('\n'), 0, 0) : text.title;
        }
    };
    std::vector<std::future<void>> running;
    for (std::size_t thread = 0; thread < threads; ++thread)
        running.push_back(std::async(std::launch::async, read, thread));
    for (std::future<void>& thread : running)
        thread.get();
    return titled;
}

}  // namespace

TitleSuggestions::TitleSuggestions(std::unique_ptr<Titles> titles) : titles_(std::move(titles)) {}
TitleSuggestions::~TitleSuggestions() = default;

std::unique_ptr<TitleSuggestions> TitleSuggestions::Open(const QString& catalogueDir)
{
    const QDir data(catalogueDir + QStringLiteral("/data"));
    if (!data.exists() || !data.isReadable())
        return nullptr;
    try {
        std::map<std::pair<std::int32_t, std::int32_t>, Titles::Project> byPosition;
        std::vector<TitledPage> pages = TitlesFromIndex(catalogueDir);
        if (pages.empty())
            pages = ReadTitles(data.path(), data.entryList(QDir::Files, QDir::Name));
        for (TitledPage& titled : pages) {
            const LanguageRow* language = LanguageByLetter(titled.page.letter);
            if (language == nullptr || titled.title.isEmpty())
                continue;
            Titles::Project& project = byPosition[{titled.page.category, titled.page.position}];
            project.category = titled.page.category;
            project.position = titled.page.position;
            project.titles[std::size_t(language->number - 1)] = std::move(titled.title);
        }
        std::vector<Titles::Project> projects;
        projects.reserve(byPosition.size());
        for (auto& [position, project] : byPosition)
            projects.push_back(std::move(project));
        return std::unique_ptr<TitleSuggestions>(new TitleSuggestions(std::make_unique<Titles>(std::move(projects))));
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::vector<Suggestion> TitleSuggestions::Suggest(const QString& text, const QString& letter, int limit) const
{
    const LanguageRow* language = LanguageByLetter(letter);
    if (language == nullptr)
        return {};
    return titles_->Suggest(text, language->number - 1, limit);
}

int TitleSuggestions::ProjectCount() const { return int(titles_->projects().size()); }

}  // namespace fulltext
