#include "message_box.h"

#include <QApplication>
#include <QMessageBox>

const QString ApplicationTitle = QStringLiteral("Catalogue VELORA 2014");

namespace {
MessageObserver& observer()
{
    static MessageObserver instance;
    return instance;
}
}  // namespace

void SetMessageObserver(MessageObserver o) { observer() = std::move(o); }

void ShowMessage(const QString& text, MessageIcon icon, QWidget* owner)
{
    if (observer()) {
        observer()(ApplicationTitle, text, icon);
        return;
    }
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    ApplicationTitle, text, QMessageBox::Ok, owner ? owner : QApplication::activeWindow());
    box.exec();
}
