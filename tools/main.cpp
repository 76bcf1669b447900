// velora-catalogue-tool: builds, checks, queries and serves catalogue folders.
#include "build_command.h"
#include "check_command.h"
#include "index_command.h"
#include "serve_command.h"
#include "sql_command.h"
#include "suggest_command.h"
#include "tool_help.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QLatin1String("build"))
        return BuildCommand::run(arguments);
    if (command == QLatin1String("check"))
        return CheckCommand::run(arguments);
    if (command == QLatin1String("sql"))
        return SqlCommand::run(arguments);
    if (command == QLatin1String("index"))
        return IndexCommand::run(arguments);
    if (command == QLatin1String("find"))
        return FindCommand::run(arguments);
    if (command == QLatin1String("serve"))
        return ServeCommand::run(arguments);
    if (command == QLatin1String("suggest"))
        return SuggestCommand::run(arguments);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        QTextStream(stdout) << ToolHelp::text();
        return 0;
    }
    QTextStream(stderr) << (command.isEmpty() ? QStringLiteral("no command given\n")
                                              : QStringLiteral("unknown command: %1\n").arg(command))
                        << ToolHelp::text();
    return kWrongArgumentsExitCode;
}
