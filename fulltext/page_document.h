#pragma once
// What the index keeps of each page besides its terms: the project key and the language letter
// in value slots, and in the document's data the page's record (name, size, modification time,
// checksum) and its title. Snippets come from the page file itself. No widget.
#include "index_manifest.h"
#include "page_names.h"

#include <QString>

#include <optional>
#include <string>

namespace fulltext {

// Value slots of each page's document.
constexpr unsigned kProjectSlot = 0;  // the project key: one hit per project
constexpr unsigned kLetterSlot = 1;
constexpr unsigned kTitleSlot = 2;  // "file name<LF>title", for reading every title at once

// Each page's boolean term: the prefix and its file name.
extern const char* const kPageFilePrefix;

// Metadata key and value of the index's form, raised whenever the terms or the stored data of a
// page change, so that an older index is written again.
extern const char* const kFormatKey;
extern const char* const kFormat;

struct StoredPage {
    PageRecord record;
    PageName page;  // read from record.name
    QString title;
};

std::string EncodeStoredPage(const PageRecord& record, const QString& title);

// Nothing when the data is not what the index writes, or its name is no page name: a damaged
// index.
std::optional<StoredPage> DecodeStoredPage(const std::string& data);

}  // namespace fulltext
