// JPEG decoding through libjpeg, and the picture files that the windows load.
#include "fitted_picture.h"
#include "jpeg_picture.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct PictureFile {
    const char* name;
    int width;
    int height;
};

const PictureFile Pictures[] = {
    {"splash_title.jpg", 607, 436}, {"chinese_word.png", 42, 19}, {"emblem.png", 147, 96},
    {"title_ru.jpg", 700, 90},      {"title_en.jpg", 700, 90},    {"title_ch.jpg", 600, 68},
    {"show_ru.png", 14, 100},       {"hide_ru.png", 14, 100},     {"show_en.png", 20, 90},
    {"hide_en.png", 20, 90},        {"show_chn.jpg", 24, 58},     {"hide_chn.jpg", 25, 132},
    {"menu_chn_0.png", 165, 41},    {"menu_chn_01.png", 165, 41}, {"menu_chn_02.png", 165, 61},
    {"menu_chn_1.png", 165, 41},    {"menu_chn_2.png", 165, 41},  {"menu_chn_3.png", 165, 25},
    {"menu_chn_4.png", 165, 41},    {"menu_chn_5.png", 165, 61},  {"menu_chn_6.png", 165, 25},
    {"menu_chn_7.png", 165, 41},    {"menu_chn_8.png", 165, 41},  {"menu_chn_9.png", 165, 41},
    {"menu_chn_10.png", 165, 41},   {"menu_chn_11.png", 165, 41}, {"goto_chn.png", 63, 18},
    {"imgs_0.png", 70, 20},         {"imgs_1.png", 70, 20},       {"imgs_2.png", 70, 20},
    {"imgs_3.png", 70, 20},         {"imgs_4.png", 70, 20},       {"imgs_5.png", 70, 20},
    {"icon.png", 16, 16},
};

const char* const JpegPictures[] = {"splash_title.jpg", "title_ru.jpg", "title_en.jpg",
                                    "title_ch.jpg",     "show_chn.jpg", "hide_chn.jpg"};

QByteArray readResource(const QString& name)
{
    QFile file(QStringLiteral(":/pictures/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Largest difference of one colour channel between two images of the same size.
int largestChannelDifference(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            largest = std::max(
                {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// Mean difference of all colour channels, for comparing with an original that JPEG blurred.
double meanChannelDifference(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * left.width() * left.height());
}

QImage decodeWithQt(const QByteArray& data) { return QImage::fromData(data, "JPG"); }

// Three gradients running different ways, so that a swapped channel or a mirrored row shows.
QImage testPattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 255 - (x + y) * 255 / (width + height)));
    return image;
}

QByteArray encodeWithQt(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// Qt writes no CMYK JPEG, so libjpeg's compressor makes one: four stored components, inverted
// as in Adobe's files, with an Adobe marker.
QByteArray encodeCmyk(int width, int height)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * 4);
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            row[x * 4 + 0] = JSAMPLE(255 - x * 255 / width);  // cyan ink grows to the right
            row[x * 4 + 1] = JSAMPLE(255 - y * 255 / height);  // magenta ink grows downwards
            row[x * 4 + 2] = 255;  // no yellow
            row[x * 4 + 3] = JSAMPLE(x < width / 2 ? 255 : 128);  // black ink on the right half
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

}  // namespace

TEST(PictureFiles, EveryPictureIsCommittedAndCompiledInWithItsSize)
{
    const QString folder = testing_support::sourceDir() + QStringLiteral("/resources/pictures/");
    for (const PictureFile& picture : Pictures) {
        SCOPED_TRACE(picture.name);
        const QString name = QString::fromLatin1(picture.name);
        EXPECT_TRUE(QFileInfo::exists(folder + name));
        const QPixmap pixmap = LoadPicture(QStringLiteral(":/pictures/") + name);
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.size(), QSize(picture.width, picture.height));
    }
}

// On a screen scaled to 200% every picture comes from its twin drawn at twice the size, and takes
// the same place and size in device-independent pixels; fitted into a smaller box it stays sharp.
TEST(PictureFiles, EveryPictureHasATwinForScaledScreens)
{
    for (const PictureFile& picture : Pictures) {
        SCOPED_TRACE(picture.name);
        const QString path = QStringLiteral(":/pictures/") + QString::fromLatin1(picture.name);
        const QPixmap sharp = LoadPicture(path, 2.0);
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        EXPECT_EQ(sharp.size(), QSize(picture.width * 2, picture.height * 2));
        EXPECT_EQ(sharp.deviceIndependentSize().toSize(), QSize(picture.width, picture.height));
        EXPECT_EQ(LoadPicture(path, 1.0).devicePixelRatio(), 1.0);
    }
    QLabel box;
    box.resize(829, 97);
    box.show();
    FittedPicture title(&box);
    title.setPicture(LoadPicture(QStringLiteral(":/pictures/title_ru.jpg"), 2.0));
    EXPECT_EQ(box.pixmap().deviceIndependentSize().toSize(), QSize(700, 90));
    box.resize(350, 97);
    EXPECT_EQ(box.pixmap().deviceIndependentSize().toSize(), QSize(350, 45));
    EXPECT_EQ(box.pixmap().size(), QSize(700, 90)) << "scaled down from the sharp twin, not blown up";
}

