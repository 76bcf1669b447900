// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "catalogue_index.h"

#include "index_stemmer.h"
#include "page_names.h"
#include "page_text.h"
#include "script_stemmer.h"
#include "snippet_marks.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace fulltext {

namespace {

// Value slots of each page's document.
constexpr Xapian::valueno kProjectSlot = 0;  // the project key: one hit per project
constexpr Xapian::valueno kLetterSlot = 1;
constexpr Xapian::valueno kTitleSlot = 2;  // "file name<LF>title", for reading every title at once

// A title word counts as often as five body words, a heading word as three.
constexpr Xapian::termcount kTitleWeight = 5;
constexpr Xapian::termcount kHeadingWeight = 3;
// Gap between fields, so a phrase never runs from the title into the body.
constexpr Xapian::termpos kFieldGap = 100;

constexpr int kSnippetBytes = 320;
// Matches looked at in any case, so a total up to this many is exact, not an estimate.
constexpr Xapian::doccount kCountedMatches = 1000;
constexpr int kProgressEvery = 64;

const char* const kManifestKey = "manifest";
const char* const kFormatKey = "format";
// Raised whenever the terms or the stored data of a page change, so an older index is rebuilt.
const char* const kFormat = "2";
// Each page's boolean term: the prefix and its file name.
const char* const kPageFilePrefix = "Q";

constexpr unsigned kQueryFlags = Xapian::QueryParser::FLAG_PHRASE | Xapian::QueryParser::FLAG_BOOLEAN |
    Xapian::QueryParser::FLAG_LOVEHATE | Xapian::QueryParser::FLAG_WILDCARD | Xapian::QueryParser::FLAG_CJK_NGRAM;
// Wildcards expand to at most this many of the most frequent words they match.
constexpr Xapian::termcount kMaxWildcardExpansion = 200;
// Matching stops after this many seconds with the hits found so far, so no query holds a reader
// (or, in a server, a worker) for long.
constexpr double kMatchSeconds = 0.5;

std::string Utf8(const QString& text) { return text.toStdString(); }

// A folder name as the file system spells it, for Xapian.
std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString DataFolder(const QString& catalogueDir) { return catalogueDir + QStringLiteral("/data"); }

QString IndexFolder(const QString& catalogueDir) { return catalogueDir + QStringLiteral("/index"); }

struct PageFile {
    QString name;
    PageName page;
    qint64 size = 0;
};

struct Listing {
    bool readable = false;
    std::vector<PageFile> pages;  // by name
    std::string manifest;  // "name<TAB>size<LF>" for each page

    static Listing Of(const QString& catalogueDir)
    {
        Listing listing;
        const QDir data(DataFolder(catalogueDir));
        listing.readable = data.exists() && data.isReadable();
        if (!listing.readable)
            return listing;
        const QFileInfoList files = data.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& file : files) {
            const std::optional<PageName> page = ParsePageName(file.fileName());
            if (!page)
                continue;
            listing.pages.push_back({file.fileName(), *page, file.size()});
            listing.manifest += Utf8(file.fileName()) + '\t' + std::to_string(file.size()) + '\n';
        }
        return listing;
    }
};

// What a hit shows, kept in the document's data.
struct StoredPage {
    QString fileName;
    PageName page;
    QString title;
    QString text;

    std::string Encode() const
    {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream << fileName << page.category << page.position << page.letter << title.toUtf8() << text.toUtf8();
        return bytes.toStdString();
    }

    static StoredPage Decode(const std::string& data)
    {
        StoredPage stored;
        QByteArray title, text;
        QDataStream stream(QByteArray::fromStdString(data));
        stream >> stored.fileName >> stored.page.category >> stored.page.position >> stored.page.letter >> title >>
            text;
        stored.title = QString::fromUtf8(title);
        stored.text = QString::fromUtf8(text);
        return stored;
    }
};

Xapian::TermGenerator MakeTermGenerator()
{
    Xapian::TermGenerator generator;
    generator.set_stemmer(ScriptStemmer());
    generator.set_stemming_strategy(Xapian::TermGenerator::STEM_SOME);
    generator.set_flags(Xapian::TermGenerator::FLAG_CJK_NGRAM);
    return generator;
}

