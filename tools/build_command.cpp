#include "build_command.h"

#include "catalogue_layout.h"
#include "catalogue_source.h"
#include "database_writer.h"
#include "font_installer.h"
#include "index_command.h"
#include "page_writer.h"
#include "synthetic_catalogue.h"
#include "tool_help.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <exception>

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

const char* const kSyntheticStyle = "body { font-family: sans-serif; margin: 2em; line-height: 1.5; }\n"
                                    "nav.pager a { margin-right: 1.5em; }\n";

// A fresh data folder: pages of an earlier, larger build must not linger.
QString freshDataFolder(const QString& destination)
{
    const QString data = destination + QStringLiteral("/data");
    QDir(data).removeRecursively();
    if (!QDir().mkpath(data))
        throw std::runtime_error(QStringLiteral("%1: cannot create the folder").arg(data).toStdString());
    return data;
}

void writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
}

QString chineseTexts(const CatalogueContent& content)
{
    QString text;
    for (int category = 1; category <= kCategoryCount; ++category)
        text += content.categoryNames[category][Chinese] + content.categoryIntros[category][Chinese];
    for (int department = 1; department <= kDepartmentCount; ++department)
        text += content.departmentNames[department][Chinese];
    for (const IntroPage& page : content.introPages)
        text += page.title[Chinese] + page.body[Chinese];
    for (const PerLanguage& label : content.labels)
        text += label[Chinese];
    for (const ProjectRecord& project : content.projects) {
        const ProjectTexts& texts = project.texts[Chinese];
        text += texts.tdb + texts.summary + texts.odb.value_or(QString()) + texts.a.value_or(QString()) +
            texts.o_tdb.value_or(QString()) + texts.r.value_or(QString()) + texts.r_d.value_or(QString());
    }
    return text;
}

}  // namespace

int BuildCommand::run(const QStringList& arguments)
{
    if (arguments.size() == 3 && arguments[0] == QLatin1String("--synthetic")) {
        bool ok = false;
        const int count = arguments[1].toInt(&ok);
        if (!ok || count < kCategoryCount) {
            err() << "build --synthetic: N must be a whole number of at least 11 (one project per category)\n";
            return kWrongArgumentsExitCode;
        }
        return buildSynthetic(count, arguments[2]);
    }
    if (arguments.size() == 2 && !arguments[0].startsWith(QLatin1String("--")))
        return buildFromSources(arguments[0], arguments[1]);
    err() << "usage: velora-catalogue-tool build SOURCE DEST | build --synthetic N DEST\n";
    return kWrongArgumentsExitCode;
}

int BuildCommand::buildFromSources(const QString& source, const QString& destination)
{
    try {
        QElapsedTimer timer;
        timer.start();
        const CatalogueContent content = CatalogueSource::load(source);
        PageTemplates templates = PageTemplates::load(source);
        std::array<int, 12> counts{};
        for (const ProjectRecord& project : content.projects)
            ++counts[project.cat];
        const CatalogueLayout layout(counts);

        const QString data = freshDataFolder(destination);
        QFile styleSource(source + QStringLiteral("/style.css"));
        if (!styleSource.open(QIODevice::ReadOnly))
            throw std::runtime_error(
                QStringLiteral("%1: %2").arg(styleSource.fileName(), styleSource.errorString()).toStdString());
        writeText(data + QStringLiteral("/style.css"), styleSource.readAll());

        PageWriter pages(data, layout, std::move(templates), content);
        pages.writeIntroPages();
        pages.writeCategoryPictures();
        for (int category = 1; category <= kCategoryCount; ++category) {
            std::vector<PerLanguage> titles;
            for (const ProjectRecord& project : content.projects)
                if (project.cat == category)
                    titles.push_back({project.texts[0].tdb, project.texts[1].tdb, project.texts[2].tdb});
            pages.writeTitlePage(category, titles);
        }
        for (const ProjectRecord& project : content.projects)
            pages.writeProjectPage(project, true);

        DatabaseWriter database(destination + QStringLiteral("/velora2014.mdb"));
        for (int category = 1; category <= kCategoryCount; ++category)
            database.addCategory(category, content.categoryNames[category]);
        for (const ProjectRecord& project : content.projects)
            database.addProject(project);
        database.finish();

        const QString notice = FontInstaller::write(source, destination, chineseTexts(content));
        if (!notice.isEmpty())
            out() << "notice: " << notice << '\n';
        out() << "built " << destination << ": " << content.projects.size() << " projects, " << pages.filesWritten() + 1
              << " files in data/, velora2014.mdb, sp/chnfont.sh (" << timer.elapsed() << " ms)\n";
        out().flush();
        return IndexCommand::writeIndex(destination) ? 0 : 1;
    } catch (const std::exception& error) {
        err() << "build: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
}

int BuildCommand::buildSynthetic(int projectCount, const QString& destination)
{
    try {
        QElapsedTimer timer;
        timer.start();
        const SyntheticCatalogue catalogue(projectCount);
        const CatalogueLayout layout(catalogue.counts());
        const QString data = freshDataFolder(destination);
        writeText(data + QStringLiteral("/style.css"), kSyntheticStyle);

        PageWriter pages(data, layout, PageTemplates::simple(), catalogue.furniture());
        pages.writeIntroPages();
        pages.writeCategoryPictures();
        DatabaseWriter database(destination + QStringLiteral("/velora2014.mdb"));
        bool pagesCut = false;
        for (int category = 1; category <= kCategoryCount; ++category) {
            database.addCategory(category, catalogue.furniture().categoryNames[category]);
            const int paged = layout.pagedProjectCount(category);
            pagesCut = pagesCut || paged < layout.projectCount(category);
            std::vector<PerLanguage> titles;
            titles.reserve(paged);
            for (int position = 1; position <= layout.projectCount(category); ++position) {
                const ProjectRecord project = catalogue.project(category, position);
                database.addProject(project);
                if (position <= paged) {
                    titles.push_back({project.texts[0].tdb, project.texts[1].tdb, project.texts[2].tdb});
                    pages.writeProjectPage(project, false);
                }
            }
            pages.writeTitlePage(category, titles);
        }
        database.finish();
        if (pagesCut)
            out() << "notice: some categories hold more than 999 projects; their pages stop at position 999 "
                     "(page names have three position digits), the database holds every project\n";
        out() << "built " << destination << ": " << projectCount << " synthetic projects, " << pages.filesWritten() + 1
              << " files in data/, velora2014.mdb (" << timer.elapsed() << " ms)\n";
        out().flush();
        return IndexCommand::writeIndex(destination) ? 0 : 1;
    } catch (const std::exception& error) {
        err() << "build: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
}
