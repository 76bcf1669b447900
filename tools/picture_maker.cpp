#include "picture_maker.h"

#include <QColor>
#include <cstdint>

namespace {

QString hueColour(int hue, int saturation, int value) { return QColor::fromHsv(hue % 360, saturation, value).name(); }

int categoryHue(int category) { return (category * 33 + 200) % 360; }

QString frame(int hue, const QString& inner)
{
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"240\" height=\"150\" viewBox=\"0 0 240 150\">"
               "<defs><linearGradient id=\"g\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">"
               "<stop offset=\"0\" stop-color=\"%1\"/><stop offset=\"1\" stop-color=\"%2\"/></linearGradient></defs>"
               "<rect width=\"240\" height=\"150\" rx=\"12\" fill=\"url(#g)\"/>%3</svg>\n")
        .arg(hueColour(hue, 60, 250), hueColour(hue + 20, 140, 190), inner);
}

// A small linear congruential sequence: the same page always gets the same drawing.
struct Sequence {
    std::uint32_t state;
    int next(int bound)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(bound));
    }
};

}  // namespace

QString PictureMaker::categoryPicture(int category)
{
    const int hue = categoryHue(category);
    QString stripes;
    for (int i = 0; i < 6; ++i)
        stripes +=
            QStringLiteral("<rect x=\"%1\" y=\"0\" width=\"14\" height=\"150\" fill=\"#ffffff\" opacity=\"0.%2\"/>")
                .arg(150 + i * 16)
                .arg(1 + i);
    return frame(hue,
                 stripes +
                     QStringLiteral("<text x=\"28\" y=\"104\" font-family=\"sans-serif\" font-size=\"78\" "
                                    "font-weight=\"bold\" fill=\"#ffffff\">%1</text>")
                         .arg(category));
}

QString PictureMaker::introPicture(int page)
{
    const int hue = 210 + page * 10;
    QString rings;
    for (int i = 0; i < page + 2; ++i)
        rings += QStringLiteral("<circle cx=\"120\" cy=\"75\" r=\"%1\" fill=\"none\" stroke=\"#ffffff\" "
                                "stroke-width=\"3\" opacity=\"0.%2\"/>")
                     .arg(20 + i * 14)
                     .arg(9 - i);
    return frame(hue,
                 rings +
                     QStringLiteral("<text x=\"120\" y=\"89\" text-anchor=\"middle\" "
                                    "font-family=\"serif\" font-size=\"40\" font-weight=\"bold\" "
                                    "fill=\"#ffffff\">V</text>"));
}

QString PictureMaker::projectPicture(int category, int position)
{
    Sequence sequence{static_cast<std::uint32_t>(category * 1000 + position)};
    const int hue = categoryHue(category);
    QString inner;
    for (int i = 0; i < 5; ++i)
        inner += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\" opacity=\"0.55\"/>")
                     .arg(20 + sequence.next(200))
                     .arg(20 + sequence.next(110))
                     .arg(8 + sequence.next(26))
                     .arg(hueColour(hue + sequence.next(90), 120, 230));
    QString points;
    for (int x = 10; x <= 230; x += 20)
        points += QStringLiteral("%1,%2 ").arg(x).arg(40 + sequence.next(90));
    inner += QStringLiteral("<polyline points=\"%1\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"3\"/>")
                 .arg(points.trimmed());
    inner += QStringLiteral("<text x=\"226\" y=\"140\" text-anchor=\"end\" font-family=\"sans-serif\" "
                            "font-size=\"16\" fill=\"#ffffff\">%1.%2</text>")
                 .arg(category)
                 .arg(position);
    return frame(hue, inner);
}

QString PictureMaker::categoryPictureName(int category)
{
    return QStringLiteral("cat%1.svg").arg(category, 2, 10, QLatin1Char('0'));
}

QString PictureMaker::introPictureName(int page) { return QStringLiteral("intro%1.svg").arg(page); }

QString PictureMaker::projectPictureName(int category, int position)
{
    return QStringLiteral("p%1%2.svg").arg(category, 2, 10, QLatin1Char('0')).arg(position, 3, 10, QLatin1Char('0'));
}
