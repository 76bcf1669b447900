#include "shell_page.h"

#include "catalogue_order.h"
#include "interface_texts.h"
#include "site_address.h"
#include "web_texts.h"

namespace {

QString Attribute(const char* name, const QString& value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), Escaped(value));
}

QString LanguageSwitch(const ShellPage& page, const WebTexts& texts)
{
    QString html =
        QStringLiteral("<nav class=\"languages\"%1><ul>").arg(Attribute("aria-label", texts.languageNavigation));
    for (const LanguageRow& row : LanguageTable()) {
        const bool current = &row == page.language;
        html += QStringLiteral("<li><a%1%2%3%4>%5</a></li>")
                    .arg(Attribute("href", page.languageLinks[row.number - 1]), Attribute("lang", row.tag),
                         Attribute("hreflang", row.tag), current ? QStringLiteral(" aria-current=\"true\"") : QString(),
                         Escaped(row.name));
    }
    return html + QStringLiteral("</ul></nav>\n");
}

QString Steps(const ShellPage& page, const WebTexts& texts)
{
    if (!page.position)
        return QString();
    const StepButtonStates states = StepButtonsAt(*page.position, page.counts);
    QString html = QStringLiteral("<nav class=\"steps\">");
    if (states.previousEnabled) {
        if (const std::optional<CataloguePosition> to = StepBackFrom(*page.position, page.counts))
            html += QStringLiteral("<a id=\"previous\" class=\"button\" rel=\"prev\"%1>%2</a>")
                        .arg(Attribute("href", PositionAddress(page.basePath, *page.language, *to)),
                             Escaped(texts.previous));
    }
    if (states.nextEnabled) {
        if (const std::optional<CataloguePosition> to = StepForwardFrom(*page.position, page.counts))
            html +=
                QStringLiteral("<a id=\"next\" class=\"button\" rel=\"next\"%1>%2</a>")
                    .arg(Attribute("href", PositionAddress(page.basePath, *page.language, *to)), Escaped(texts.next));
    }
    return html + QStringLiteral("</nav>\n");
}

QString GoToForm(const ShellPage& page, const WebTexts& texts)
{
    const QString described =
        page.goToMessage.isEmpty() ? QStringLiteral("goto-hint") : QStringLiteral("goto-message goto-hint");
    QString html =
        QStringLiteral("<form class=\"goto\" method=\"get\"%1>\n<label for=\"goto\">%2</label>\n"
                       "<input id=\"goto\" name=\"to\" maxlength=\"5\" size=\"5\" autocomplete=\"off\" "
                       "inputmode=\"decimal\"%3%4%5>\n")
            .arg(Attribute("action", LanguagePlaceAddress(page.basePath, *page.language, QStringLiteral("go"))),
                 Escaped(texts.goToCaption), Attribute("value", page.goToText),
                 Attribute("aria-describedby", described),
                 page.goToMessage.isEmpty() ? QString() : QStringLiteral(" aria-invalid=\"true\" autofocus"));
    if (page.position)
        html += QStringLiteral("<input type=\"hidden\" name=\"from\"%1>\n")
                    .arg(Attribute("value", PositionText(*page.position)));
    html += QStringLiteral("<button type=\"submit\">%1</button>\n<span id=\"goto-hint\" class=\"hint\">%2</span>\n")
                .arg(Escaped(texts.goToButton), Escaped(texts.goToHint));
    if (!page.goToMessage.isEmpty())
        html += QStringLiteral("<p id=\"goto-message\" class=\"message\" role=\"alert\">%1</p>\n")
                    .arg(Escaped(page.goToMessage));
    return html + QStringLiteral("</form>\n");
}

QString FindForm(const ShellPage& page, const WebTexts& texts)
{
    return QStringLiteral("<form class=\"find\" method=\"get\" role=\"search\"%1>\n"
                          "<label for=\"find\" class=\"hint\">%2</label>\n"
                          "<input id=\"find\" type=\"search\" name=\"q\" autocomplete=\"off\" "
                          "aria-autocomplete=\"list\" aria-controls=\"suggestions\"%3%4>\n"
                          "<button type=\"submit\">%5</button>\n"
                          "<ul id=\"suggestions\" class=\"suggestions\" hidden%6></ul>\n</form>\n")
        .arg(Attribute("action", LanguagePlaceAddress(page.basePath, *page.language, QStringLiteral("find"))),
             Escaped(texts.findLabel), Attribute("value", page.findText), Attribute("placeholder", texts.findLabel),
             Escaped(texts.findButton), Attribute("aria-label", texts.suggestions));
}

