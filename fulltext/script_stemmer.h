#pragma once
// One stemmer for pages and queries of every language: each word goes through WordForms, which
// takes the Russian dictionary and Snowball stemmer for a word in Cyrillic letters and the English
// ones for any other (Chinese is indexed as n-grams and not stemmed). So "мембранами" finds
// "мембрана" and "pumps" finds "pump" whatever the interface language, and an English name on a
// Russian page is stemmed as English.
#include <xapian.h>

#include <string>

namespace fulltext {

Xapian::Stem ScriptStemmer();

// Names the stemmer ScriptStemmer gives, dictionaries included; an index records it, and one made
// with another stemmer is not used, since its words and a query's would not meet.
std::string ScriptStemmerName();

}  // namespace fulltext
