#pragma once
// `index DIR` and `find DIR 'QUERY'`: write a catalogue's full-text index and query it.
#include <QString>
#include <QStringList>

class IndexCommand {
public:
    // 0 written, 2 wrong arguments, the catalogue cannot be read or the index not written.
    static int run(const QStringList& arguments);
    // Writes DIR/index and says how many pages it holds; false (after a message) on failure.
    static bool writeIndex(const QString& catalogueDir);
};

class FindCommand {
public:
    // 0 printed (also when nothing is found), 2 wrong arguments, no readable catalogue or index.
    static int run(const QStringList& arguments);
};
