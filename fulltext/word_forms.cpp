// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "word_forms.h"

#include <hunspell.hxx>

#include <QFile>
#include <QFileInfo>

#include <array>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace fulltext {

namespace {

// Words longer than this are no dictionary's words: Snowball alone takes them.
constexpr int kLongestLookedUp = 60;

bool HasCyrillic(const QString& word)
{
    for (const QChar c : word)
        if (c.unicode() >= 0x400 && c.unicode() <= 0x52F)
            return true;
    return false;
}

bool HasLetter(const QString& word)
{
    for (const QChar c : word)
        if (c.isLetter())
            return true;
    return false;
}

QString FoldYo(QString word) { return word.replace(QChar(0x451), QChar(0x435)).replace(QChar(0x401), QChar(0x415)); }

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

// One Hunspell dictionary; Hunspell's objects keep working state, so one lookup at a time.
class WordForms::Dictionary {
public:
    Dictionary(const QString& aff, const QString& dic)
        : hunspell_(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData()),
          name_(QFileInfo(dic).completeBaseName() +
                QStringLiteral(" (%1+%2 bytes)").arg(QFileInfo(aff).size()).arg(QFileInfo(dic).size()))
    {}

    static std::unique_ptr<Dictionary> Find(const QStringList& folders, const QString& name)
    {
        for (const QString& folder : folders) {
            const QString base = folder + QLatin1Char('/') + name;
            const QString aff = base + QStringLiteral(".aff"), dic = base + QStringLiteral(".dic");
            if (QFileInfo(aff).isReadable() && QFileInfo(dic).isReadable() && QFileInfo(dic).size() > 0)
                return std::make_unique<Dictionary>(aff, dic);
        }
        return nullptr;
    }

    // The lemmas of a word, in lower case: as written, else with a capital first letter, else
    // (for a word with "ё") both again with "е".
    std::vector<QString> Lemmas(const QString& word)
    {
        std::vector<QString> candidates{word, word.left(1).toUpper() + word.mid(1)};
        const QString folded = FoldYo(word);
        if (folded != word)
            candidates.insert(candidates.end(), {folded, folded.left(1).toUpper() + folded.mid(1)});
        const std::lock_guard<std::mutex> lock(mutex_);
        for (const QString& candidate : candidates) {
            const std::vector<std::string> stems = hunspell_.stem(Utf8(candidate));
            if (stems.empty())
                continue;
            std::vector<QString> lemmas;
            for (const std::string& stem : stems)
                lemmas.push_back(QString::fromStdString(stem).toLower());
            return lemmas;
        }
        return {};
    }

    const QString& name() const { return name_; }

private:
    std::mutex mutex_;
    Hunspell hunspell_;
    QString name_;
};

// Stems already worked out, shared out over several locks so the index's threads rarely wait for
// each other. Each part forgets what it holds when it grows past its bound, so a page of endless
// distinct words cannot make it grow without end.
class WordForms::Cache {
public:
    bool Find(const std::string& word, std::string& stem) const
    {
        const Part& part = parts_[std::hash<std::string>{}(word) % kParts];
        const std::lock_guard<std::mutex> lock(part.mutex);
        const auto found = part.stems.find(word);
        if (found == part.stems.end())
            return false;
        stem = found->second;
        return true;
    }

    void Add(const std::string& word, const std::string& stem)
    {
        Part& part = parts_[std::hash<std::string>{}(word) % kParts];
        const std::lock_guard<std::mutex> lock(part.mutex);
        if (part.stems.size() >= kMostPerPart)
            part.stems.clear();
        part.stems.emplace(word, stem);
    }

private:
    static constexpr std::size_t kParts = 16;
    static constexpr std::size_t kMostPerPart = 16384;
    struct Part {
        mutable std::mutex mutex;
        std::unordered_map<std::string, std::string> stems;
    };
    std::array<Part, kParts> parts_;
};

WordForms::WordForms(const QStringList& dictionaryFolders)
    : russian_(Dictionary::Find(dictionaryFolders, QStringLiteral("ru_RU"))),
      english_(Dictionary::Find(dictionaryFolders, QStringLiteral("en_US"))), cache_(std::make_unique<Cache>())
{
    QString description = QStringLiteral("lemma rule 1; ");
    description += russian_ ? QStringLiteral("hunspell ") + russian_->name() : QStringLiteral("no ru_RU");
    description += QStringLiteral(", ");
    description += english_ ? QStringLiteral("hunspell ") + english_->name() : QStringLiteral("no en_US");
    description += QStringLiteral("; snowball russian, english");
    description_ = Utf8(description);
}

WordForms::~WordForms() = default;

std::shared_ptr<const WordForms> WordForms::Shared()
{
    static const std::shared_ptr<const WordForms> shared = std::make_shared<WordForms>(SystemDictionaryFolders());
    return shared;
}

QStringList WordForms::SystemDictionaryFolders()
{
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/local/share/hunspell"),
            QStringLiteral("/usr/share/myspell/dicts"), QStringLiteral("/usr/share/myspell")};
}

std::string WordForms::Description() const { return description_; }
bool WordForms::HasRussianDictionary() const { return russian_ != nullptr; }
bool WordForms::HasEnglishDictionary() const { return english_ != nullptr; }

std::string WordForms::Stem(const std::string& word) const
{
    std::string stem;
    if (cache_->Find(word, stem))
        return stem;
    stem = stemUncached(word);
    cache_->Add(word, stem);
    return stem;
}

std::string WordForms::stemUncached(const std::string& word) const
{
    const QString text = QString::fromStdString(word);
    const bool russian = HasCyrillic(text);
    // Snowball's objects keep working state too; one made here serves this word alone.
    Xapian::Stem snowball(russian ? "russian" : "english");
    const auto snowballStem = [&](const QString& form) { return QString::fromStdString(snowball(Utf8(FoldYo(form)))); };
    Dictionary* dictionary = russian ? russian_.get() : english_.get();
    const QString own = snowballStem(text);
    if (dictionary == nullptr || text.size() > kLongestLookedUp || !HasLetter(text))
        return Utf8(FoldYo(own));
    const std::vector<QString> lemmas = dictionary->Lemmas(text);
    if (lemmas.empty())
        return Utf8(FoldYo(own));
    for (const QString& lemma : lemmas) {
        const QString stem = snowballStem(lemma);
        if (stem == own)
            return Utf8(FoldYo(stem));
    }
    return Utf8(FoldYo(snowballStem(lemmas.front())));
}

}  // namespace fulltext
