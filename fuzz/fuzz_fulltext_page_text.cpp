// Fuzzes the text taken out of a page file: any bytes as a page (any declared or undeclared
// character set, broken markup, deep nesting) go through libxml2's HTML parser. The result must be
// valid text with blanks folded, and the same bytes read as a marked snippet must give marks that
// lie inside its text.
//
// Two more forms of input check that no text is lost. The first byte chooses:
//  - 1 (mod 3): the rest is text in a page that declares utf-8, windows-1251, gb2312 or nothing
//    (second byte), markup characters blanked, followed by a last word: whatever bytes the text
//    holds, valid in the character set or not, the last word must be read.
//  - 2 (mod 3): the rest is text nested in 256 * second byte + third byte elements of one kind
//    (fourth byte), closed or not, then the last word: at any depth it must be read.
#include "fuzz_check.h"
#include "page_text.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace {

const QString kLastWord = QStringLiteral("zqxlastword");

QByteArray WithoutMarkup(QByteArray text)
{
    for (char& c : text)
        if (c == '<' || c == '>' || c == '&')
            c = ' ';
    return text;
}

void CheckAnyBytes(const QByteArray& bytes)
{
    const fulltext::PageText page = fulltext::ExtractPageText(bytes);
    for (const QString& folded : {page.title, page.body})
        FUZZ_CHECK(folded == folded.simplified(), folded);
    FUZZ_CHECK(page.headings == page.headings.trimmed(), page.headings);

    const fulltext::MarkedText marked = fulltext::ReadMarkedFragment(bytes.toStdString());
    for (const auto& [start, length] : marked.marks)
        FUZZ_CHECK(start >= 0 && length > 0 && start + length <= marked.text.size(), marked.text);
}

void CheckTextInCharset(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return;
    const char* const charsets[] = {"utf-8", "windows-1251", "gb2312", nullptr};
    const char* charset = charsets[data[1] % std::size(charsets)];
    const QByteArray text = WithoutMarkup(QByteArray(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2)));
    const QByteArray head = charset ? QByteArray("<meta charset=\"") + charset + "\">" : QByteArray();
    const QByteArray page = "<html><head>" + head + "<title>t</title></head><body><p>" + text + ' ' +
        kLastWord.toLatin1() + "</p></body></html>";
    const QString body = fulltext::ExtractPageText(page).body;
    FUZZ_CHECK(body.endsWith(kLastWord), QString::fromLatin1(text.toHex()) + QStringLiteral(" -> ") + body.right(80));
}

void CheckDeepNesting(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return;
    const int levels = data[1] * 256 + data[2];
    const char* const tags[] = {"div", "span", "b", "font", "blockquote", "em"};
    const QByteArray tag = tags[data[3] % std::size(tags)];
    const bool closed = data[3] & 0x80;
    const QByteArray text = WithoutMarkup(QByteArray(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4)));
    QByteArray page = "<html><head><meta charset=\"utf-8\"></head><body>" + ("<" + tag + ">").repeated(levels) + text +
        ' ' + kLastWord.toLatin1();
    if (closed)
        page += ("</" + tag + ">").repeated(levels);
    page += "</body></html>";
    const QString body = fulltext::ExtractPageText(page).body;
    FUZZ_CHECK(body.endsWith(kLastWord),
               QStringLiteral("%1 levels of %2 -> ").arg(levels).arg(QString::fromLatin1(tag)) + body.right(80));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckAnyBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (size > 0 && data[0] % 3 == 1)
        CheckTextInCharset(data, size);
    else if (size > 0 && data[0] % 3 == 2)
        CheckDeepNesting(data, size);
    return 0;
}
