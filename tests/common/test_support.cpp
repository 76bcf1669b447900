#include "test_support.h"

#include "message_box.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>

namespace testing_support {

MessageRecorder::MessageRecorder() { QCoreApplication::instance()->installEventFilter(this); }

MessageRecorder::~MessageRecorder() { QCoreApplication::instance()->removeEventFilter(this); }

void MessageRecorder::clear()
{
    texts_.clear();
    captions_.clear();
}

bool MessageRecorder::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (box && event->type() == QEvent::Show && box->windowTitle() == ApplicationTitle) {
        captions_ << box->windowTitle();
        texts_ << box->text();
        // Pressed once the box's own loop runs, so the box is closed where it waits.
        QMetaObject::invokeMethod(
            box,
            [guard = QPointer<QMessageBox>(box)] {
                if (guard)
                    guard->done(QMessageBox::Ok);
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace testing_support