Xapian::Document PageDocument(const PageFile& file, const PageText& text, Xapian::TermGenerator& generator)
{
    Xapian::Document document;
    generator.set_document(document);
    generator.index_text(Utf8(text.title), kTitleWeight);
    generator.increase_termpos(kFieldGap);
    generator.index_text(Utf8(text.headings), kHeadingWeight);
    generator.increase_termpos(kFieldGap);
    generator.index_text(Utf8(text.body));
    document.add_value(kProjectSlot, ProjectKey({file.page.category, file.page.position}).toStdString());
    document.add_value(kLetterSlot, Utf8(file.page.letter));
    const QString title = text.title.isEmpty() ? text.headings.section(QLatin1Char('\n'), 0, 0) : text.title;
    document.add_boolean_term(kPageFilePrefix + Utf8(file.name));
    document.add_value(kTitleSlot, Utf8(file.name) + '\n' + Utf8(title));
    document.set_data(StoredPage{file.name, file.page, title, text.content}.Encode());
    return document;
}

enum class Unreadable { Fail, Skip };

// Pages are shared out over this many databases, each filled on its own thread, and then searched
// (in memory) or compacted (on disk) as one.
std::size_t ShardCount(std::size_t pages)
{
    constexpr std::size_t kMostShards = 4;
    constexpr std::size_t kPagesPerShard = 256;  // below this a thread is not worth starting
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<std::size_t>(1, std::min({cores, kMostShards, pages / kPagesPerShard}));
}

// Adds page i of the listing to shard i % shards.size(); false when cancelled. A page that cannot
// be read throws (the tool must not write an index that lacks it) or is left out (the browser
// searches the rest). progress is called on this thread while the shards fill.
bool AddPages(const QString& catalogueDir, const Listing& listing, std::vector<Xapian::WritableDatabase>& shards,
              const std::function<void(int)>& progress, const std::atomic_bool* cancel, Unreadable unreadable)
{
    const QString data = DataFolder(catalogueDir) + QLatin1Char('/');
    std::atomic_int done{0};
    std::atomic_bool failed{false};
    const auto stopped = [&] { return failed.load() || (cancel != nullptr && cancel->load()); };
    const auto fill = [&](std::size_t shard) {
        try {
            Xapian::TermGenerator generator = MakeTermGenerator();
            for (std::size_t at = shard; at < listing.pages.size() && !stopped(); at += shards.size()) {
                const PageFile& file = listing.pages[at];
                QFile page(data + file.name);
                if (!page.open(QIODevice::ReadOnly) && unreadable == Unreadable::Skip)
                    continue;
                if (!page.isOpen())
                    throw std::runtime_error(Utf8(QStringLiteral("%1: %2").arg(page.fileName(), page.errorString())));
                shards[shard].add_document(PageDocument(file, ExtractPageText(page.readAll()), generator));
                ++done;
            }
        } catch (...) {
            failed = true;
            throw;
        }
    };
    std::vector<std::future<void>> running;
    for (std::size_t shard = 0; shard < shards.size(); ++shard)
        running.push_back(std::async(std::launch::async, fill, shard));
    int reported = 0;
    for (std::future<void>& shard : running)
        while (shard.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
            if (progress && done.load() >= reported + kProgressEvery)
                progress(reported = done.load());
    for (std::future<void>& shard : running)
        shard.get();  // a shard's failure goes on from here
    if (cancel != nullptr && cancel->load())
        return false;
    shards.front().set_metadata(kManifestKey, listing.manifest);
    shards.front().set_metadata(kFormatKey, kFormat);
    shards.front().set_metadata(kStemmerMetadataKey, ScriptStemmerName());
    if (progress)
        progress(done.load());
    return true;
}

// The query with every word in lower case but the parser's operators. The parser takes a word
// typed with a capital for a name and leaves it unstemmed, so "Насосы" would miss "насос".
std::string LowerCaseWords(const QString& query)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    static const QRegularExpression operatorWord(QStringLiteral("^(AND|OR|NOT|XOR|NEAR(/\\d+)?|ADJ(/\\d+)?)$"));
    QString lowered = query;
    for (QRegularExpressionMatchIterator it = word.globalMatch(query); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (!operatorWord.match(match.captured()).hasMatch())
            lowered.replace(match.capturedStart(), match.capturedLength(), match.captured().toLower());
    }
    return Utf8(lowered.trimmed());
}

// Sorts hits of equal weight so the interface language's page comes first (keys ascending).
class InterfaceLanguageFirst : public Xapian::KeyMaker {
public:
    explicit InterfaceLanguageFirst(std::string letter) : m_letter(std::move(letter)) {}
    std::string operator()(const Xapian::Document& document) const override
    {
        return document.get_value(kLetterSlot) == m_letter ? "0" : "1";
    }

private:
    std::string m_letter;
};

