#include "check_command.h"

#include "catalogue_check.h"
#include "tool_help.h"

#include <QTextStream>

int CheckCommand::run(const QStringList& arguments)
{
    QTextStream out(stdout);
    if (arguments.size() != 1) {
        QTextStream(stderr) << "usage: velora-catalogue-tool check FOLDER\n";
        return kWrongArgumentsExitCode;
    }
    const QString folder = arguments[0];
    const CatalogueCheck::Report report = CatalogueCheck::run(folder);
    for (const QString& problem : report.problems)
        out << problem << '\n';
    if (!report.readable) {
        out << folder << ": the database cannot be read\n";
        return 2;
    }
    if (!report.problems.isEmpty()) {
        out << folder << ": " << report.problems.size() << (report.problems.size() == 1 ? " problem" : " problems")
            << " (" << report.projects << " projects, " << report.pageFiles << " page files looked for)\n";
        return 1;
    }
    out << folder << ": sound (" << report.projects << " projects in 11 categories, " << report.pageFiles
        << " page files)\n";
    return 0;
}
