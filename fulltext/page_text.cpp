#include "page_text.h"

#include <libxml/HTMLparser.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <QStringDecoder>

#include <QStringList>

#include <climits>
#include <cstring>
#include <memory>
#include <mutex>

namespace fulltext {

namespace {

void PrepareParser()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // Pages that declare gb2312 or gbk are written, as Windows writes them, in the larger
        // GBK set; GB18030 decodes both and every GBK character.
        xmlAddEncodingAlias("GB18030", "GB2312");
        xmlAddEncodingAlias("GB18030", "GBK");
    });
}

// HTML_PARSE_RECOVER reads on past broken markup; XML_PARSE_HUGE lifts libxml2's limits of 256
// levels of nesting and 10,000,000 bytes of text in one node, which cut hostile but legible pages
// (a page file is bounded in size before it gets here).
constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
    HTML_PARSE_NOIMPLIED | XML_PARSE_HUGE;

struct DocumentFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

void Silent(void*, const char*, ...) {}

struct ParserFree {
    void operator()(htmlParserCtxt* parser) const { htmlFreeParserCtxt(parser); }
};

// What one parse watches for: bytes that do not decode in the page's character set (libxml2 then
// reads UTF-8 on as ISO-8859-1 and stops at the first such byte of any other set, so the rest of
// the text would be garbled or lost), and the cancel flag, looked at as every element starts and
// every piece of text arrives, so that the parse of even the largest page ends at once.
struct Watch {
    const std::atomic_bool* cancel = nullptr;
    startElementSAXFunc startElement = nullptr;  // libxml2's own handlers, called on
    charactersSAXFunc characters = nullptr;
    bool decodingFailed = false;
    bool cancelled = false;

    static Watch& Of(void* parser) { return *static_cast<Watch*>(static_cast<htmlParserCtxt*>(parser)->_private); }

    bool Stopped(void* parser)
    {
        if (!cancelled && cancel != nullptr && cancel->load()) {
            cancelled = true;
            xmlStopParser(static_cast<htmlParserCtxt*>(parser));
        }
        return cancelled;
    }

    static void StartElement(void* parser, const xmlChar* name, const xmlChar** attributes)
    {
        Watch& watch = Of(parser);
        if (!watch.Stopped(parser))
            watch.startElement(parser, name, attributes);
    }

    static void Characters(void* parser, const xmlChar* text, int length)
    {
        Watch& watch = Of(parser);
        if (!watch.Stopped(parser))
            watch.characters(parser, text, length);
    }

    static void Error(void* watch, xmlErrorPtr error)
    {
        if (error != nullptr &&
            (error->domain == XML_FROM_I18N || error->code == XML_ERR_INVALID_ENCODING ||
             error->code == XML_IO_ENCODER))
            static_cast<Watch*>(watch)->decodingFailed = true;
    }
};

struct Parsed {
    Document doc;
    bool decodingFailed = false;
    QByteArray encoding;  // the character set the page declared, as libxml2 read it; empty if none
};

// Parses with libxml2's HTML parser; a named encoding is taken whatever the page declares.
// Handlers are kept per thread, so they are set on every call.
Parsed Parse(const char* bytes, std::size_t size, const char* encoding, const std::atomic_bool* cancel)
{
    PrepareParser();
    Parsed parsed;
    const std::unique_ptr<htmlParserCtxt, ParserFree> parser(htmlNewParserCtxt());
    if (!parser)
        return parsed;
    Watch watch;
    watch.cancel = cancel;
    watch.startElement = parser->sax->startElement;
    watch.characters = parser->sax->characters;
    parser->sax->startElement = &Watch::StartElement;
    parser->sax->characters = &Watch::Characters;
    parser->_private = &watch;
    // Bytes that do not decode are reported on stderr even with the parser's quiet options.
    xmlSetGenericErrorFunc(nullptr, Silent);
    xmlSetStructuredErrorFunc(&watch, &Watch::Error);
    const int length = size > std::size_t(INT_MAX) ? INT_MAX : int(size);
    Document doc(htmlCtxtReadMemory(parser.get(), bytes, length, nullptr, encoding, kParseOptions));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!watch.cancelled)
        parsed.doc = std::move(doc);
    if (parsed.doc && parsed.doc->encoding != nullptr)
        parsed.encoding = reinterpret_cast<const char*>(parsed.doc->encoding);
    parsed.decodingFailed = watch.decodingFailed;
    return parsed;
}

