#include "error_report.h"

#include "message_box.h"

QString ErrorReportText(const QString& message)
{
    if (message.isEmpty() || message.back().unicode() <= u'.')
        return message;
    return message + u'.';
}

void HandleException(const QString& message) { ShowMessage(ErrorReportText(message), MessageIcon::Stop); }
