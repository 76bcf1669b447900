#include "application.h"

#include "message_box.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(ApplicationTitle);
    setApplicationVersion(QStringLiteral("1.1.0"));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    RunReported([&] { result = QApplication::notify(receiver, event); });
    return result;
}
