#pragma once
// The two pages outside any language: the language choice at the site's root, as the splash
// offers it, and the answer for an address the site does not have. Both speak all three languages.
#include <QString>

QString LanguageChoiceHtml(const QString& basePath);
QString NotFoundHtml(const QString& basePath);
