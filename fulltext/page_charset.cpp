#include "page_charset.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <algorithm>
#include <mutex>

namespace fulltext {

namespace {

void Silent(void*, const char*, ...) {}

}  // namespace

QByteArray DeclaredCharset(const QByteArray& html)
{
    constexpr int kPrescanBytes = 1024;
    const int length = int(std::min<qsizetype>(html.size(), kPrescanBytes));
    static std::once_flag prepared;
    std::call_once(prepared, [] { xmlInitParser(); });
    xmlSetGenericErrorFunc(nullptr, Silent);
    htmlDocPtr doc = htmlReadMemory(html.constData(), length, nullptr, nullptr,
                                    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                                        HTML_PARSE_NOIMPLIED | HTML_PARSE_NOBLANKS);
    if (!doc)
        return QByteArray();
    QByteArray charset;
    if (doc->encoding)
        charset = QByteArray(reinterpret_cast<const char*>(doc->encoding)).toLower();
    xmlFreeDoc(doc);
    return charset;
}

}  // namespace fulltext
