#pragma once
// Pictures of the window definitions: JPEG pictures are decoded with libjpeg, the others by Qt.
#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

// Decodes a JPEG picture held in memory. Grayscale pictures come back as Format_Grayscale8,
// colour (YCbCr, RGB, CMYK, YCCK) ones as Format_RGB32. Data that is not a complete, sound JPEG
// picture (empty, truncated, corrupt, too large) gives a null image.
QImage DecodeJpeg(const QByteArray& data);

// Loads a picture resource such as ":/pictures/title_ru.jpg": a name ending in .jpg or .jpeg
// is decoded by DecodeJpeg, any other by Qt. A missing or undecodable picture gives a null pixmap.
// On a screen scaled above 100% (device pixel ratio above 1) the twin drawn at twice the size,
// such as ":/pictures/title_ru@2x.jpg", is loaded instead where there is one, with a device pixel
// ratio of 2: it takes the same place and size in device-independent pixels, only sharper.
QPixmap LoadPicture(const QString& resourcePath);
QPixmap LoadPicture(const QString& resourcePath, qreal devicePixelRatio);
