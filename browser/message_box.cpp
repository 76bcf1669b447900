#include "message_box.h"

#include <QApplication>
#include <QMessageBox>

const QString ApplicationTitle = QStringLiteral("Catalogue VELORA 2014");

void ShowMessage(const QString& text, MessageIcon icon, QWidget* owner)
{
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon, ApplicationTitle, text,
                    QMessageBox::Ok, owner ? owner : QApplication::activeWindow());
    box.exec();
}
