#include "framed_page.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool StartsWithNoCase(const QByteArray& bytes, qsizetype at, const char* prefix)
{
    return bytes.mid(at, qsizetype(qstrlen(prefix))).compare(prefix, Qt::CaseInsensitive) == 0;
}

// Where the prolog ends: after its last comment, processing instruction or doctype.
qsizetype PrologEnd(const QByteArray& page)
{
    qsizetype at = page.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype end = at;
    for (;;) {
        while (at < page.size() && IsBlank(page[at]))
            ++at;
        qsizetype close = -1;
        if (StartsWithNoCase(page, at, "<!--")) {
            close = page.indexOf("-->", at + 4);
            if (close >= 0)
                close += 3;
        } else if (StartsWithNoCase(page, at, "<?") || StartsWithNoCase(page, at, "<!doctype")) {
            close = page.indexOf('>', at);
            if (close >= 0)
                close += 1;
        }
        if (close < 0)
            return end;
        at = end = close;
    }
}

}  // namespace

QByteArray WithLinksToTop(const QByteArray& page)
{
    QByteArray framed = page;
    framed.insert(PrologEnd(page), QByteArrayLiteral("<base target=\"_top\">"));
    return framed;
}
