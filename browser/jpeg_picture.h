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
QPixmap LoadPicture(const QString& resourcePath);
