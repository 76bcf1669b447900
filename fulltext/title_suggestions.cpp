#include "title_suggestions.h"

#include "languages.h"
#include "page_names.h"
#include "page_text.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <array>

namespace fulltext {

namespace {

// Words looked at for the first word typed; a shorter text matches too many to rank them all.
constexpr std::size_t kMostCandidates = 4000;
// A run of Chinese characters has no blanks: every character in it starts a word, up to this long.
constexpr int kLongestHanWord = 8;

bool IsHan(QChar c) { return c.script() == QChar::Script_Han; }

// The words of a text in lower case, for looking up: runs of letters and digits, and in runs of
// Chinese characters every character with those after it.
QStringList WordsOf(const QString& text)
{
    QStringList words;
    const QString lower = text.toCaseFolded();
    qsizetype at = 0;
    while (at < lower.size()) {
        if (!lower[at].isLetterOrNumber()) {
            ++at;
            continue;
        }
        qsizetype end = at;
        const bool han = IsHan(lower[at]);
        while (end < lower.size() && lower[end].isLetterOrNumber() && IsHan(lower[end]) == han)
            ++end;
        if (han) {
            for (qsizetype start = at; start < end; ++start)
                words << lower.mid(start, std::min<qsizetype>(end - start, kLongestHanWord));
        } else {
            words << lower.mid(at, end - at);
        }
        at = end;
    }
    return words;
}

}  // namespace

struct TitleSuggestions::Titles {
    struct Project {
        std::int32_t category = 0;
        std::int32_t position = 0;
        std::array<QString, 3> titles;  // by language number less one
        QStringList words;  // of every title
    };
    struct Word {
        QString text;
        int project = 0;
        int order = 0;  // 0 for the first word of a title
    };
    std::vector<Project> projects;
    std::vector<Word> words;  // by text
};

TitleSuggestions::TitleSuggestions() : d(std::make_unique<Titles>()) {}

TitleSuggestions::~TitleSuggestions() = default;

std::unique_ptr<TitleSuggestions> TitleSuggestions::Open(const QString& catalogueDir)
{
    const QDir data(catalogueDir + QStringLiteral("/data"));
    if (!data.exists() || !data.isReadable())
        return nullptr;
    std::unique_ptr<TitleSuggestions> suggestions(new TitleSuggestions);
    Titles& titles = *suggestions->d;
    QHash<QByteArray, int> projectOf;
    for (const QString& name : data.entryList(QDir::Files, QDir::Name)) {
        const std::optional<PageName> page = ParsePageName(name);
        const LanguageRow* language = page ? LanguageByLetter(page->letter) : nullptr;
        if (!language || page->category < 1 || page->position < 1)
            continue;
        QFile file(data.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString title = ExtractPageText(file.readAll()).title.simplified();
        if (title.isEmpty())
            continue;
        const QByteArray key = ProjectKey({page->category, page->position});
        auto found = projectOf.constFind(key);
        if (found == projectOf.constEnd()) {
            found = projectOf.insert(key, int(titles.projects.size()));
            titles.projects.push_back({page->category, page->position, {}, {}});
        }
        Titles::Project& project = titles.projects[std::size_t(*found)];
        project.titles[language->number - 1] = title;
        const QStringList words = WordsOf(title);
        for (int i = 0; i < words.size(); ++i)
            titles.words.push_back({words[i], *found, i});
        project.words += words;
    }
    std::sort(titles.words.begin(), titles.words.end(),
              [](const Titles::Word& a, const Titles::Word& b) { return a.text < b.text; });
    return suggestions;
}

std::vector<Suggestion> TitleSuggestions::Suggest(const QString& text, const QString& letter, int limit) const
{
    const QStringList typed = WordsOf(text);
    const LanguageRow* language = LanguageByLetter(letter);
    if (typed.isEmpty() || limit <= 0)
        return {};
    // Candidates from the last word typed, which is still being typed; every other word typed must
    // begin a word of the same project's titles too.
    const QString& last = typed.last();
    struct Candidate {
        int project;
        int order;
    };
    std::vector<Candidate> candidates;
    auto at = std::lower_bound(d->words.begin(), d->words.end(), last,
                               [](const Titles::Word& word, const QString& prefix) { return word.text < prefix; });
    for (; at != d->words.end() && at->text.startsWith(last) && candidates.size() < kMostCandidates; ++at)
        candidates.push_back({at->project, at->order});
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.project != b.project ? a.project < b.project : a.order < b.order;
    });
    candidates.erase(std::unique(candidates.begin(), candidates.end(),
                                 [](const Candidate& a, const Candidate& b) { return a.project == b.project; }),
                     candidates.end());
    const auto hasAll = [&](const Titles::Project& project) {
        for (qsizetype i = 0; i + 1 < typed.size(); ++i)
            if (std::none_of(project.words.begin(), project.words.end(),
                             [&](const QString& word) { return word.startsWith(typed[i]); }))
                return false;
        return true;
    };
    const int wanted = language ? language->number - 1 : 0;
    const auto titleOf = [&](const Titles::Project& project) -> const QString& {
        if (!project.titles[std::size_t(wanted)].isEmpty())
            return project.titles[std::size_t(wanted)];
        for (const QString& title : project.titles)
            if (!title.isEmpty())
                return title;
        return project.titles[std::size_t(wanted)];
    };
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                    [&](const Candidate& c) { return !hasAll(d->projects[std::size_t(c.project)]); }),
                     candidates.end());
    // Titles that begin with the word come first, then shorter titles, then the catalogue order.
    struct Ranked {
        bool first;
        qsizetype length;
        std::int32_t category;
        std::int32_t position;
        int project;
        bool operator<(const Ranked& other) const
        {
            if (first != other.first)
                return first;
            if (length != other.length)
                return length < other.length;
            return category != other.category ? category < other.category : position < other.position;
        }
    };
    std::vector<Ranked> ranked;
    ranked.reserve(candidates.size());
    for (const Candidate& candidate : candidates) {
        const Titles::Project& project = d->projects[std::size_t(candidate.project)];
        ranked.push_back(
            {candidate.order == 0, titleOf(project).size(), project.category, project.position, candidate.project});
    }
    const auto shown = ranked.begin() + std::min<std::ptrdiff_t>(limit, std::ptrdiff_t(ranked.size()));
    std::partial_sort(ranked.begin(), shown, ranked.end());
    std::vector<Suggestion> suggestions;
    for (auto it = ranked.begin(); it != shown; ++it) {
        const Titles::Project& project = d->projects[std::size_t(it->project)];
        suggestions.push_back({titleOf(project), project.category, project.position,
                               PageFileName(project.category, project.position,
                                            language ? language->letter : LanguageLetter(LangEnglish))});
    }
    return suggestions;
}

}  // namespace fulltext
