#include "jpeg_picture.h"

#include <QFile>
#include <QGuiApplication>

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

namespace {

// Largest decoded picture accepted, in bytes: the same limit as Qt's own image readers, so a
// forged header cannot make us allocate gigabytes.
constexpr qint64 MaxPictureBytes = 256LL * 1024 * 1024;

// The bytes of one Format_RGB32 pixel in memory order.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE RgbBytes = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE RgbBytes = JCS_EXT_XRGB;
#endif

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default error handler ends the process; ours jumps back to DecodeJpeg instead.
[[noreturn]] void jumpOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

// libjpeg reports damaged data, a truncated file included, only as a warning and then fills
// the rest with grey. Such a picture is refused rather than shown half drawn.
void jumpOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        jumpOnError(info);
}

void printNothing(j_common_ptr) {}

// Runs the decompressor from the header to the last scanline, filling `image`. Errors leave
// through jumpOnError, so nothing here may own memory outside `image` and libjpeg's own pools.
bool decodeScanlines(jpeg_decompress_struct& info, QImage& image)
{
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (info.jpeg_color_space == JCS_GRAYSCALE)
        info.out_color_space = JCS_GRAYSCALE;
    else if (cmyk)
        info.out_color_space = JCS_CMYK;
    else
        info.out_color_space = RgbBytes;  // straight into the rows of a Format_RGB32 image

    jpeg_calc_output_dimensions(&info);
    const qint64 bytes = qint64(info.output_width) * info.output_height * 4;
    if (info.output_width == 0 || info.output_height == 0 || bytes > MaxPictureBytes)
        return false;

    image = QImage(int(info.output_width), int(info.output_height),
                   info.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull())
        return false;

    jpeg_start_decompress(&info);
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk)
        cmykRow =
            (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1);
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        if (!cmyk) {
            JSAMPROW row = image.scanLine(y);
            jpeg_read_scanlines(&info, &row, 1);
            continue;
        }
        jpeg_read_scanlines(&info, cmykRow, 1);
        // JPEG CMYK pictures are stored inverted (255 means no ink), as Adobe's programs write them.
        const JSAMPLE* in = cmykRow[0];
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (JDIMENSION x = 0; x < info.output_width; ++x, in += 4) {
            const int k = in[3];
            out[x] = qRgb(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data)
{
    if (data.isEmpty())
        return QImage();

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpOnError;
    errors.base.emit_message = jumpOnWarning;
    errors.base.output_message = printNothing;

    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return QImage();
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    const bool decoded = decodeScanlines(info, image);
    jpeg_destroy_decompress(&info);
    return decoded ? image : QImage();
}

namespace {
QImage LoadImage(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray data = file.readAll();
    QImage image;
    if (resourcePath.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
        resourcePath.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive))
        image = DecodeJpeg(data);
    else
        image.loadFromData(data);
    return image;
}
}  // namespace

QPixmap LoadPicture(const QString& resourcePath) { return LoadPicture(resourcePath, qGuiApp->devicePixelRatio()); }

QPixmap LoadPicture(const QString& resourcePath, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const qsizetype dot = resourcePath.lastIndexOf(u'.');
        const QString twin =
            dot < 0 ? QString() : resourcePath.left(dot) + QStringLiteral("@2x") + resourcePath.mid(dot);
        if (!twin.isEmpty() && QFile::exists(twin)) {
            QPixmap sharp = QPixmap::fromImage(LoadImage(twin));
            if (!sharp.isNull()) {
                sharp.setDevicePixelRatio(2);
                return sharp;
            }
        }
    }
    return QPixmap::fromImage(LoadImage(resourcePath));
}
