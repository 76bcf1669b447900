#pragma once
// A page file shown in the frame of a position page opens its links in the whole window, so that a
// link to another page file shows that position with its address. The server puts one element,
// <base target="_top">, after the document's prolog: the byte order mark, blanks, comments,
// processing instructions and the doctype. So the page keeps its mode (standards or quirks), the
// browser's parser places the element in the head, and every other byte stays as its author wrote
// it. The prolog is ASCII in every character set a page may declare.
#include <QByteArray>

QByteArray WithLinksToTop(const QByteArray& page);
