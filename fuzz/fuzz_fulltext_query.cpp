// Fuzzes the full-text query path: any text typed into the find bar, with any interface letter,
// offset and limit, goes through the query parser (or its plain-words fallback), the ranking with
// one hit per project, and the snippets, on a small in-memory index of pages in three languages.
// Nothing may throw, and every hit must be sound: ranks counting on from the offset, a page file
// whose name gives its category, position and letter, marks inside the snippet, one per project.
//
// Input: one byte (bits 0-1 interface letter, bit 2 raw UTF-16 text, bits 3-4 offset 0..3, bits
// 5-7 limit 1..8), then the query text.
#include "catalogue_index.h"
#include "fuzz_check.h"
#include "page_names.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const char* const kPages[][3] = {
    {"01001r.html", "Насос", "<h1>Погружной насос</h1><p>Насосы для скважин и воды. Давление 10 атм.</p>"},
    {"01001e.html", "Pump", "<h1>Submersible pump</h1><p>Pumps for wells and water. Pressure 10 atm.</p>"},
    {"01001c.html", "水泵", "<h1>潜水泵</h1><p>用于水井和供水的水泵。压力10个大气压。</p>"},
    {"01002e.html", "&lt;script&gt; filter", "<p>A filter &amp; a \"quoted\" valve; pump-station OR NOT.</p>"},
    {"02000r.html", "Энергетика", "<ol><li>Солнечная панель</li><li>Ветровая турбина</li></ol>"},
    {"02001c.html", "太阳能电池板", "<p>高效率太阳能电池板，Velora-7型。</p>"},
};

const fulltext::CatalogueIndex& Index()
{
    // Snippets are read from the page files, so the folder lives as long as the index.
    static QTemporaryDir folder;
    static const std::unique_ptr<fulltext::CatalogueIndex> index = [] {
        QDir(folder.path()).mkpath(QStringLiteral("data"));
        for (const auto& page : kPages) {
            QFile file(folder.path() + QStringLiteral("/data/") + QLatin1String(page[0]));
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
            file.write(QByteArray("<html><head><meta charset=\"utf-8\"><title>") + page[1] + "</title></head><body>" +
                       page[2] + "</body></html>");
        }
        const std::atomic_bool cancel{false};
        auto built = fulltext::BuildInMemory(folder.path(), {}, cancel);
        if (!built || built->PageCount() != int(std::size(kPages)))
            std::abort();
        return built;
    }();
    return *index;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const QString letter =
        QStringList{QStringLiteral("r"), QStringLiteral("e"), QStringLiteral("c"), QString()}[control & 3];
    const int offset = (control >> 3) & 3;
    const int limit = ((control >> 5) & 7) + 1;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const QString query = (control & 4) ? QString(reinterpret_cast<const QChar*>(text), qsizetype((size - 1) / 2))
                                        : QString::fromUtf8(text, qsizetype(size - 1));

    const fulltext::Results results = Index().Find(query, letter, offset, limit);
    FUZZ_CHECK(int(results.hits.size()) <= limit, query);
    FUZZ_CHECK(!query.trimmed().isEmpty() || results.hits.empty(), query);
    QSet<int> projects;
    int rank = offset;
    for (const fulltext::Hit& hit : results.hits) {
        FUZZ_CHECK(hit.rank == ++rank, query);
        const std::optional<PageName> name = ParsePageName(hit.pageFile);
        FUZZ_CHECK(name && name->category == hit.category && name->position == hit.position &&
                       name->letter == hit.letter,
                   query + QStringLiteral(" -> ") + hit.pageFile);
        FUZZ_CHECK(!projects.contains(hit.category * 10000 + hit.position),
                   query + QStringLiteral(" twice: ") + hit.pageFile);
        projects.insert(hit.category * 10000 + hit.position);
        int end = 0;
        for (const auto& [start, length] : hit.marks) {
            FUZZ_CHECK(start >= end && length > 0 && start + length <= hit.snippet.size(),
                       query + QStringLiteral(" -> ") + hit.snippet);
            end = start + length;
        }
    }
    return 0;
}
