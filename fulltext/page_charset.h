#pragma once
// The character set a page file declares, read by libxml2's HTML parser from the first 1024 bytes,
// where browsers look for it: a byte order mark, <meta charset> or a Content-Type meta.
#include <QByteArray>

namespace fulltext {

// Lower case ("utf-8", "windows-1251"); empty when the page declares none.
QByteArray DeclaredCharset(const QByteArray& html);

}  // namespace fulltext
