// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "catalogue_index.h"

#include "index_folder.h"
#include "index_stemmer.h"
#include "index_manifest.h"
#include "page_document.h"
#include "page_file.h"
#include "page_names.h"
#include "page_text.h"
#include "query_limits.h"
#include "script_stemmer.h"
#include "snippet_marks.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <future>
#include <iterator>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>

namespace fulltext {

namespace {

// A title word counts as often as five body words, a heading word as three.
constexpr Xapian::termcount kTitleWeight = 5;
constexpr Xapian::termcount kHeadingWeight = 3;
// Gap between fields, so a phrase never runs from the title into the body.
constexpr Xapian::termpos kFieldGap = 100;

constexpr int kSnippetBytes = 320;
// Matches looked at in any case, so a total up to this many is exact, not an estimate.
constexpr Xapian::doccount kCountedMatches = 1000;
constexpr int kProgressEvery = 64;
// Characters of a page's text given to the term generator between two looks at the cancel flag.
constexpr qsizetype kIndexStep = 64 * 1024;

constexpr unsigned kQueryFlags = Xapian::QueryParser::FLAG_PHRASE | Xapian::QueryParser::FLAG_BOOLEAN |
    Xapian::QueryParser::FLAG_LOVEHATE | Xapian::QueryParser::FLAG_WILDCARD | Xapian::QueryParser::FLAG_CJK_NGRAM;

std::string Utf8(const QString& text) { return text.toStdString(); }

// A folder name as the file system spells it, for Xapian.
std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString DataFolder(const QString& catalogueDir) { return catalogueDir + QStringLiteral("/data"); }

QString IndexFolder(const QString& catalogueDir) { return catalogueDir + QStringLiteral("/index"); }

// The files of data/ with page names, and the folder's time before they were listed.
struct Listing {
    bool readable = false;
    QStringList names;
    std::int64_t dataModified = -1;

