#include "page_text.h"

#include <libxml/HTMLparser.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>

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

constexpr int kParseOptions =
    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_NOIMPLIED;

struct DocumentFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

void Silent(void*, const char*, ...) {}

Document Parse(const char* bytes, std::size_t size, const char* encoding)
{
    PrepareParser();
    // Bytes that do not decode are reported on stderr even with the parser's quiet options; the
    // handler is kept per thread, so it is set on every call.
    xmlSetGenericErrorFunc(nullptr, Silent);
    const int length = size > std::size_t(INT_MAX) ? INT_MAX : int(size);
    return Document(htmlReadMemory(bytes, length, nullptr, encoding, kParseOptions));
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

PageText ExtractPageText(const QByteArray& html)
{
    PageText page;
    const Document doc = Parse(html.constData(), std::size_t(html.size()), nullptr);
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
    const Document doc = Parse(page.data(), page.size(), "UTF-8");
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