class XapianIndex final : public CatalogueIndex {
public:
    explicit XapianIndex(Xapian::Database database) : m_database(std::move(database)) {}

    Results Find(const QString& query, const QString& interfaceLetter, int offset, int limit) const override
    {
        const std::string text = LowerCaseWords(query);
        if (text.empty() || offset < 0 || limit <= 0)
            return {};
        const std::lock_guard<std::mutex> lock(m_mutex);
        try {
            return Run(text, query, Utf8(interfaceLetter), offset, limit);
        } catch (const Xapian::Error&) {
            return {};
        } catch (const std::exception&) {
            return {};
        }
    }

    std::vector<QString> WordsToMark(const QString& query, const QString& pageFile) const override
    {
        const std::string text = LowerCaseWords(query);
        if (text.empty())
            return {};
        const std::lock_guard<std::mutex> lock(m_mutex);
        try {
            const std::string term = kPageFilePrefix + Utf8(pageFile);
            const Xapian::PostingIterator page = m_database.postlist_begin(term);
            if (page == m_database.postlist_end(term))
                return {};
            const StoredPage stored = StoredPage::Decode(m_database.get_document(*page).get_data());
            Xapian::Enquire enquire(m_database);
            enquire.set_query(Xapian::Query(Xapian::Query::OP_FILTER, Parse(text), Xapian::Query(term)));
            const QStringList words =
                MatchedWords(enquire.get_mset(0, 1), Utf8(stored.title + u'\n' + stored.text), m_stemmer, query);
            return {words.begin(), words.end()};
        } catch (const Xapian::Error&) {
            return {};
        } catch (const std::exception&) {
            return {};
        }
    }

    std::vector<PageTitle> PageTitles() const override
    {
        std::vector<PageTitle> titles;
        const std::lock_guard<std::mutex> lock(m_mutex);
        try {
            for (Xapian::ValueIterator it = m_database.valuestream_begin(kTitleSlot);
                 it != m_database.valuestream_end(kTitleSlot); ++it) {
                const QString value = QString::fromStdString(*it);
                const qsizetype lineEnd = value.indexOf(QLatin1Char('\n'));
                if (lineEnd > 0)
                    titles.push_back({value.left(lineEnd), value.mid(lineEnd + 1)});
            }
        } catch (const Xapian::Error&) {
            return {};
        }
        return titles;
    }

    int PageCount() const override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        try {
            return int(m_database.get_doccount());
        } catch (const Xapian::Error&) {
            return 0;
        }
    }

private:
    Xapian::Query Parse(const std::string& text) const
    {
        Xapian::QueryParser parser;
        parser.set_database(m_database);
        parser.set_stemmer(m_stemmer);
        parser.set_stemming_strategy(Xapian::QueryParser::STEM_SOME);
        parser.set_default_op(Xapian::Query::OP_AND);
        parser.set_max_expansion(kMaxWildcardExpansion, Xapian::Query::WILDCARD_LIMIT_MOST_FREQUENT,
                                 Xapian::QueryParser::FLAG_WILDCARD);
        try {
            return parser.parse_query(text, kQueryFlags);
        } catch (const Xapian::QueryParserError&) {
            // Unbalanced quotes, a lone NOT and the like: take the words as they stand.
            return parser.parse_query(text, Xapian::QueryParser::FLAG_CJK_NGRAM);
        }
    }

    Results Run(const std::string& text, const QString& typed, const std::string& letter, int offset, int limit) const
    {
        Results results;
        const Xapian::Query query = Parse(text);
        if (query.empty())
            return results;
        Xapian::Enquire enquire(m_database);
        enquire.set_query(query);
        enquire.set_collapse_key(kProjectSlot);
        enquire.set_time_limit(kMatchSeconds);
        InterfaceLanguageFirst order(letter);
        enquire.set_sort_by_relevance_then_key(&order, false);
        const Xapian::MSet matches =
            enquire.get_mset(Xapian::doccount(offset), Xapian::doccount(limit), kCountedMatches);
        results.estimatedTotal = int(matches.get_matches_estimated());
        int rank = offset;
        for (Xapian::MSetIterator it = matches.begin(); it != matches.end(); ++it) {
            const StoredPage stored = StoredPage::Decode(it.get_document().get_data());
            Hit hit;
            hit.rank = ++rank;
            hit.pageFile = stored.fileName;
            hit.category = stored.page.category;
            hit.position = stored.page.position;
            hit.letter = stored.page.letter;
            hit.title = stored.title;
            MarkedText snippet = MakeSnippet(matches, Utf8(stored.text), kSnippetBytes, m_stemmer, typed);
            hit.snippet = std::move(snippet.text);
            hit.marks = std::move(snippet.marks);
            results.hits.push_back(std::move(hit));
        }
        return results;
    }

    mutable std::mutex m_mutex;  // Xapian's objects serve one thread at a time
    Xapian::Database m_database;
    Xapian::Stem m_stemmer = ScriptStemmer();
};

}  // namespace

