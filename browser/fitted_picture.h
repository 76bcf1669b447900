#pragma once
// A picture box that shows its picture at its own size while it fits, and scaled down keeping its
// proportions when it is larger than the box. Where it sits in the box is the label's alignment.
#include <QObject>
#include <QPixmap>
#include <QSize>

class QLabel;

// The size a picture is drawn at in a box: its own size when it fits, else the largest size
// with the same proportions that fits.
QSize FittedPictureSize(const QSize& picture, const QSize& box);

class FittedPicture : public QObject {
public:
    // Watches the label's size; the label owns this object.
    explicit FittedPicture(QLabel* label);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();

    QLabel* label_;
    QPixmap picture_;
};