// The page as UTF-8 with every byte that does not decode replaced (Qt's decoder, ICU's sets).
QByteArray DecodedAsUtf8(const QByteArray& html, QByteArray encoding)
{
    // As for libxml2 above: what Windows writes as gb2312 or gbk is GB18030.
    if (encoding.compare("gb2312", Qt::CaseInsensitive) == 0 || encoding.compare("gbk", Qt::CaseInsensitive) == 0)
        encoding = "GB18030";
    QStringDecoder decoder(encoding.isEmpty() ? "UTF-8" : encoding.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return QString(decoder(html)).toUtf8();
}

// The parser takes a NUL byte after a tag or at the start for the end of the page. In UTF-8,
// windows-1251, GBK and every other set a page may use but UTF-16 and UTF-32 (which libxml2
// tells by the first bytes), a NUL byte is no part of a character: it becomes a blank.
QByteArray WithoutNulBytes(const QByteArray& html)
{
    if (!html.contains('\0'))
        return html;
    const xmlCharEncoding wide = xmlDetectCharEncoding(reinterpret_cast<const unsigned char*>(html.constData()),
                                                       int(std::min<qsizetype>(html.size(), 4)));
    if (wide != XML_CHAR_ENCODING_NONE && wide != XML_CHAR_ENCODING_UTF8)
        return html;
    QByteArray blanked = html;
    blanked.replace('\0', ' ');
    return blanked;
}

Document ParseHtml(const QByteArray& page, const std::atomic_bool* cancel)
{
    const QByteArray html = WithoutNulBytes(page);
    Parsed parsed = Parse(html.constData(), std::size_t(html.size()), nullptr, cancel);
    if (!parsed.decodingFailed)
        return std::move(parsed.doc);
    const QByteArray utf8 = DecodedAsUtf8(html, parsed.encoding);
    return std::move(Parse(utf8.constData(), std::size_t(utf8.size()), "UTF-8", cancel).doc);
}

bool NameIs(const xmlNode* node, const char* name)
{
    return node->name != nullptr && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

bool NameIn(const xmlNode* node, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (NameIs(node, name))
            return true;
    return false;
}

bool IsText(const xmlNode* node) { return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE; }

// Visits the tree depth first without recursion (a hostile page may nest deeply). enter(node)
// says whether to go into a node's children; leave(node) follows for every node entered.
template <typename Enter, typename Leave>
void Walk(xmlDoc* doc, Enter enter, Leave leave)
{
    xmlNode* node = doc->children;
    while (node != nullptr) {
        if (enter(node)) {
            if (node->children != nullptr) {
                node = node->children;
                continue;
            }
            leave(node);
        }
        while (node->next == nullptr) {
            node = node->parent;
            if (node == nullptr || node->type == XML_HTML_DOCUMENT_NODE || node->type == XML_DOCUMENT_NODE)
                return;
            leave(node);
        }
        node = node->next;
    }
}

void Append(std::string& to, const xmlNode* node)
{
    if (node->content != nullptr)
        to += reinterpret_cast<const char*>(node->content);
}

// Elements inside which words run on without a break.
bool IsInline(const xmlNode* node)
{
    return NameIn(node, {"a", "abbr", "b",     "big",  "cite",   "code",   "em",  "font", "i",  "kbd", "mark",
                         "q", "s",    "small", "span", "strike", "strong", "sub", "sup",  "tt", "u",   "var"});
}

// Navigation, whose text belongs to no page in particular: <nav>, and elements whose role says
// navigation or banner (a masthead), as the demo templates mark their links bar and masthead.
bool IsNavigation(xmlNode* node)
{
    if (NameIs(node, "nav"))
        return true;
    xmlChar* role = xmlGetProp(node, reinterpret_cast<const xmlChar*>("role"));
    if (role == nullptr)
        return false;
    const QStringList roles =
        QString::fromUtf8(reinterpret_cast<const char*>(role)).toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    xmlFree(role);
    return roles.contains(QLatin1String("navigation")) || roles.contains(QLatin1String("banner"));
}

}  // namespace

PageText ExtractPageText(const QByteArray& html, const std::atomic_bool* cancel)
{
    PageText page;
    const Document doc = ParseHtml(html, cancel);
    if (!doc)
        return page;
    std::string title, headings, body;
    int headingDepth = 0;
    // Where the page's first <h1> starts and ends in body: left out of the content when it
    // repeats the title.
    int h1Count = 0;
    std::size_t firstH1Start = 0, firstH1End = 0;
    Walk(
        doc.get(),
        [&](xmlNode* node) {
            if (IsText(node)) {
                Append(body, node);
                if (headingDepth > 0)
                    Append(headings, node);
                return false;
            }
            if (node->type != XML_ELEMENT_NODE)
                return false;
            if (NameIs(node, "title")) {
                if (title.empty())
                    for (const xmlNode* child = node->children; child != nullptr; child = child->next)
                        if (IsText(child))
                            Append(title, child);
                return false;
            }
            if (NameIn(node, {"script", "style", "noscript", "template", "head"}))
                return NameIs(node, "head");  // the head holds the title, no other text
            if (IsNavigation(node))
                return false;
            if (!IsInline(node))
                body += ' ';
            if (NameIs(node, "h1") && h1Count++ == 0)
                firstH1Start = body.size();
            if (NameIn(node, {"h1", "h2", "h3"}))
                ++headingDepth;
            return true;
        },
        [&](xmlNode* node) {
            if (node->type != XML_ELEMENT_NODE || NameIs(node, "head"))
                return;
            if (NameIs(node, "h1") && h1Count == 1 && firstH1End == 0)
                firstH1End = body.size();
            if (!IsInline(node))
                body += ' ';
            if (NameIn(node, {"h1", "h2", "h3"})) {
                --headingDepth;
                headings += '\n';
            }
        });
    page.title = QString::fromUtf8(title).simplified();
    page.headings = QString::fromUtf8(headings).trimmed();
    page.body = QString::fromUtf8(body).simplified();
    page.content = page.body;
    if (firstH1End > firstH1Start) {
        const QString heading = QString::fromUtf8(body.substr(firstH1Start, firstH1End - firstH1Start)).simplified();
        // "6. Energy" under the title "Energy" repeats it; so does any heading when the page has no
        // title, since a hit is then named by its first heading.
        if (page.title.isEmpty() || heading.contains(page.title, Qt::CaseInsensitive)) {
            body.erase(firstH1Start, firstH1End - firstH1Start);
            page.content = QString::fromUtf8(body).simplified();
        }
    }
    return page;
}

MarkedText ReadMarkedFragment(const std::string& utf8Html)
{
    MarkedText result;
    const std::string page = "<html><body>" + utf8Html + "</body></html>";
    const Document doc = Parse(page.data(), page.size(), "UTF-8", nullptr).doc;
    if (!doc)
        return result;
    int boldDepth = 0;
    Walk(
        doc.get(),
        [&](xmlNode* node) {
            if (IsText(node) && node->content != nullptr) {
                const QString piece = QString::fromUtf8(reinterpret_cast<const char*>(node->content));
                if (boldDepth > 0 && !piece.isEmpty())
                    result.marks.emplace_back(int(result.text.size()), int(piece.size()));
                result.text += piece;
                return false;
            }
            if (node->type == XML_ELEMENT_NODE && NameIs(node, "b"))
                ++boldDepth;
            return node->type == XML_ELEMENT_NODE;
        },
        [&](xmlNode* node) {
            if (NameIs(node, "b"))
                --boldDepth;
        });
    return result;
}

}  // namespace fulltext
