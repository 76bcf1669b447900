#include "fitted_picture.h"

#include <QEvent>
#include <QLabel>

QSize FittedPictureSize(const QSize& picture, const QSize& box)
{
    if (picture.width() <= box.width() && picture.height() <= box.height())
        return picture;
    return picture.scaled(box.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
}

FittedPicture::FittedPicture(QLabel* label) : QObject(label), label_(label)
{
    label->installEventFilter(this);
}

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
    const QSize size = FittedPictureSize(picture_.size(), label_->size());
    if (size == picture_.size())
        label_->setPixmap(picture_);
    else
        label_->setPixmap(picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
