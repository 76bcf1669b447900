#pragma once
// The content of a catalogue as the build reads it: categories, departments, introductory pages
// and project records, each text in the three catalogue languages.
#include "catalogue_position.h"
#include "languages.h"
#include "page_names.h"

#include <QHash>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// Index of a catalogue language in every per-language array: its row in LanguageTable().
enum CatalogueLanguage { Russian = 0, English = 1, Chinese = 2 };
constexpr int kLanguageCount = 3;
constexpr int kCategoryCount = LastCategory;
constexpr int kDepartmentCount = 7;
constexpr int kMaxProjectsPerCategory = MostPagedProjects;

// The row of the language at an index of the per-language arrays.
inline const LanguageRow& languageAt(int language) { return LanguageTable()[language]; }

using PerLanguage = std::array<QString, kLanguageCount>;
// A database text that may be NULL.
using NullableText = std::optional<QString>;

struct ProjectTexts {
    QString tdb;  // title
    NullableText odb;  // developing organisation
    NullableText a;  // address, telephone, fax, e-mail, web site
    NullableText o_tdb;  // a further line on the organisation
    NullableText r;  // contact person
    NullableText r_d;  // degree or title written before the contact person
    QString summary;  // the page's description paragraph(s), plain text
};

struct ProjectRecord {
    int cat = 0;  // category 1..11
    int pcat = 0;  // position within the category, from 1
    int d = 0;  // department 1..7
    int n = 0;  // number within the department, from 1
    std::array<ProjectTexts, kLanguageCount> texts;
};

struct IntroPage {
    PerLanguage title;
    PerLanguage body;  // HTML fragment
};

struct CatalogueContent {
    std::array<PerLanguage, kCategoryCount + 1> categoryNames;  // index 1..11
    std::array<PerLanguage, kCategoryCount + 1> categoryIntros;  // index 1..11, plain text
    std::array<PerLanguage, kDepartmentCount + 1> departmentNames;  // index 1..7
    std::array<IntroPage, 3> introPages;
    QHash<QString, PerLanguage> labels;  // words of the page furniture ("previous", "next", ...)
    std::vector<ProjectRecord> projects;  // ordered by category, then position

    QString label(const QString& key, int language) const;
};
