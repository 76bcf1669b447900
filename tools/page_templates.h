#pragma once
// The three page templates (introductory, category title, project) and the filling of their
// {{name}} placeholders. A placeholder without a value is left empty. Navigation is marked so the
// full-text index leaves its text out: the links bar is a <nav>, the masthead has role="banner".
#include <QHash>
#include <QString>

class PageTemplates {
public:
    // Reads templates/intro.html, templates/category.html and templates/project.html.
    // Throws std::runtime_error when one is missing.
    static PageTemplates load(const QString& sourceFolder);
    // Plain built-in templates for generated catalogues.
    static PageTemplates simple();

    static QString fill(const QString& text, const QHash<QString, QString>& values);

    QString intro;
    QString category;
    QString project;
};