QString Menu(const ShellPage& page, const WebTexts& texts)
{
    QString html = QStringLiteral("<nav class=\"menu\"%1><ul>\n").arg(Attribute("aria-label", texts.menuNavigation));
    for (const MenuEntry& entry : MenuEntries(*page.language)) {
        // A title page belongs to its category's entry, a project too.
        const bool current = page.position &&
            (page.position->category == 0 ? *page.position == entry.position
                                          : page.position->category == entry.position.category);
        html += QStringLiteral("<li><a%1%2>%3</a></li>\n")
                    .arg(Attribute("href", PositionAddress(page.basePath, *page.language, entry.position)),
                         current ? QStringLiteral(" aria-current=\"page\"") : QString(), Escaped(entry.text));
    }
    return html + QStringLiteral("</ul></nav>\n");
}

}  // namespace

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

std::array<MenuEntry, 14> MenuEntries(const LanguageRow& language)
{
    std::array<MenuEntry, MenuEntryCount> entries;
    for (int i = 0; i < MenuEntryCount; ++i) {
        const bool introductory = i < FirstCategoryEntry;
        const std::int32_t category = introductory ? 0 : i - FirstCategoryEntry + 1;
        entries[i].position = introductory ? CataloguePosition{0, i + 1} : CategoryTitlePage(category);
        if (language.number == LangChinese)
            entries[i].text = introductory ? ChineseMenuTexts()[i]
                                           : QStringLiteral("%1. %2").arg(category).arg(ChineseMenuTexts()[i]);
        else
            entries[i].text = MainWindowTextsFor(language.number).menu[i].simplified();
    }
    return entries;
}

QString ShellPageHtml(const ShellPage& page)
{
    const WebTexts& texts = WebTextsFor(page.language->number);
    const QString caption = page.language->number == LangChinese ? MainWindowTextsFor(LangEnglish).caption
                                                                 : MainWindowTextsFor(page.language->number).caption;
    QString html = QStringLiteral("<!DOCTYPE html>\n<html%1>\n<head>\n<meta charset=\"utf-8\">\n"
                                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                                  "<title>%2</title>\n<link rel=\"stylesheet\"%3>\n<script defer%4></script>\n"
                                  "</head>\n<body class=\"shell%5\"%6%7>\n")
                       .arg(Attribute("lang", page.language->tag), Escaped(page.title),
                            Attribute("href", SiteFileAddress(page.basePath, QStringLiteral("static/shell.css"))),
                            Attribute("src", SiteFileAddress(page.basePath, QStringLiteral("static/shell.js"))),
                            page.scrolling ? QStringLiteral(" scrolling") : QString(),
                            Attribute("data-base", page.basePath), Attribute("data-lang", page.language->tag));
    html += QStringLiteral("<header class=\"top\">\n<a class=\"caption\"%1>%2</a>\n")
                .arg(Attribute("href", LanguageHomeAddress(page.basePath, *page.language)), Escaped(caption));
    html += LanguageSwitch(page, texts) + QStringLiteral("</header>\n<div class=\"bar\">\n");
    html += Steps(page, texts) + GoToForm(page, texts) + FindForm(page, texts);
    // The criteria search is offered where the desktop offers it: in Russian and English.
    if (page.language->number != LangChinese)
        html +=
            QStringLiteral("<a class=\"criteria\"%1>%2</a>\n")
                .arg(Attribute("href", LanguagePlaceAddress(page.basePath, *page.language, QStringLiteral("search"))),
                     Escaped(texts.criteriaSearch));
    html += QStringLiteral("</div>\n<div class=\"body\">\n") + Menu(page, texts);
    html += QStringLiteral("<main id=\"main\">\n%1</main>\n</div>\n</body>\n</html>\n").arg(page.mainHtml);
    return html;
}
