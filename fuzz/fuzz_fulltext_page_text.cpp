// Fuzzes the text taken out of a page file: any bytes as a page (any declared or undeclared
// character set, broken markup, deep nesting) go through libxml2's HTML parser. The result must be
// valid text with blanks folded, and the same bytes read as a marked snippet must give marks that
// lie inside its text.
#include "fuzz_check.h"
#include "page_text.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const fulltext::PageText page = fulltext::ExtractPageText(bytes);
    for (const QString& folded : {page.title, page.body})
        FUZZ_CHECK(folded == folded.simplified(), folded);
    FUZZ_CHECK(page.headings == page.headings.trimmed(), page.headings);

    const fulltext::MarkedText marked = fulltext::ReadMarkedFragment(bytes.toStdString());
    for (const auto& [start, length] : marked.marks)
        FUZZ_CHECK(start >= 0 && length > 0 && start + length <= marked.text.size(), marked.text);
    return 0;
}
