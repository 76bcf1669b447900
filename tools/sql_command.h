#pragma once
// `sql DATABASE 'SQL'`: runs one Access-dialect query through the browser's engine and prints
// the result as tab-separated lines.
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

class SqlCommand {
public:
    // 0 printed, 2 engine error or wrong arguments.
    static int run(const QStringList& arguments);
    // A cell's text as it goes into a line: tab, carriage return and line feed written as \t, \r, \n.
    static void appendEscaped(std::string_view text, std::string& line);
    static QString escaped(const QString& text);
};