TEST(PictureFiles, IconIsOpaqueColour)
{
    const QImage icon(QStringLiteral(":/pictures/icon.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.hasAlphaChannel());
    EXPECT_FALSE(icon.isGrayscale());
}

TEST(PictureFiles, ChineseWordIsBlackOnTransparent)
{
    const QImage word = QImage(QStringLiteral(":/pictures/chinese_word.png")).convertToFormat(QImage::Format_ARGB32);
    int black = 0;
    for (int y = 0; y < word.height(); ++y) {
        for (int x = 0; x < word.width(); ++x) {
            const QRgb pixel = word.pixel(x, y);
            ASSERT_TRUE(pixel == qRgba(0, 0, 0, 255) || qAlpha(pixel) == 0) << x << "," << y;
            black += qAlpha(pixel) == 255;
        }
    }
    EXPECT_GT(black, 40);  // the word is drawn, not just a blank
}

TEST(DecodeJpeg, CommittedPicturesMatchQtsDecoder)
{
    for (const char* name : JpegPictures) {
        SCOPED_TRACE(name);
        const QByteArray data = readResource(QString::fromLatin1(name));
        ASSERT_FALSE(data.isEmpty());
        const QImage ours = DecodeJpeg(data);
        const QImage qts = decodeWithQt(data);
        ASSERT_FALSE(ours.isNull());
        ASSERT_EQ(ours.size(), qts.size());
        EXPECT_EQ(ours.format(), QImage::Format_RGB32);
        EXPECT_LE(largestChannelDifference(ours, qts), 2);
    }
}

TEST(DecodeJpeg, ColourPixelsKeepTheirPlaceAndChannelOrder)
{
    const QImage original = testPattern(64, 40);
    const QImage decoded = DecodeJpeg(encodeWithQt(original));
    ASSERT_EQ(decoded.size(), original.size());
    EXPECT_LE(meanChannelDifference(decoded, original), 3.0);
    // A pure colour must come back as that colour, not with red and blue swapped.
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(qRgb(220, 10, 10));
    const QRgb pixel = DecodeJpeg(encodeWithQt(red)).pixel(8, 8);
    EXPECT_GT(qRed(pixel), 200);
    EXPECT_LT(qBlue(pixel), 40);
}

TEST(DecodeJpeg, GrayscalePictureStaysGray)
{
    const QImage original = testPattern(48, 32).convertToFormat(QImage::Format_Grayscale8);
    const QByteArray data = encodeWithQt(original);
    const QImage decoded = DecodeJpeg(data);
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), QImage::Format_Grayscale8);
    EXPECT_LE(largestChannelDifference(decoded, decodeWithQt(data)), 2);
}

TEST(DecodeJpeg, CmykPictureMatchesQtsDecoder)
{
    const QByteArray data = encodeCmyk(40, 24);
    const QImage ours = DecodeJpeg(data);
    const QImage qts = decodeWithQt(data);
    ASSERT_FALSE(ours.isNull());
    ASSERT_EQ(ours.size(), QSize(40, 24));
    ASSERT_EQ(qts.size(), ours.size());
    EXPECT_LE(largestChannelDifference(ours, qts), 2);
    // Top left: no ink at all, so white; the right half carries half black.
    EXPECT_GT(qGray(ours.pixel(0, 0)), 240);
    EXPECT_LT(qGray(ours.pixel(39, 0)), 140);
}

TEST(DecodeJpeg, DataThatIsNoWholeJpegGivesNullImage)
{
    const QByteArray splash = readResource(QStringLiteral("splash_title.jpg"));
    ASSERT_GT(splash.size(), 1000);
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray("\xFF\xD8", 2)).isNull());
    EXPECT_TRUE(DecodeJpeg(splash.left(splash.size() / 2)).isNull());
    EXPECT_TRUE(DecodeJpeg(splash.left(splash.size() - 2)).isNull());  // end marker missing
    EXPECT_TRUE(DecodeJpeg(splash.left(200)).isNull());  // inside the header
    EXPECT_TRUE(DecodeJpeg(readResource(QStringLiteral("emblem.png"))).isNull());

    QRandomGenerator random(2014);
    for (int round = 0; round < 50; ++round) {
        QByteArray noise(int(random.bounded(1, 4000)), '\0');
        for (char& byte : noise)
            byte = char(random.bounded(256));
        if (round % 2)
            noise.replace(0, 2, QByteArray("\xFF\xD8", 2));  // a JPEG start followed by junk
        EXPECT_TRUE(DecodeJpeg(noise).isNull()) << "round " << round;
    }
}

TEST(DecodeJpeg, HeaderClaimingAHugePictureGivesNullImage)
{
    // The frame header's height and width are patched to 65000 x 65000 (16 GB of pixels).
    QByteArray data = readResource(QStringLiteral("title_ch.jpg"));
    const int frame = int(data.indexOf(QByteArray("\xFF\xC0", 2)));
    ASSERT_GT(frame, 0);
    data[frame + 5] = char(0xFD);
    data[frame + 6] = char(0xE8);
    data[frame + 7] = char(0xFD);
    data[frame + 8] = char(0xE8);
    EXPECT_TRUE(DecodeJpeg(data).isNull());
}

TEST(LoadPicture, MissingResourceGivesNullPixmap)
{
    EXPECT_TRUE(LoadPicture(QStringLiteral(":/pictures/no_such_picture.jpg")).isNull());
    EXPECT_TRUE(LoadPicture(QStringLiteral(":/pictures/no_such_picture.png")).isNull());
}
