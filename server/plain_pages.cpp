#include "plain_pages.h"

#include "interface_texts.h"
#include "languages.h"
#include "shell_page.h"
#include "site_address.h"
#include "web_texts.h"

namespace {

QString Frame(const QString& basePath, const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                          "<title>%1</title>\n<link rel=\"stylesheet\" href=\"%2\">\n</head>\n"
                          "<body class=\"plain\">\n<main>\n%3</main>\n</body>\n</html>\n")
        .arg(Escaped(title), Escaped(SiteFileAddress(basePath, QStringLiteral("static/shell.css"))), body);
}

}  // namespace

QString LanguageChoiceHtml(const QString& basePath)
{
    // The captions of the text languages; Chinese mode shows the English one, as the desktop does.
    QString body = QStringLiteral("<h1 class=\"choice-title\">");
    for (const std::uint8_t number : {LangRussian, LangEnglish})
        body += QStringLiteral("<span lang=\"%1\">%2</span>")
                    .arg(LanguageByNumber(number)->tag, Escaped(MainWindowTextsFor(number).caption));
    body += QStringLiteral("</h1>\n<nav class=\"choice\" aria-label=\"Language / Язык / 语言\"><ul>\n");
    for (const LanguageRow& row : LanguageTable())
        body += QStringLiteral("<li><a href=\"%1\" lang=\"%2\" hreflang=\"%2\">%3</a></li>\n")
                    .arg(Escaped(LanguageHomeAddress(basePath, row)), row.tag, Escaped(row.name));
    body += QStringLiteral("</ul></nav>\n");
    return Frame(basePath, MainWindowTextsFor(LangEnglish).caption, body);
}

QString NotFoundHtml(const QString& basePath)
{
    QString body;
    for (const LanguageRow& row : LanguageTable())
        body += QStringLiteral("<p lang=\"%1\">%2 <a href=\"%3\">%4</a></p>\n")
                    .arg(row.tag, Escaped(WebTextsFor(row.number).notFound),
                         Escaped(LanguageHomeAddress(basePath, row)), Escaped(row.name));
    return Frame(basePath, WebTextsFor(LangEnglish).notFound, body);
}
