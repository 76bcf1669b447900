#include "page_writer.h"

#include "picture_maker.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace {

QString escaped(const QString& text)
{
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return html;
}

QString paragraphs(const QString& text)
{
    QString html;
    for (const QString& paragraph : text.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
        html += QStringLiteral("<p>%1</p>\n").arg(escaped(paragraph.trimmed()));
    return html;
}

bool filled(const NullableText& text) { return text && !text->isEmpty(); }

}  // namespace

PageWriter::PageWriter(const QString& dataFolder, const CatalogueLayout& layout, PageTemplates templates,
                       const CatalogueContent& content)
    : m_dataFolder(dataFolder), m_layout(layout), m_templates(std::move(templates)), m_content(content)
{
    if (!QDir().mkpath(m_dataFolder + QStringLiteral("/img")))
        throw std::runtime_error(QStringLiteral("%1: cannot create the folder").arg(m_dataFolder).toStdString());
}

QString PageWriter::link(CataloguePosition page, int language, const QString& text, const QString& cssClass) const
{
    const QString href = PageFileName(page.category, page.position, languageAt(language).letter);
    const QString classAttribute = cssClass.isEmpty() ? QString() : QStringLiteral(" class=\"%1\"").arg(cssClass);
    return QStringLiteral("<a href=\"%1\"%2>%3</a>").arg(href, classAttribute, text);
}

QString PageWriter::navigation(int language, CataloguePosition page) const
{
    QString html;
    if (const auto previous = m_layout.previous(page))
        html += link(*previous, language,
                     QStringLiteral("&larr; ") + escaped(m_content.label(QStringLiteral("previous"), language)),
                     QStringLiteral("previous"));
    if (page.category > 0 && page.position > 0)
        html += link({page.category, 0}, language,
                     escaped(m_content.label(QStringLiteral("category_contents"), language)), QStringLiteral("up"));
    else
        html +=
            link({0, 1}, language, escaped(m_content.label(QStringLiteral("home"), language)), QStringLiteral("up"));
    if (const auto next = m_layout.next(page))
        html += link(*next, language,
                     escaped(m_content.label(QStringLiteral("next"), language)) + QStringLiteral(" &rarr;"),
                     QStringLiteral("next"));
    return html;
}

QHash<QString, QString> PageWriter::commonValues(int language, CataloguePosition page) const
{
    QHash<QString, QString> values;
    for (auto it = m_content.labels.constBegin(); it != m_content.labels.constEnd(); ++it)
        values.insert(QStringLiteral("label.") + it.key(), escaped(it.value()[language]));
    values.insert(QStringLiteral("lang"), languageAt(language).tag);
    values.insert(QStringLiteral("nav"), navigation(language, page));
    values.insert(QStringLiteral("catalogue"), escaped(m_content.label(QStringLiteral("catalogue"), language)));
    if (page.category > 0) {
        values.insert(QStringLiteral("category_number"), QString::number(page.category));
        values.insert(QStringLiteral("category_name"), escaped(m_content.categoryNames[page.category][language]));
        values.insert(QStringLiteral("category_link"),
                      link({page.category, 0}, language, escaped(m_content.categoryNames[page.category][language])));
    }
    return values;
}

void PageWriter::writeIntroPages()
{
    for (int language = 0; language < kLanguageCount; ++language) {
        QString menu;
        for (int page = 1; page <= 3; ++page)
            menu += QStringLiteral("<li>%1</li>")
                        .arg(link({0, page}, language, escaped(m_content.introPages[page - 1].title[language])));
        QString categories;
        for (int category = 1; category <= kCategoryCount; ++category)
            categories += QStringLiteral("<li>%1</li>")
                              .arg(link({category, 0}, language, escaped(m_content.categoryNames[category][language])));
        QString departments;
        for (int department = 1; department <= kDepartmentCount; ++department)
            departments += QStringLiteral("<li><span class=\"number\">%1</span> %2</li>")
                               .arg(department)
                               .arg(escaped(m_content.departmentNames[department][language]));

        for (int page = 1; page <= 3; ++page) {
            const IntroPage& intro = m_content.introPages[page - 1];
            QHash<QString, QString> values = commonValues(language, {0, page});
            values.insert(QStringLiteral("intro_menu"),
                          QStringLiteral("<nav><ul class=\"intro-menu\">%1</ul></nav>").arg(menu));
            values.insert(QStringLiteral("categories"),
                          QStringLiteral("<ol class=\"categories\">%1</ol>").arg(categories));
            values.insert(QStringLiteral("departments"),
                          QStringLiteral("<ol class=\"departments\">%1</ol>").arg(departments));
            values.insert(QStringLiteral("page_title"), escaped(intro.title[language]));
            values.insert(QStringLiteral("heading"), escaped(intro.title[language]));
            values.insert(QStringLiteral("picture"), QStringLiteral("img/") + PictureMaker::introPictureName(page));
            // The body may itself name the lists above.
            values.insert(QStringLiteral("body"), PageTemplates::fill(intro.body[language], values));
            writePage({0, page}, language, PageTemplates::fill(m_templates.intro, values));
        }
    }
    for (int page = 1; page <= 3; ++page)
        writeFile(QStringLiteral("img/") + PictureMaker::introPictureName(page), PictureMaker::introPicture(page));
}

