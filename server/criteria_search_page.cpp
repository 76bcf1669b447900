#include "criteria_search_page.h"

#include "find_texts.h"
#include "search_texts.h"
#include "shell_page.h"
#include "site_address.h"
#include "web_texts.h"

#include <algorithm>

namespace {

const char* const kSortNames[] = {"dep", "cat", "person"};

QString OneLine(const QString& text) { return text.simplified(); }

QString TextField(const char* id, const char* name, const QString& label, const QString& value)
{
    return QStringLiteral("<div class=\"field\"><label for=\"%1\">%2</label><input id=\"%1\" name=\"%3\" value=\"%4\">"
                          "</div>\n")
        .arg(QLatin1String(id), Escaped(OneLine(label)), QLatin1String(name), Escaped(value));
}

QString ListField(const char* id, const char* name, const QString& label, const QStringList& items,
                  const QStringList& values, int selected)
{
    QString html = QStringLiteral("<div class=\"field\"><label for=\"%1\">%2</label><select id=\"%1\" name=\"%3\">")
                       .arg(QLatin1String(id), Escaped(OneLine(label)), QLatin1String(name));
    for (int i = 0; i < items.size(); ++i)
        html += QStringLiteral("<option value=\"%1\"%2>%3</option>")
                    .arg(values[i], i == selected ? QStringLiteral(" selected") : QString(), Escaped(items[i]));
    return html + QStringLiteral("</select></div>\n");
}

QStringList Numbers(int count)
{
    QStringList numbers;
    for (int i = 0; i < count; ++i)
        numbers << QString::number(i);
    return numbers;
}

QString Form(const CriteriaSearchView& view, const SearchWindowTexts& texts)
{
    const SearchCriteria& c = view.request.criteria;
    QString html = QStringLiteral("<form class=\"criteria\" method=\"get\" action=\"%1\">\n")
                       .arg(Escaped(LanguagePlaceAddress(view.basePath, *view.language, QStringLiteral("search"))));
    // The title as searched: without apostrophes, as the search window shows it after a search.
    html += TextField("title", "title", texts.lblTitle,
                      view.request.submitted ? TitleWithoutApostrophes(c.title) : c.title);
    html += TextField("org", "org", texts.lblOrg, c.organisation);
    html += ListField("cat", "cat", texts.lblCat, texts.categoryItems, Numbers(texts.categoryItems.size()),
                      c.categoryIndex);
    html += TextField("person", "person", texts.lblFIO, c.contact);
    html += TextField("address", "address", texts.lblAdr, c.address);
    html += ListField("dep", "dep", texts.lblDep, texts.departmentItems, Numbers(texts.departmentItems.size()),
                      c.departmentIndex);
    html += ListField("sort", "sort", texts.lblSort, texts.sortItems,
                      {QLatin1String(kSortNames[0]), QLatin1String(kSortNames[1]), QLatin1String(kSortNames[2])},
                      c.sortIndex);
    html += QStringLiteral("<div class=\"field\"><button type=\"submit\">%1</button></div>\n</form>\n")
                .arg(Escaped(texts.cmdFind));
    return html;
}

QString Project(const CriteriaSearchView& view, const SearchWindowTexts& texts, const FoundProject& project)
{
    const QString address = PositionAddress(view.basePath, *view.language, project.position);
    return QStringLiteral("<article class=\"project\">\n<h3><a href=\"%1\">%2</a></h3>\n<dl>\n"
                          "<dt>%3</dt><dd class=\"lines\">%4</dd>\n<dt>%5</dt><dd>%6</dd>\n<dt>%7</dt><dd>%8</dd>\n"
                          "</dl>\n<p class=\"open\"><a href=\"%1\">%9</a></p>\n</article>\n")
        .arg(Escaped(address), Escaped(project.title), Escaped(OneLine(texts.lblDBOrg)), Escaped(project.organisation),
             Escaped(texts.lblDBFIO), Escaped(project.contact), Escaped(texts.lblDBCat), Escaped(project.category),
             Escaped(texts.lblOpenProj));
}

QString Results(const CriteriaSearchView& view, const SearchWindowTexts& texts)
{
    const FoundProjects& found = *view.found;
    const WebTexts& web = WebTextsFor(view.language->number);
    const int start = view.request.start;
    const int end = start + int(found.rows.size());
    QString html = QStringLiteral("<section class=\"results\" aria-labelledby=\"results-heading\">\n"
                                  "<h2 id=\"results-heading\">%1</h2>\n<p class=\"summary\" role=\"status\">%2 %3")
                       .arg(Escaped(texts.lblResults), Escaped(texts.lblFounded), QString::number(found.total));
    if (found.total > ProjectsPerPage && end > start)
        html += QStringLiteral(" · ") + Escaped(web.projectsRange.arg(start + 1).arg(end).arg(found.total));
    html += QStringLiteral("</p>\n");
    for (const FoundProject& project : found.rows)
        html += Project(view, texts, project);
    QString pages;
    if (start > 0)
        pages += QStringLiteral("<a rel=\"prev\" href=\"%1\">%2</a> ")
                     .arg(Escaped(CriteriaSearchAddress(view.basePath, *view.language, view.request,
                                                        std::max(0, start - ProjectsPerPage))),
                          Escaped(web.previousResults.arg(std::min(start, ProjectsPerPage))));
    if (end < found.total)
        pages += QStringLiteral("<a rel=\"next\" href=\"%1\">%2</a>")
                     .arg(Escaped(CriteriaSearchAddress(view.basePath, *view.language, view.request, end)),
                          Escaped(FindTextsFor(view.language->number)
                                      .moreResults.arg(std::min(ProjectsPerPage, found.total - end))));
    if (!pages.isEmpty())
        html += QStringLiteral("<nav class=\"more\">%1</nav>\n").arg(pages);
    return html + QStringLiteral("</section>\n");
}

}  // namespace

QString CriteriaSearchAddress(const QString& basePath, const LanguageRow& language, const CriteriaRequest& request,
                              int start)
{
    const SearchCriteria& c = request.criteria;
    return LanguagePlaceAddress(basePath, language, QStringLiteral("search")) + u'?' +
        QueryText({{QStringLiteral("title"), c.title},
                   {QStringLiteral("org"), c.organisation},
                   {QStringLiteral("cat"), QString::number(c.categoryIndex)},
                   {QStringLiteral("person"), c.contact},
                   {QStringLiteral("address"), c.address},
                   {QStringLiteral("dep"), QString::number(c.departmentIndex)},
                   {QStringLiteral("sort"), QLatin1String(kSortNames[std::clamp(c.sortIndex, 0, 2)])},
                   {QStringLiteral("start"), QString::number(start)}});
}

QString CriteriaSearchHtml(const CriteriaSearchView& view)
{
    const SearchWindowTexts* texts = SearchWindowTextsFor(view.language->number);
    if (!texts)
        return QString();
    QString html = QStringLiteral("<h1>%1</h1>\n").arg(Escaped(texts->caption)) + Form(view, *texts);
    if (!view.message.isEmpty())
        html += QStringLiteral("<p class=\"message\" role=\"alert\">%1</p>\n").arg(Escaped(view.message));
    if (view.found)
        html += Results(view, *texts);
    return html;
}
