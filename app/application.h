#pragma once
// The application object. Exceptions that escape an event handler end that handler and are shown
// by the default error report; the program goes on.
#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs a handler and reports any exception it raises; returns false when one was reported.
template <typename Handler>
bool RunReported(Handler&& handler);

#include "error_report.h"
#include <exception>

template <typename Handler>
bool RunReported(Handler&& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        HandleException(QString::fromUtf8(error.what()));
    } catch (...) {
        HandleException(QStringLiteral("Unknown error"));
    }
    return false;
}
