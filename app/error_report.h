#pragma once
// The application's default error report: the error's own text in a box with a stop icon.
#include <QString>

// The text shown: a full stop is appended unless the text is empty or already ends with a
// character whose code is at most that of the full stop.
QString ErrorReportText(const QString& message);

// Shows the report for an error that escaped a handler.
void HandleException(const QString& message);
