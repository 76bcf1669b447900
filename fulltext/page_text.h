#pragma once
// Text out of a page file with libxml2's HTML parser, which decodes the character set the page
// declares (UTF-8, windows-1251, GB2312/GBK, ...). No widget, no file access.
#include <QByteArray>
#include <QString>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace fulltext {

struct PageText {
    QString title;  // the <title>, blanks folded
    QString headings;  // the text of h1 to h3, one line each
    QString body;  // every visible text of <body> (headings included), blanks folded
    QString content;  // the body without its first <h1> when that repeats the title: what snippets show
};

// The text of navigation is left out of all three: <nav> and elements with role="navigation" or
// role="banner" (the links bar and the masthead of the catalogue's page templates).

// Never fails: bytes that are no HTML give whatever text the parser recovers, possibly none.
// Bytes that do not decode in the page's character set are replaced and the text goes on after
// them; nesting of any depth and text nodes of any size are read. A set cancel flag ends the
// reading early, with no text.
PageText ExtractPageText(const QByteArray& html, const std::atomic_bool* cancel = nullptr);

struct MarkedText {
    QString text;
    std::vector<std::pair<int, int>> marks;  // (start, length) in text of each <b> span
};

// Plain text of an HTML fragment whose only markup is <b>...</b> around the words to mark (as a
// snippet comes from Xapian), entities decoded by the parser.
MarkedText ReadMarkedFragment(const std::string& utf8Html);

}  // namespace fulltext