void PageWriter::writeCategoryPictures()
{
    for (int category = 1; category <= kCategoryCount; ++category)
        writeFile(QStringLiteral("img/") + PictureMaker::categoryPictureName(category),
                  PictureMaker::categoryPicture(category));
}

void PageWriter::writeTitlePage(int category, const std::vector<PerLanguage>& titles)
{
    const int paged = m_layout.pagedProjectCount(category);
    for (int language = 0; language < kLanguageCount; ++language) {
        QString list;
        for (int position = 1; position <= paged && position <= int(titles.size()); ++position)
            list += QStringLiteral("<li>%1</li>\n")
                        .arg(link({category, position}, language, escaped(titles[position - 1][language])));
        QHash<QString, QString> values = commonValues(language, {category, 0});
        const QString name = escaped(m_content.categoryNames[category][language]);
        values.insert(QStringLiteral("page_title"), name);
        values.insert(QStringLiteral("heading"), QStringLiteral("%1. %2").arg(category).arg(name));
        values.insert(QStringLiteral("picture"), QStringLiteral("img/") + PictureMaker::categoryPictureName(category));
        values.insert(QStringLiteral("intro"), paragraphs(m_content.categoryIntros[category][language]));
        values.insert(QStringLiteral("projects"), QStringLiteral("<ol class=\"projects\">\n%1</ol>").arg(list));
        values.insert(QStringLiteral("body"),
                      values.value(QStringLiteral("intro")) + values.value(QStringLiteral("projects")));
        writePage({category, 0}, language, PageTemplates::fill(m_templates.category, values));
    }
}

void PageWriter::writeProjectPage(const ProjectRecord& project, bool withPicture)
{
    const CataloguePosition page{project.cat, project.pcat};
    const QString picture = withPicture ? PictureMaker::projectPictureName(project.cat, project.pcat)
                                        : PictureMaker::categoryPictureName(project.cat);
    if (withPicture)
        writeFile(QStringLiteral("img/") + picture, PictureMaker::projectPicture(project.cat, project.pcat));
    for (int language = 0; language < kLanguageCount; ++language) {
        const ProjectTexts& texts = project.texts[language];
        QString details;
        const auto row = [&](const QString& key, const QString& html) {
            details +=
                QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n").arg(escaped(m_content.label(key, language)), html);
        };
        if (filled(texts.odb))
            row(QStringLiteral("organisation"), escaped(*texts.odb));
        if (filled(texts.a))
            row(QStringLiteral("address"), escaped(*texts.a));
        if (filled(texts.o_tdb))
            row(QStringLiteral("more"), escaped(*texts.o_tdb));
        if (filled(texts.r))
            row(QStringLiteral("contact"),
                filled(texts.r_d) ? escaped(*texts.r_d + QLatin1Char(' ') + *texts.r) : escaped(*texts.r));
        row(QStringLiteral("department"), escaped(m_content.departmentNames[project.d][language]));

        QHash<QString, QString> values = commonValues(language, page);
        values.insert(QStringLiteral("page_title"), escaped(texts.tdb));
        values.insert(QStringLiteral("heading"), escaped(texts.tdb));
        values.insert(QStringLiteral("code"), QStringLiteral("%1.%2").arg(project.cat).arg(project.pcat));
        values.insert(QStringLiteral("picture"), QStringLiteral("img/") + picture);
        values.insert(QStringLiteral("summary"), paragraphs(texts.summary));
        values.insert(QStringLiteral("details"), QStringLiteral("<table class=\"details\">\n%1</table>").arg(details));
        values.insert(QStringLiteral("body"),
                      values.value(QStringLiteral("summary")) + values.value(QStringLiteral("details")));
        writePage(page, language, PageTemplates::fill(m_templates.project, values));
    }
}

void PageWriter::writePage(CataloguePosition page, int language, const QString& html)
{
    writeFile(PageFileName(page.category, page.position, languageAt(language).letter), html);
}

void PageWriter::writeFile(const QString& name, const QString& text)
{
    QFile file(m_dataFolder + QLatin1Char('/') + name);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()).toStdString());
    ++m_filesWritten;
}