std::unique_ptr<CatalogueIndex> OpenIndex(const QString& catalogueDir)
{
    const QString folder = IndexFolder(catalogueDir);
    if (!QFileInfo(folder).isDir())
        return nullptr;
    try {
        Xapian::Database database(LocalPath(folder), Xapian::DB_BACKEND_GLASS);
        if (database.get_metadata(kFormatKey) != kFormat ||
            database.get_metadata(kStemmerMetadataKey) != ScriptStemmerName())
            return nullptr;
        const Listing listing = Listing::Of(catalogueDir);
        if (!listing.readable || database.get_metadata(kManifestKey) != listing.manifest ||
            database.get_doccount() != listing.pages.size())
            return nullptr;
        return std::make_unique<XapianIndex>(std::move(database));
    } catch (const Xapian::Error&) {
        return nullptr;
    }
}

std::unique_ptr<CatalogueIndex> BuildInMemory(const QString& catalogueDir, const std::function<void(int)>& progress,
                                              const std::atomic_bool& cancel)
{
    try {
        const Listing listing = Listing::Of(catalogueDir);
        std::vector<Xapian::WritableDatabase> shards;
        for (std::size_t shard = 0; shard < ShardCount(listing.pages.size()); ++shard)
            shards.emplace_back(std::string(), Xapian::DB_BACKEND_INMEMORY);
        if (!AddPages(catalogueDir, listing, shards, progress, &cancel, Unreadable::Skip))
            return nullptr;
        Xapian::Database database;
        for (const Xapian::WritableDatabase& shard : shards)
            database.add_database(shard);
        return std::make_unique<XapianIndex>(std::move(database));
    } catch (const Xapian::Error&) {
        return nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void WriteIndex(const QString& catalogueDir)
{
    const Listing listing = Listing::Of(catalogueDir);
    if (!listing.readable)
        throw std::runtime_error(Utf8(DataFolder(catalogueDir) + QStringLiteral(": cannot read the folder")));
    const QString target = IndexFolder(catalogueDir);
    // Built beside the old index, compacted (about half the size, and quicker to read) and
    // swapped in at the end, so a failed run leaves the old one as it was.
    const QString draft = target + QStringLiteral(".draft");
    const QString fresh = target + QStringLiteral(".new");
    const auto removeTemporaries = [&] {
        QDir(draft).removeRecursively();
        QDir(fresh).removeRecursively();
    };
    removeTemporaries();
    try {
        if (!QDir().mkpath(draft))
            throw std::runtime_error(Utf8(draft) + ": cannot create the folder");
        QStringList shardFolders;
        for (std::size_t shard = 0; shard < ShardCount(listing.pages.size()); ++shard)
            shardFolders << draft + QStringLiteral("/%1").arg(shard);
        {
            std::vector<Xapian::WritableDatabase> shards;
            for (const QString& folder : shardFolders)
                shards.emplace_back(LocalPath(folder), Xapian::DB_CREATE_OR_OVERWRITE | Xapian::DB_BACKEND_GLASS);
            AddPages(catalogueDir, listing, shards, {}, nullptr, Unreadable::Fail);
            for (Xapian::WritableDatabase& shard : shards) {
                shard.commit();
                shard.close();
            }
        }
        Xapian::Database drafts;
        for (const QString& folder : shardFolders)
            drafts.add_database(Xapian::Database(LocalPath(folder)));
        drafts.compact(LocalPath(fresh));
        QDir(draft).removeRecursively();
    } catch (const Xapian::Error& error) {
        removeTemporaries();
        throw std::runtime_error(Utf8(target) + ": " + error.get_description());
    } catch (...) {
        removeTemporaries();
        throw;
    }
    if (QFileInfo::exists(target) && !QDir(target).removeRecursively())
        throw std::runtime_error(Utf8(target) + ": cannot remove the old index");
    if (!QDir().rename(fresh, target))
        throw std::runtime_error(Utf8(target) + ": cannot put the new index in place");
}

}  // namespace fulltext
