#pragma once
// `serve DIR`: the catalogue on the web, until SIGINT or SIGTERM.
#include <QStringList>

class ServeCommand {
public:
    // 0 after a signal, once the answers in flight are sent; 1 wrong arguments; 2 the catalogue
    // cannot be read or the address cannot be listened on.
    static int run(const QStringList& arguments);
};
