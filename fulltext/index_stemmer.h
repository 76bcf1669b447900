#pragma once
// An index records the stemmer it was made with (ScriptStemmerName, dictionaries included). One made
// with another stemmer, or before indexes recorded theirs, is not used: its words and a query's
// would not meet.
#include <QString>

namespace fulltext {

// The index's metadata key for the stemmer's name.
extern const char* const kStemmerMetadataKey;

// True when catalogueDir/index opens but names another stemmer than this program's (or none), so
// that it must be written again; false when it matches, is missing or cannot be read at all.
bool IndexHasOtherStemmer(const QString& catalogueDir);

}  // namespace fulltext
