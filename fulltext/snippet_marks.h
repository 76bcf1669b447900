#pragma once
// Snippets and the words to mark on a page, from Xapian's highlighting of a query's terms in a
// text. Xapian marks Chinese text character by character (its n-grams), so a query for 传感器
// ("sensor") would mark the 传 of 传真 ("fax") too: here adjacent marks are joined into runs, and a
// run of Chinese characters is kept only where it is the longest run found of that query word.
// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "page_text.h"

#include <QString>
#include <QStringList>

#include <string>

namespace fulltext {

// The excerpt of text (the page's content, UTF-8) that best shows why it matched, at most about
// `bytes` long, with the matched words marked.
MarkedText MakeSnippet(const Xapian::MSet& matches, const std::string& text, int bytes, const Xapian::Stem& stemmer,
                       const QString& query);

// Every word of text that the query of `matches` matched, each once, as written in text.
QStringList MatchedWords(const Xapian::MSet& matches, const std::string& text, const Xapian::Stem& stemmer,
                         const QString& query);

// Joins adjacent marks and keeps, of the runs made only of Chinese characters, those that are the
// longest run found of some Chinese word of the query (a run that is part of no such word stays).
void KeepLongestChineseRuns(MarkedText& marked, const QString& query);

}  // namespace fulltext
