#pragma once
// Checks a catalogue folder the way the browser will read it: through its own database engine
// (the count query, positions, language rows), against the page files in data/, and its
// full-text index in index/ (missing, damaged or out of date).
#include <QString>
#include <QStringList>

class CatalogueCheck {
public:
    struct Report {
        bool readable = true;  // false: the database could not be opened or counted
        QStringList problems;  // one line each, naming the file, table or row
        int projects = 0;
        int pageFiles = 0;  // page files looked for
    };

    static Report run(const QString& folder);
    static QString connectionString(const QString& databasePath);
};
