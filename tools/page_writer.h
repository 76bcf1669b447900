#pragma once
// Writes the page files of a catalogue into its data folder: the three introductory pages, the
// title page of each category and the project pages, in every language, with links to the
// neighbouring pages in catalogue order.
#include "catalogue_content.h"
#include "catalogue_layout.h"
#include "page_templates.h"

#include <QHash>
#include <QString>
#include <vector>

class PageWriter {
public:
    // content supplies the names, labels and introductory texts; its projects are not read.
    PageWriter(const QString& dataFolder, const CatalogueLayout& layout, PageTemplates templates,
               const CatalogueContent& content);

    void writeIntroPages();
    // titles[i] is the title of project i + 1.
    void writeTitlePage(int category, const std::vector<PerLanguage>& titles);
    // withPicture: draw the project's own picture, else show its category's.
    void writeProjectPage(const ProjectRecord& project, bool withPicture);
    void writeCategoryPictures();

    int filesWritten() const { return m_filesWritten; }

private:
    QHash<QString, QString> commonValues(int language, CataloguePosition page) const;
    QString navigation(int language, CataloguePosition page) const;
    QString link(CataloguePosition page, int language, const QString& text, const QString& cssClass = {}) const;
    void writePage(CataloguePosition page, int language, const QString& html);
    void writeFile(const QString& name, const QString& text);

    QString m_dataFolder;
    const CatalogueLayout& m_layout;
    PageTemplates m_templates;
    const CatalogueContent& m_content;
    int m_filesWritten = 0;
};
