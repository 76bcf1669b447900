#pragma once
// `check FOLDER`: prints one line per problem of a catalogue folder and a summary.
#include <QStringList>

class CheckCommand {
public:
    // 0 sound, 1 problems found, 2 the database cannot be read or wrong arguments.
    static int run(const QStringList& arguments);
};