    static Listing Of(const QString& catalogueDir)
    {
        Listing listing;
        listing.dataModified = ModificationTime(DataFolder(catalogueDir));
        const std::optional<QStringList> names = ListPageNames(DataFolder(catalogueDir));
        listing.readable = names.has_value();
        if (names)
            listing.names = *names;
        return listing;
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

// Gives the text to the generator a step at a time, each step ending at a blank where there is
// one; false when cancelled.
bool IndexText(Xapian::TermGenerator& generator, const QString& text, Xapian::termcount weight,
               const std::atomic_bool* cancel)
{
    for (qsizetype at = 0; at < text.size();) {
        if (cancel != nullptr && cancel->load())
            return false;
        qsizetype end = std::min(text.size(), at + kIndexStep);
        if (end < text.size()) {
            const qsizetype blank = text.lastIndexOf(u' ', end);
            if (blank > at)
                end = blank;
            else if (text[end - 1].isHighSurrogate())
                --end;
        }
        generator.index_text(Utf8(text.mid(at, end - at)), weight);
        at = end;
    }
    return true;
}

std::optional<Xapian::Document> PageDocument(const PageRecord& record, const PageName& page, const PageText& text,
                                             Xapian::TermGenerator& generator, const std::atomic_bool* cancel)
{
    Xapian::Document document;
    generator.set_document(document);
    if (!IndexText(generator, text.title, kTitleWeight, cancel))
        return std::nullopt;
    generator.increase_termpos(kFieldGap);
    if (!IndexText(generator, text.headings, kHeadingWeight, cancel))
        return std::nullopt;
    generator.increase_termpos(kFieldGap);
    if (!IndexText(generator, text.body, 1, cancel))
        return std::nullopt;
    document.add_value(kProjectSlot, ProjectKey({page.category, page.position}).toStdString());
    document.add_value(kLetterSlot, Utf8(page.letter));
    const QString title = text.title.isEmpty() ? text.headings.section(QLatin1Char('\n'), 0, 0) : text.title;
    document.add_boolean_term(kPageFilePrefix + Utf8(record.name));
    document.add_value(kTitleSlot, Utf8(record.name) + '\n' + Utf8(title.left(kMostTitleCharacters)));
    document.set_data(EncodeStoredPage(record, title.left(kMostTitleCharacters)));
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

// What a page costs Xapian's in-memory backend, measured on the synthetic catalogue: each term of
// a page is a posting kept twice (in the term's list and in the page's), with its positions.
constexpr std::int64_t kInMemoryBytesPerTerm = 160;
constexpr std::int64_t kInMemoryBytesPerPosition = 16;

std::int64_t InMemoryCost(const Xapian::Document& document)
{
    std::int64_t positions = 0;
    for (Xapian::TermIterator term = document.termlist_begin(); term != document.termlist_end(); ++term)
        positions += term.positionlist_count();
    return std::int64_t(document.termlist_count()) * kInMemoryBytesPerTerm + positions * kInMemoryBytesPerPosition;
}

// Adds page i of the listing to shard i % shards.size() and fills records[i]; false when
// cancelled. Files that are no regular files are left out (records[i].size is -1). A page that
// cannot be read throws (the tool must not write an index that lacks it) or is left out (the
// browser searches the rest). With a budget (in memory), pages stop being added once their cost
// would pass it; *leftOut counts them. progress is called on this thread while the shards fill.
bool AddPages(const QString& catalogueDir, const Listing& listing, std::vector<Xapian::WritableDatabase>& shards,
              const std::function<void(int)>& progress, const std::atomic_bool* cancel, Unreadable unreadable,
              std::vector<PageRecord>& records, std::int64_t budget = 0, int* leftOut = nullptr)
{
    const QString data = DataFolder(catalogueDir) + QLatin1Char('/');
    records.assign(std::size_t(listing.names.size()), PageRecord{});
    std::atomic_int done{0};
    std::atomic_int overBudget{0};
    std::atomic<std::int64_t> spent{0};
    std::atomic_bool failed{false};
    std::atomic_bool full{false};
    const auto stopped = [&] { return failed.load() || (cancel != nullptr && cancel->load()); };
    const auto fill = [&](std::size_t shard) {
        try {
            Xapian::TermGenerator generator = MakeTermGenerator();
            for (std::size_t at = shard; at < records.size() && !stopped(); at += shards.size()) {
                PageRecord& record = records[at];
                record.name = listing.names[qsizetype(at)];
                if (full) {
                    ++overBudget;
                    continue;
                }
                const PageFile file = ReadPageFile(data + record.name, kMostPageBytes, cancel);
                if (file.state == PageFileState::Cancelled || file.state == PageFileState::NotRegular)
                    continue;
                if (file.state == PageFileState::Unreadable && unreadable == Unreadable::Skip)
                    continue;
                if (file.state == PageFileState::Unreadable)
                    throw std::runtime_error(Utf8(QStringLiteral("%1: %2").arg(data + record.name, file.error)));
                record.size = file.size;
                record.modified = file.modified;
                record.checksum = PageChecksum(file.bytes);
                const std::optional<Xapian::Document> document = PageDocument(
                    record, *ParsePageName(record.name), ExtractPageText(file.bytes, cancel), generator, cancel);
                if (!document)
                    continue;
                if (budget > 0 && (spent += InMemoryCost(*document)) > budget) {
                    full = true;
                    ++overBudget;
                    continue;
                }
                shards[shard].add_document(*document);
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
    shards.front().set_metadata(kFormatKey, kFormat);
    shards.front().set_metadata(kStemmerMetadataKey, ScriptStemmerName());
    if (leftOut != nullptr)
        *leftOut = overBudget.load();
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

QString Damaged(const Xapian::Error& error)
{
    return QStringLiteral("index/: damaged: %1").arg(QString::fromStdString(error.get_description()));
}

// Device and inode of a folder: another after the tool swaps in a new index.
std::pair<std::uint64_t, std::uint64_t> FolderIdentity(const std::string& folder)
{
    struct stat status {};
    if (folder.empty() || ::stat(folder.c_str(), &status) != 0)
        return {0, 0};
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

QString Changed(const QString& name)
{
    return QStringLiteral("data/%1: changed since the index was written").arg(name);
}

// Whether the page file is the one the record was made of: its size, and its checksum when its
// modification time differs (a copied catalogue keeps its bytes but not always its times).
bool Unchanged(const QString& path, const PageRecord& record, const PageFile& read)
{
    if (read.state != PageFileState::Read && read.state != PageFileState::Cut)
        return record.size < 0 && read.state == PageFileState::NotRegular;
    if (record.size < 0 || read.size != record.size)
        return false;
    if (read.modified == record.modified)
        return true;
    const PageFile whole = read.state == PageFileState::Read ? read : ReadPageFile(path);
    return PageChecksum(whole.bytes) == record.checksum;
}

class XapianIndex final : public CatalogueIndex {
public:
    // On disk: the folder, whose databases are lent to one call at a time.
    XapianIndex(std::string folder, QString dataFolder, int pages)
        : m_folder(std::move(folder)), m_data(std::move(dataFolder)), m_pages(pages)
    {}
    // In memory: one database, lent to one call at a time, and the pages the budget left out.
    XapianIndex(Xapian::Database memory, QString dataFolder, int leftOut)
        : m_memory(std::move(memory)), m_data(std::move(dataFolder)), m_leftOut(leftOut)
    {}

    Results Find(const QString& query, const QString& interfaceLetter, int offset, int limit) const override
    {
        QElapsedTimer clock;
        clock.start();
        const LimitedQuery limited = LimitQuery(query);
        const std::string text = LowerCaseWords(limited.text);
        if (text.empty() || offset < 0 || limit <= 0)
            return {};
        try {
            const Lease lease(*this);
            Results results = Run(lease.database(), QString::fromStdString(text), limited.text, Utf8(interfaceLetter),
                                  offset, limit, clock);
            results.cut = results.cut || limited.cut;
            results.pagesLeftOut = m_leftOut;
            return results;
        } catch (const Xapian::QueryParserError&) {
            return {};
        } catch (const Xapian::WildcardError&) {
            return {};
        } catch (const Xapian::RuntimeError& error) {
            // Corrupt tables, a document that is not there, data that does not unserialise.
            throw UnsoundIndex(Damaged(error));
        } catch (const Xapian::Error&) {
            return {};
        }
    }

    std::vector<QString> WordsToMark(const QString& query, const QString& pageFile) const override
    {
        const std::string text = LowerCaseWords(LimitQuery(query).text);
        if (text.empty())
            return {};
        try {
            const Lease lease(*this);
            const Xapian::Database& database = lease.database();
            const std::string term = kPageFilePrefix + Utf8(pageFile);
            const Xapian::PostingIterator page = database.postlist_begin(term);
            if (page == database.postlist_end(term))
                return {};
            const std::optional<StoredPage> stored = DecodeStoredPage(database.get_document(*page).get_data());
            if (!stored)
                return {};
            const Xapian::Stem stemmer = ScriptStemmer();
            Xapian::Enquire enquire(database);
            enquire.set_query(
                Xapian::Query(Xapian::Query::OP_FILTER, Parse(database, stemmer, text), Xapian::Query(term)));
            const QStringList words =
                MatchedWords(enquire.get_mset(0, 1),
                             Utf8(stored->title + u'\n' + ReadHitPage(*stored, kMostPageBytes).body), stemmer, query);
            return {words.begin(), words.end()};
        } catch (const UnsoundIndex&) {
            return {};
        } catch (const Xapian::Error&) {
            return {};
        }
    }

    std::vector<PageTitle> PageTitles() const override
    {
        std::vector<PageTitle> titles;
        try {
            const Lease lease(*this);
            const Xapian::Database& database = lease.database();
            for (Xapian::ValueIterator it = database.valuestream_begin(kTitleSlot);
                 it != database.valuestream_end(kTitleSlot); ++it) {
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
        if (!m_folder.empty())
            return m_pages;
        const std::lock_guard<std::mutex> lock(m_mutex);
        try {
            return int(m_memory.get_doccount());
        } catch (const Xapian::Error&) {
            return 0;
        }
    }

private:
    // A database for the time of one call: on disk one that no other call uses, taken from the
    // idle ones or opened (a database that serves many calls keeps the tables' upper blocks at
    // hand), and given back at the end; in memory the one database, in its turn.
    class Lease {
    public:
        explicit Lease(const XapianIndex& index) : index_(index)
        {
            if (index.m_folder.empty()) {
                turn_ = std::unique_lock<std::mutex>(index.m_mutex);
                return;
            }
            {
                const std::lock_guard<std::mutex> lock(index.m_mutex);
                // An index swapped in by a new run of the tool is another folder: its databases
                // are opened afresh.
                if (FolderIdentity(index.m_folder) != index.m_identity) {
                    index.m_idle.clear();
                    index.m_identity = FolderIdentity(index.m_folder);
                }
                if (!index.m_idle.empty()) {
                    pooled_ = std::move(index.m_idle.back());
                    index.m_idle.pop_back();
                }
            }
            if (!pooled_)
                pooled_ = std::make_unique<Xapian::Database>(index.m_folder, Xapian::DB_BACKEND_GLASS);
        }
        ~Lease()
        {
            if (!pooled_)
                return;
            const std::lock_guard<std::mutex> lock(index_.m_mutex);
            index_.m_idle.push_back(std::move(pooled_));
        }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        const Xapian::Database& database() const { return pooled_ ? *pooled_ : index_.m_memory; }

    private:
        const XapianIndex& index_;
        std::unique_lock<std::mutex> turn_;
        std::unique_ptr<Xapian::Database> pooled_;
    };

    static Xapian::Query Parse(const Xapian::Database& database, const Xapian::Stem& stemmer, const std::string& text)
    {
        Xapian::QueryParser parser;
        parser.set_database(database);
        parser.set_stemmer(stemmer);
        parser.set_stemming_strategy(Xapian::QueryParser::STEM_SOME);
        parser.set_default_op(Xapian::Query::OP_AND);
        parser.set_max_expansion(kMostWildcardExpansion, Xapian::Query::WILDCARD_LIMIT_MOST_FREQUENT,
                                 Xapian::QueryParser::FLAG_WILDCARD);
        try {
            return parser.parse_query(text, kQueryFlags);
        } catch (const Xapian::QueryParserError&) {
            // Unbalanced quotes, a lone NOT and the like: take the words as they stand.
            return parser.parse_query(text, Xapian::QueryParser::FLAG_CJK_NGRAM);
        }
    }

    static long TermCount(const Xapian::Query& query)
    {
        return long(std::distance(query.get_unique_terms_begin(), query.get_unique_terms_end()));
    }

    Results Run(const Xapian::Database& database, QString text, const QString& typed, const std::string& letter,
                int offset, int limit, const QElapsedTimer& clock) const
    {
        Results results;
        const Xapian::Stem stemmer = ScriptStemmer();
        Xapian::Query query = Parse(database, stemmer, Utf8(text));
        while (TermCount(query) > kMostQueryTerms) {
            text = ShortenedQuery(text);
            results.cut = true;
            query = text.isEmpty() ? Xapian::Query() : Parse(database, stemmer, Utf8(text));
        }
        if (query.empty())
            return results;
        Xapian::Enquire enquire(database);
        enquire.set_query(query);
        enquire.set_collapse_key(kProjectSlot);
        InterfaceLanguageFirst order(letter);
        enquire.set_sort_by_relevance_then_key(&order, false);
        enquire.set_time_limit(kMatchSeconds);
        QElapsedTimer matching;
        matching.start();
        const Xapian::MSet matches =
            enquire.get_mset(Xapian::doccount(offset), Xapian::doccount(limit), kCountedMatches);
        // The engine then stopped counting: the total is an estimate short of its end.
        results.cut = results.cut || matching.elapsed() >= qint64(kMatchSeconds * 1000);
        results.estimatedTotal = int(matches.get_matches_estimated());
        int rank = offset;
        for (Xapian::MSetIterator it = matches.begin(); it != matches.end(); ++it) {
            const Xapian::Document document = it.get_document();
            const std::optional<StoredPage> stored = DecodeStoredPage(document.get_data());
            if (!stored ||
                document.get_value(kProjectSlot) !=
                    ProjectKey({stored->page.category, stored->page.position}).toStdString())
                throw UnsoundIndex(QStringLiteral("index/: damaged: document %1 is no page of the catalogue").arg(*it));
            Hit hit;
            hit.rank = ++rank;
            hit.pageFile = stored->record.name;
            hit.category = stored->page.category;
            hit.position = stored->page.position;
            hit.letter = stored->page.letter;
            hit.title = stored->title;
            if (clock.elapsed() < kSnippetMilliseconds) {
                MarkedText snippet =
                    MakeSnippet(matches, Utf8(ReadHitPage(*stored).content), kSnippetBytes, stemmer, typed);
                hit.snippet = std::move(snippet.text);
                hit.marks = std::move(snippet.marks);
            } else {
                results.cut = true;
            }
            results.hits.push_back(std::move(hit));
        }
        return results;
    }

    // The text of a hit's page for its snippet, from the page file as it is now (up to
    // `bytes`): one that is no longer the page that was indexed makes the index out of date.
    PageText ReadHitPage(const StoredPage& stored, std::int64_t bytes = kSnippetSourceBytes) const
    {
        const QString path = m_data + QLatin1Char('/') + stored.record.name;
        const PageFile file = ReadPageFile(path, bytes);
        if (!Unchanged(path, stored.record, file))
            throw UnsoundIndex(Changed(stored.record.name));
        return ExtractPageText(file.bytes);
    }

    const std::string m_folder;  // empty for an index in memory
    const Xapian::Database m_memory;
    mutable std::mutex m_mutex;  // the turns on m_memory; on disk, m_idle and m_identity
    mutable std::vector<std::unique_ptr<Xapian::Database>> m_idle;
    mutable std::pair<std::uint64_t, std::uint64_t> m_identity = FolderIdentity(m_folder);
    const QString m_data;
    const int m_pages = 0;
    const int m_leftOut = 0;
};

// Whether the pages of data/ are those the index was written from. Names when the folder's time
// changed; with Pages, each file's size and time, and the checksum of one whose time changed.
QString StaleProblem(const QString& catalogueDir, const IndexManifest& manifest, Verification verification)
{
    const QString data = DataFolder(catalogueDir);
    const bool listingChanged = ModificationTime(data) != manifest.dataModified;
    if (!listingChanged && verification == Verification::Quick)
        return QString();
    const std::optional<std::vector<PageRecord>> records = ReadPageRecords(IndexFolder(catalogueDir));
    if (!records)
        return QStringLiteral("index/%1: missing or unreadable: the index is damaged").arg(QLatin1String(kPagesFile));
    if (listingChanged) {
        const std::optional<QStringList> names = ListPageNames(data);
        if (!names)
            return QStringLiteral("data/: cannot be read");
        QStringList recorded;
        for (const PageRecord& record : *records)
            recorded << record.name;
        for (const QString& name : *names)
            if (!std::binary_search(recorded.cbegin(), recorded.cend(), name))
                return QStringLiteral("data/%1: added since the index was written").arg(name);
        for (const QString& name : std::as_const(recorded))
            if (!std::binary_search(names->cbegin(), names->cend(), name))
                return QStringLiteral("data/%1: removed since the index was written").arg(name);
    }
    if (verification == Verification::Pages)
        for (const PageRecord& record : *records) {
            const QString path = data + QLatin1Char('/') + record.name;
            if (!Unchanged(path, record, ReadPageFile(path, 0)))
                return Changed(record.name);
        }
    return QString();
}

}  // namespace

IndexOpening TryOpenIndex(const QString& catalogueDir, Verification verification)
{
    const QString folder = IndexFolder(catalogueDir);
    if (!QFileInfo(folder).isDir())
        return {nullptr, QStringLiteral("index/: missing")};
    std::int64_t documents = 0;
    QString unopened;
    try {
        // The form and the stemmer first: an index of another version is no damaged one.
        const Xapian::Database database(LocalPath(folder), Xapian::DB_BACKEND_GLASS);
        if (database.get_metadata(kFormatKey) != kFormat)
            return {nullptr, QStringLiteral("index/: written by another version: write it again")};
        if (database.get_metadata(kStemmerMetadataKey) != ScriptStemmerName())
            return {
                nullptr,
                QStringLiteral("index/: made by another version, which finds other forms of words: write it again")};
        documents = std::int64_t(database.get_doccount());
    } catch (const Xapian::Error& error) {
        unopened = Damaged(error);  // named by its table below where the manifest can tell which
    }
    const std::optional<IndexManifest> manifest = ReadManifest(folder);
    if (!manifest)
        return {
            nullptr,
            QStringLiteral("index/%1: missing or unreadable: the index is damaged").arg(QLatin1String(kManifestFile))};
    // A table cut short or grown is damaged; its checksum is for the tool's check.
    for (const IndexTable& table : manifest->tables) {
        const QFileInfo file(folder + QLatin1Char('/') + table.name);
        if (!file.isFile() || file.size() != table.size)
            return {nullptr,
                    QStringLiteral("index/%1: damaged: %2 bytes where %3 were written")
                        .arg(table.name)
                        .arg(file.isFile() ? file.size() : 0)
                        .arg(table.size)};
    }
    if (!unopened.isEmpty())
        return {nullptr, unopened};
    if (documents != manifest->pages)
        return {nullptr,
                QStringLiteral("index/: damaged: %1 pages where %2 were written").arg(documents).arg(manifest->pages)};
    const QString stale = StaleProblem(catalogueDir, *manifest, verification);
    if (!stale.isEmpty())
        return {nullptr, stale};
    return {std::make_unique<XapianIndex>(LocalPath(folder), DataFolder(catalogueDir), int(manifest->pages)), {}};
}

std::unique_ptr<CatalogueIndex> OpenIndex(const QString& catalogueDir) { return TryOpenIndex(catalogueDir).index; }

std::unique_ptr<CatalogueIndex> BuildInMemory(const QString& catalogueDir, const std::function<void(int)>& progress,
                                              const std::atomic_bool& cancel)
{
    return BuildInMemory(catalogueDir, progress, cancel, kInMemoryBudget);
}

std::unique_ptr<CatalogueIndex> BuildInMemory(const QString& catalogueDir, const std::function<void(int)>& progress,
                                              const std::atomic_bool& cancel, std::int64_t budget)
{
    try {
        const Listing listing = Listing::Of(catalogueDir);
        std::vector<Xapian::WritableDatabase> shards;
        for (std::size_t shard = 0; shard < ShardCount(std::size_t(listing.names.size())); ++shard)
            shards.emplace_back(std::string(), Xapian::DB_BACKEND_INMEMORY);
        std::vector<PageRecord> records;
        int leftOut = 0;
        if (!AddPages(catalogueDir, listing, shards, progress, &cancel, Unreadable::Skip, records, budget, &leftOut))
            return nullptr;
        Xapian::Database database;
        for (const Xapian::WritableDatabase& shard : shards)
            database.add_database(shard);
        return std::make_unique<XapianIndex>(std::move(database), DataFolder(catalogueDir), leftOut);
    } catch (const Xapian::Error&) {
        return nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

QStringList WriteIndex(const QString& catalogueDir)
{
    const IndexWriteLock lock(catalogueDir);
    RemoveLeftovers(catalogueDir);
    const Listing listing = Listing::Of(catalogueDir);
    if (!listing.readable)
        throw std::runtime_error(Utf8(DataFolder(catalogueDir) + QStringLiteral(": cannot read the folder")));
    const QString target = IndexFolder(catalogueDir);
    // Built beside the old index, compacted (about half the size, and quicker to read) and
    // swapped in at the end, so a failed run leaves the old one as it was.
    const QString draft = DraftFolder(catalogueDir);
    const QString fresh = FreshFolder(catalogueDir);
    try {
        if (!QDir().mkpath(draft))
            throw std::runtime_error(Utf8(draft) + ": cannot create the folder");
        QStringList shardFolders;
        for (std::size_t shard = 0; shard < ShardCount(std::size_t(listing.names.size())); ++shard)
            shardFolders << draft + QStringLiteral("/%1").arg(shard);
        std::vector<PageRecord> records;
        {
            std::vector<Xapian::WritableDatabase> shards;
            for (const QString& folder : shardFolders)
                shards.emplace_back(LocalPath(folder), Xapian::DB_CREATE_OR_OVERWRITE | Xapian::DB_BACKEND_GLASS);
            AddPages(catalogueDir, listing, shards, {}, nullptr, Unreadable::Fail, records);
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
        if (!WriteManifest(fresh, listing.dataModified, records))
            throw std::runtime_error(Utf8(fresh) + ": cannot write the manifest");
        ReplaceFolder(fresh, target);
        QStringList notices;
        for (const PageRecord& record : records)
            if (record.size < 0 || record.size > kMostPageBytes)
                notices << ReadingNotice(record.name, record.size < 0 ? PageFileState::NotRegular : PageFileState::Cut);
        return notices;
    } catch (const Xapian::Error& error) {
        RemoveLeftovers(catalogueDir);
        throw std::runtime_error(Utf8(target) + ": " + error.get_description());
    } catch (...) {
        RemoveLeftovers(catalogueDir);
        throw;
    }
}

}  // namespace fulltext
