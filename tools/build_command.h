#pragma once
// `build SOURCE DEST` and `build --synthetic N DEST`: lay out a complete catalogue (page files,
// stylesheet, pictures, database, font installer) in DEST.
#include <QStringList>

class BuildCommand {
public:
    // Returns the process exit code: 0 built, 1 the sources are faulty or a file cannot be
    // written, 2 wrong arguments.
    static int run(const QStringList& arguments);

    static int buildFromSources(const QString& source, const QString& destination);
    static int buildSynthetic(int projectCount, const QString& destination);
};
