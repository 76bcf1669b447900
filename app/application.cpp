#include "application.h"

#include "message_box.h"
#include "velora_version.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(ApplicationTitle);
    setApplicationVersion(QStringLiteral(VELORA_PRODUCT_VERSION));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    RunReported([&] { result = QApplication::notify(receiver, event); });
    return result;
}
