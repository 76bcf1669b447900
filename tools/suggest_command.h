#pragma once
// `suggest DIR 'TEXT'`: the project titles the browser's find bar offers while TEXT is typed.
#include <QStringList>

class SuggestCommand {
public:
    // 0 printed (also when nothing matches), 1 wrong arguments, 2 the page files cannot be read.
    static int run(const QStringList& arguments);
};
