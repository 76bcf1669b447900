#pragma once
// One stemmer for pages and queries of every language: a word in Cyrillic letters goes through
// the Russian Snowball stemmer, any other word through the English one (Chinese is indexed as
// n-grams and not stemmed). So "насосы" finds "насос" and "pumps" finds "pump" whatever the
// interface language, and an English name on a Russian page is stemmed as English.
#include <xapian.h>

namespace fulltext {

Xapian::Stem ScriptStemmer();

}  // namespace fulltext
