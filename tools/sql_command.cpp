#include "sql_command.h"

#include "ado_query.h"
#include "catalogue_check.h"
#include "tool_help.h"

#include <QTextStream>

QString SqlCommand::escaped(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    result.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    result.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return result;
}

QString SqlCommand::formatRow(const TADOQuery& query, int row)
{
    QStringList cells;
    const int columns = int(query.columnNames().size());
    for (int column = 0; column < columns; ++column)
        cells << (query.value(row, column).isNull() ? QString() : escaped(query.displayText(row, column)));
    return cells.join(QLatin1Char('\t'));
}

int SqlCommand::run(const QStringList& arguments)
{
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: velora-catalogue-tool sql DATABASE 'SELECT ...'\n";
        return kWrongArgumentsExitCode;
    }
    TADOQuery query;
    query.setConnectionString(CatalogueCheck::connectionString(arguments[0]));
    query.setSql(arguments[1]);
    try {
        query.Open();
    } catch (const DatabaseError& error) {
        err << error.message() << '\n';
        return 2;
    }
    QTextStream out(stdout);
    QStringList header;
    for (const QString& name : query.columnNames())
        header << escaped(name);
    out << header.join(QLatin1Char('\t')) << '\n';
    for (int row = 0; row < query.RecordCount(); ++row)
        out << formatRow(query, row) << '\n';
    query.Close();
    return 0;
}
