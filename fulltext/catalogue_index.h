#pragma once
// The full-text index of a catalogue's page files in all three languages: opened read-only from
// index/ beside data/, or built in memory when a catalogue has none, and queried with the Xapian
// query parser's syntax. No widget here: the browser and the catalogue tool both use it.
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
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
};

class CatalogueIndex {
public:
    virtual ~CatalogueIndex() = default;
    // Runs a query typed by the user. Parser syntax: words (all required), "phrases", OR, NOT,
    // -word, prefix*. A query the parser rejects is run as plain words; an empty or blank query
    // gives no hits. Never throws for any query text. Pages of every language are searched;
    // the interface letter only breaks ties in favour of the interface language's pages, and
    // one project appears once, on the page of the language where it matched best.
    virtual Results Find(const QString& query, const QString& interfaceLetter, int offset, int limit) const = 0;
    virtual int PageCount() const = 0;
    // The words of a page file (pageFile as in a Hit) that the query matches, each once as written
    // there, for marking them on the page; none for a page the index does not hold.
    virtual std::vector<QString> WordsToMark(const QString& /*query*/, const QString& /*pageFile*/) const { return {}; }
    // Every page the index holds with its title, in no particular order; none from an index that
    // keeps no titles apart.
    virtual std::vector<PageTitle> PageTitles() const { return {}; }
};

// Opens catalogueDir/index read-only. Returns null when there is none, when it cannot be opened,
// when it was made with another stemmer (IndexHasOtherStemmer) or when its manifest (names and
// sizes of the page files) does not match catalogueDir/data.
std::unique_ptr<CatalogueIndex> OpenIndex(const QString& catalogueDir);

// Builds an index of catalogueDir/data in memory, writing no file. progress(pagesRead) is called
// now and then from the calling thread; a set cancel flag ends the build early (null returned).
std::unique_ptr<CatalogueIndex> BuildInMemory(const QString& catalogueDir, const std::function<void(int)>& progress,
                                              const std::atomic_bool& cancel);

// Writes catalogueDir/index (replacing one that is there) for the catalogue tool. Throws
// std::runtime_error with a readable message when the folder cannot be read or written.
void WriteIndex(const QString& catalogueDir);

}  // namespace fulltext
