#pragma once
// `sql DATABASE 'SQL'`: runs one Access-dialect query through the browser's engine and prints
// the result as tab-separated lines.
#include <QString>
#include <QStringList>

class TADOQuery;

class SqlCommand {
public:
    // 0 printed, 2 engine error or wrong arguments.
    static int run(const QStringList& arguments);
    // One output line: display texts joined by tabs, nulls empty, control characters escaped.
    static QString formatRow(const TADOQuery& query, int row);
    static QString escaped(const QString& text);
};
