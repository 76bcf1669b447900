#pragma once
// The full-text index of a catalogue's page files in all three languages: opened read-only from
// index/ beside data/, or built in memory when a catalogue has none, and queried with the Xapian
// query parser's syntax. No widget here: the browser and the catalogue tool both use it.
//
// Find may be called from several threads at once. Xapian's database objects serve one thread at
// a time: on an index opened from disk each call takes a database no other call uses (one an
// earlier call left idle, or one opened for it; an index the tool swaps in meanwhile is opened
// afresh), and on an index built in memory calls take turns. Every query keeps the limits of
// query_limits.h.
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace fulltext {

// One page that matched.
struct Hit {
    int rank = 0;  // 1 for the best hit of the whole result, counting across pages
    QString pageFile;  // the file that matched, for example 05012e.html
    std::int32_t category = 0;
    std::int32_t position = 0;
    QString letter;  // language letter of the page the words were found in: r, e or c
    QString title;  // plain text
    QString snippet;  // plain text, the query's words marked by the spans below
    std::vector<std::pair<int, int>> marks;  // (start, length) in snippet of each matched word
};

// A page as the index names it: its file and the title its hits show.
struct PageTitle {
    QString pageFile;
    QString title;
};

struct Results {
    std::vector<Hit> hits;  // at most the limit asked for, best first
    int estimatedTotal = 0;  // matches in the whole index (Xapian's estimate, exact when small)
    // The query met one of the limits of query_limits.h: words were left out, the count was cut
    // short, or hits are shown without their snippets. The hits are those found within them.
    bool cut = false;
    // Pages an index built in memory left out to stay within kInMemoryBudget: not searched.
    int pagesLeftOut = 0;
};

// The index cannot be trusted: the engine reports it damaged, it holds what no sound index can
// (a document without a page name, a position no page has), or a page file changed since it was
// indexed. what() names the file, relative to the catalogue folder ("index/postlist.glass: ...",
// "data/05012e.html: ...").
class UnsoundIndex : public std::runtime_error {
public:
    explicit UnsoundIndex(const QString& problem) : std::runtime_error(problem.toStdString()) {}
    QString problem() const { return QString::fromUtf8(what()); }
};

class CatalogueIndex {
public:
    virtual ~CatalogueIndex() = default;
    // Runs a query typed by the user. Parser syntax: words (all required), "phrases", OR, NOT,
    // -word, prefix*. A query the parser rejects is run as plain words; an empty or blank query
    // gives no hits. Never throws for any query text; throws UnsoundIndex when the index is
    // damaged or out of date. Pages of every language are searched; the interface letter only
    // breaks ties in favour of the interface language's pages, and one project appears once, on
    // the page of the language where it matched best. Snippets are taken from the page files.
    virtual Results Find(const QString& query, const QString& interfaceLetter, int offset, int limit) const = 0;
    virtual int PageCount() const = 0;
    // The words of a page file (pageFile as in a Hit) that the query matches, each once as written
    // there, for marking them on the page; none for a page the index does not hold.
    virtual std::vector<QString> WordsToMark(const QString& /*query*/, const QString& /*pageFile*/) const { return {}; }
    // Every page the index holds with its title, in no particular order; none from an index that
    // keeps no titles apart.
    virtual std::vector<PageTitle> PageTitles() const { return {}; }
};

// How far opening an index looks at the page files. Quick: the data folder's modification time,
// and its listing when that changed (a page added, removed or renamed); a page edited in place is
// found when it is a hit. Pages: every page file's size and modification time as well, and the
// checksum of one whose time changed (the browser does this on its own thread).
enum class Verification { Quick, Pages };

struct IndexOpening {
    std::unique_ptr<CatalogueIndex> index;  // null when it cannot be used
    QString problem;  // then why, naming the file relative to the catalogue folder
};

// Opens catalogueDir/index read-only when it is there, sound, made with this stemmer
// (see IndexHasOtherStemmer) and up to date with data/. Quick verification takes a few milliseconds
// whatever the catalogue's size.
IndexOpening TryOpenIndex(const QString& catalogueDir, Verification verification = Verification::Quick);

// The same, without the reason.
std::unique_ptr<CatalogueIndex> OpenIndex(const QString& catalogueDir);

// Memory an index built in memory may take. Xapian's in-memory backend keeps about 160 bytes per
// term of a page (1.2 GB for the 33,000 pages of the largest catalogue), where its index on disk
// takes 110 MB: a catalogue that large should bring its index/. Beyond this the build leaves out
// the remaining pages, and every search says how many.
constexpr std::int64_t kInMemoryBudget = std::int64_t(400) << 20;

// Builds an index of catalogueDir/data in memory, writing no file. progress(pagesRead) is called
// now and then from the calling thread; a set cancel flag ends the build within a moment, at any
// page (null returned). Files that are no regular files are left out; a page is read up to
// kMostPageBytes (page_file.h); pages beyond kInMemoryBudget are left out.
std::unique_ptr<CatalogueIndex> BuildInMemory(const QString& catalogueDir, const std::function<void(int)>& progress,
                                              const std::atomic_bool& cancel);
// The same within another budget of bytes.
std::unique_ptr<CatalogueIndex> BuildInMemory(const QString& catalogueDir, const std::function<void(int)>& progress,
                                              const std::atomic_bool& cancel, std::int64_t budget);

// Writes catalogueDir/index (replacing one that is there) for the catalogue tool, with its
// manifest (index_manifest.h). One writer at a time (index_folder.h): a second is refused; the
// old index is replaced in one step by the complete new one. Files of data/ that are no regular
// files are left out; an unreadable page fails the write. Returns a line for each page left out
// or read in part (page_file.h). Throws std::runtime_error with a readable message when the
// folder cannot be read or written, or another writer holds it.
QStringList WriteIndex(const QString& catalogueDir);

// What is wrong with catalogueDir/index and with the page files as the index reads them, one line
// each, naming the file (relative to the catalogue folder): the index missing, damaged (a table
// whose checksum differs, the engine's own check, documents that are no pages) or out of date (a
// page added, removed or changed since); files of data/ with names that are almost page names;
// pages that are no regular files, larger than kMostPageBytes or unreadable. Reads every table
// and every page file; empty when all is sound.
QStringList CheckIndex(const QString& catalogueDir);

}  // namespace fulltext
