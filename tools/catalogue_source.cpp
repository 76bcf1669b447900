#include "catalogue_source.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& fileName, const QString& what)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(fileName, what).toStdString());
}

PerLanguage perLanguage(const QJsonValue& value)
{
    const QJsonObject object = value.toObject();
    PerLanguage texts;
    for (int language = 0; language < kLanguageCount; ++language)
        texts[language] = object.value(languageAt(language).code).toString();
    return texts;
}

bool complete(const PerLanguage& texts)
{
    return std::none_of(texts.begin(), texts.end(), [](const QString& t) { return t.isEmpty(); });
}

// A field of the project's own record wins over the organisation's; JSON null stays NULL.
NullableText field(const QJsonObject& own, const QJsonObject& inherited, const QString& key)
{
    const QJsonValue value = own.contains(key) ? own.value(key) : inherited.value(key);
    if (value.isNull())
        return std::nullopt;
    return value.toString();
}

// Labels, category names and introductions, department names and the introductory pages.
void readFurniture(const QJsonObject& root, const QString& fileName, CatalogueContent& content)
{
    const QJsonObject labels = root.value(QStringLiteral("labels")).toObject();
    for (auto it = labels.begin(); it != labels.end(); ++it)
        content.labels.insert(it.key(), perLanguage(it.value()));

    const QJsonArray categories = root.value(QStringLiteral("categories")).toArray();
    if (categories.size() != kCategoryCount)
        fail(fileName, QStringLiteral("%1 categories, expected %2").arg(categories.size()).arg(kCategoryCount));
    for (int i = 0; i < kCategoryCount; ++i) {
        const QJsonObject category = categories.at(i).toObject();
        content.categoryNames[i + 1] = perLanguage(category.value(QStringLiteral("name")));
        content.categoryIntros[i + 1] = perLanguage(category.value(QStringLiteral("intro")));
        if (!complete(content.categoryNames[i + 1]))
            fail(fileName, QStringLiteral("category %1 lacks a name in some language").arg(i + 1));
    }

    const QJsonArray departments = root.value(QStringLiteral("departments")).toArray();
    if (departments.size() != kDepartmentCount)
        fail(fileName, QStringLiteral("%1 departments, expected %2").arg(departments.size()).arg(kDepartmentCount));
    for (int i = 0; i < kDepartmentCount; ++i)
        content.departmentNames[i + 1] = perLanguage(departments.at(i));

    const QJsonArray intro = root.value(QStringLiteral("intro")).toArray();
    if (intro.size() != 3)
        fail(fileName, QStringLiteral("%1 introductory pages, expected 3").arg(intro.size()));
    for (int i = 0; i < 3; ++i) {
        const QJsonObject page = intro.at(i).toObject();
        content.introPages[i].title = perLanguage(page.value(QStringLiteral("title")));
        content.introPages[i].body = perLanguage(page.value(QStringLiteral("body")));
    }
}

// One project record; `where` names it in messages. Its number within the department is the next
// one of departmentNumbers.
ProjectRecord readProject(const QJsonObject& project, const QJsonObject& organisations, const QString& fileName,
                          const QString& where, std::array<int, kDepartmentCount + 1>& departmentNumbers)
{
    ProjectRecord record;
    record.cat = project.value(QStringLiteral("cat")).toInt();
    record.d = project.value(QStringLiteral("d")).toInt();
    if (record.cat < 1 || record.cat > kCategoryCount)
        fail(fileName, where + QStringLiteral(": category must be 1 to 11"));
    if (record.d < 1 || record.d > kDepartmentCount)
        fail(fileName, where + QStringLiteral(": department must be 1 to 7"));
    record.n = ++departmentNumbers[record.d];
    const QString orgKey = project.value(QStringLiteral("org")).toString();
    if (!orgKey.isEmpty() && !organisations.contains(orgKey))
        fail(fileName, where + QStringLiteral(": unknown organisation \"%1\"").arg(orgKey));
    const QJsonObject org = organisations.value(orgKey).toObject();
    for (int language = 0; language < kLanguageCount; ++language) {
        const QString code = languageAt(language).code;
        const QJsonObject own = project.value(code).toObject();
        const QJsonObject inherited = org.value(code).toObject();
        ProjectTexts& texts = record.texts[language];
        texts.tdb = own.value(QStringLiteral("tdb")).toString();
        if (texts.tdb.isEmpty())
            fail(fileName, where + QStringLiteral(": no title in ") + code);
        texts.odb = field(own, inherited, QStringLiteral("odb"));
        texts.a = field(own, inherited, QStringLiteral("a"));
        texts.o_tdb = field(own, inherited, QStringLiteral("o_tdb"));
        texts.r = field(own, inherited, QStringLiteral("r"));
        texts.r_d = field(own, inherited, QStringLiteral("r_d"));
        texts.summary = own.value(QStringLiteral("summary")).toString();
    }
    return record;
}

// Orders the projects by category, keeping file order within one, and numbers their positions.
void placeProjects(const QString& fileName, std::vector<ProjectRecord>& projects)
{
    std::stable_sort(projects.begin(), projects.end(),
                     [](const ProjectRecord& a, const ProjectRecord& b) { return a.cat < b.cat; });
    std::array<int, kCategoryCount + 1> positions{};
    for (ProjectRecord& record : projects)
        record.pcat = ++positions[record.cat];
    for (int category = 1; category <= kCategoryCount; ++category) {
        // Every category needs a project: the count query must give eleven rows.
        if (positions[category] == 0)
            fail(fileName, QStringLiteral("category %1 has no project").arg(category));
        if (positions[category] > kMaxProjectsPerCategory)
            fail(fileName, QStringLiteral("category %1 has more than 999 projects").arg(category));
    }
}

}  // namespace

CatalogueContent CatalogueSource::load(const QString& sourceFolder)
{
    const QString fileName = sourceFolder + QStringLiteral("/catalogue.json");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fail(fileName, file.errorString());
    return parse(file.readAll(), fileName);
}

CatalogueContent CatalogueSource::parse(const QByteArray& json, const QString& fileName)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        fail(fileName, QStringLiteral("offset %1: %2").arg(error.offset).arg(error.errorString()));
    const QJsonObject root = document.object();
    CatalogueContent content;
    readFurniture(root, fileName, content);

    const QJsonObject organisations = root.value(QStringLiteral("organisations")).toObject();
    const QJsonArray projects = root.value(QStringLiteral("projects")).toArray();
    std::array<int, kDepartmentCount + 1> departmentNumbers{};
    for (int i = 0; i < projects.size(); ++i)
        content.projects.push_back(readProject(projects.at(i).toObject(), organisations, fileName,
                                               QStringLiteral("project %1").arg(i + 1), departmentNumbers));
    placeProjects(fileName, content.projects);
    return content;
}
