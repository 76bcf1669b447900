#include "fitted_picture.h"

#include <QEvent>
#include <QLabel>

QSize FittedPictureSize(const QSize& picture, const QSize& box)
{
    if (picture.width() <= box.width() && picture.height() <= box.height())
        return picture;
    return picture.scaled(box.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
}

FittedPicture::FittedPicture(QLabel* label) : QObject(label), label_(label) { label->installEventFilter(this); }

void FittedPicture::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    refresh();
}

bool FittedPicture::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == label_ && event->type() == QEvent::Resize)
        refresh();
    return QObject::eventFilter(watched, event);
}

void FittedPicture::refresh()
{
    if (picture_.isNull()) {
        label_->clear();
        return;
    }
    // Sizes in device-independent pixels: a picture drawn at twice the size for a scaled screen
    // takes the place of the plain one.
    const QSize own = picture_.deviceIndependentSize().toSize();
    const QSize size = FittedPictureSize(own, label_->size());
    if (size == own) {
        label_->setPixmap(picture_);
        return;
    }
    const qreal ratio = picture_.devicePixelRatio();
    QPixmap fitted = picture_.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    label_->setPixmap(fitted);
}
