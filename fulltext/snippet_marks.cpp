#include "snippet_marks.h"

#include <algorithm>
#include <map>

namespace fulltext {

namespace {

constexpr unsigned kSnippetFlags =
    Xapian::MSet::SNIPPET_BACKGROUND_MODEL | Xapian::MSet::SNIPPET_EXHAUSTIVE | Xapian::MSet::SNIPPET_CJK_NGRAM;

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

bool AllChinese(QStringView text) { return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsChinese); }

// The runs of Chinese characters in the query as typed.
QStringList ChineseWords(const QString& query)
{
    QStringList words;
    QString run;
    for (const QChar c : query) {
        if (IsChinese(c)) {
            run += c;
        } else if (!run.isEmpty()) {
            words << run;
            run.clear();
        }
    }
    if (!run.isEmpty())
        words << run;
    return words;
}

}  // namespace

void KeepLongestChineseRuns(MarkedText& marked, const QString& query)
{
    std::vector<std::pair<int, int>> spans = marked.marks;
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<int, int>> runs;
    for (const auto& span : spans) {
        if (!runs.empty() && runs.back().first + runs.back().second >= span.first)
            runs.back().second = std::max(runs.back().second, span.first + span.second - runs.back().first);
        else
            runs.push_back(span);
    }
    const QStringList words = ChineseWords(query);
    // The longest run of each query word that is all Chinese and part of it.
    std::map<int, int> longest;  // query word -> run length
    const auto partOf = [&](const QString& run, int word) { return words[word].contains(run); };
    for (const auto& [start, length] : runs) {
        const QString run = marked.text.mid(start, length);
        if (AllChinese(run))
            for (int word = 0; word < words.size(); ++word)
                if (partOf(run, word))
                    longest[word] = std::max(longest[word], length);
    }
    marked.marks.clear();
    for (const auto& [start, length] : runs) {
        const QString run = marked.text.mid(start, length);
        bool keep = true;
        if (AllChinese(run)) {
            bool inSomeWord = false, longestOfSome = false;
            for (int word = 0; word < words.size(); ++word)
                if (partOf(run, word)) {
                    inSomeWord = true;
                    longestOfSome = longestOfSome || length == longest[word];
                }
            keep = !inSomeWord || longestOfSome;
        }
        if (keep)
            marked.marks.emplace_back(start, length);
    }
}

MarkedText MakeSnippet(const Xapian::MSet& matches, const std::string& text, int bytes, const Xapian::Stem& stemmer,
                       const QString& query)
{
    MarkedText snippet =
        ReadMarkedFragment(matches.snippet(text, std::size_t(bytes), stemmer, kSnippetFlags, "<b>", "</b>", "…"));
    KeepLongestChineseRuns(snippet, query);
    return snippet;
}

QStringList MatchedWords(const Xapian::MSet& matches, const std::string& text, const Xapian::Stem& stemmer,
                         const QString& query)
{
    // Long enough for the whole text: every match is marked.
    MarkedText marked = ReadMarkedFragment(
        matches.snippet(text, text.size() + 1, stemmer, Xapian::MSet::SNIPPET_CJK_NGRAM, "<b>", "</b>", ""));
    KeepLongestChineseRuns(marked, query);
    QStringList words;
    for (const auto& [start, length] : marked.marks) {
        const QString word = marked.text.mid(start, length);
        if (!words.contains(word, Qt::CaseInsensitive))
            words << word;
    }
    return words;
}

}  // namespace fulltext
