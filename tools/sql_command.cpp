#include "sql_command.h"

#include "catalogue_check.h"
#include "database_error.h"
#include "row_reader.h"
#include "tool_help.h"

#include <QTextStream>

#include <cstdio>
#include <memory>

void SqlCommand::appendEscaped(std::string_view text, std::string& line)
{
    for (const char c : text) {
        switch (c) {
        case '\t': line += "\\t"; break;
        case '\r': line += "\\r"; break;
        case '\n': line += "\\n"; break;
        default: line += c;
        }
    }
}

QString SqlCommand::escaped(const QString& text)
{
    std::string line;
    const QByteArray utf8 = text.toUtf8();
    appendEscaped(std::string_view(utf8.constData(), std::size_t(utf8.size())), line);
    return QString::fromStdString(line);
}

// The rows are written as the engine hands them out, without counting them first or keeping them.
int SqlCommand::run(const QStringList& arguments)
{
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: velora-catalogue-tool sql DATABASE 'SELECT ...'\n";
        return kWrongArgumentsExitCode;
    }
    std::unique_ptr<RowReader> rows;
    try {
        rows = std::make_unique<RowReader>(arguments[0], arguments[1]);
    } catch (const DatabaseError& error) {
        err << error.message() << '\n';
        return 2;
    }
    std::string line;
    const QStringList& names = rows->columnNames();
    for (int column = 0; column < names.size(); ++column) {
        if (column > 0)
            line += '\t';
        appendEscaped(names[column].toStdString(), line);
    }
    line += '\n';
    std::string cell;
    int status = 0;
    try {
        while (rows->next()) {
            for (int column = 0; column < names.size(); ++column) {
                if (column > 0)
                    line += '\t';
                cell.clear();
                rows->appendDisplayText(column, cell);
                appendEscaped(cell, line);
            }
            line += '\n';
            if (line.size() >= (1 << 16)) {
                std::fwrite(line.data(), 1, line.size(), stdout);
                line.clear();
            }
        }
    } catch (const DatabaseError& error) {
        // The rows before the failing one are printed; the engine's message says why no more come.
        status = 2;
        std::fwrite(line.data(), 1, line.size(), stdout);
        line.clear();
        std::fflush(stdout);
        err << error.message() << '\n';
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? status : 2;
}
