#include "ProgressSliderImages.h"

namespace progress_images {

QImage recolourThumb(const QImage& thumb, QColor colour, bool greyMarks)
{
    QImage out = thumb.convertToFormat(QImage::Format_ARGB32);
    const QRgb marker = qRgb(0, 0, 1);
    const QRgb mark = qRgb(0, 0, 2);
    QRgb previous = qRgba(0, 0, 0, 0);
    for (int x = 0; x < out.width(); ++x) {
        for (int y = 0; y < out.height(); ++y) {
            QRgb px = out.pixel(x, y);
            if (qAlpha(px) == 255 && (px & 0xFFFFFF) == (marker & 0xFFFFFF))
                px = colour.rgb();
            else if (qAlpha(px) == 255 && (px & 0xFFFFFF) == (mark & 0xFFFFFF))
                px = greyMarks ? qRgb(91, 91, 91) : previous;
            out.setPixel(x, y, px);
            previous = px;
        }
    }
    return out;
}

Shades playedShades(QColor base)
{
    const QColor hsl = base.toHsl();
    const float hue = hsl.hslHueF() < 0 ? 0.f : hsl.hslHueF();
    const float sat = hsl.hslSaturationF() / 2.f;
    return {QColor::fromHslF(hue, sat, 0.80f).toRgb(), QColor::fromHslF(hue, sat, 0.87f).toRgb(),
            QColor::fromHslF(hue, sat, 0.92f).toRgb()};
}

QImage shadeTrack(const QImage& track, const Shades& shades, bool horizontal)
{
    QImage out = track.convertToFormat(QImage::Format_ARGB32);
    const int n = horizontal ? out.height() : out.width();
    for (int k = 0; k < n; ++k) {
        const QColor c = k == 0 ? shades.first : k == 1 ? shades.second : shades.rest;
        const int across = horizontal ? out.width() : out.height();
        for (int a = 0; a < across; ++a) {
            if (horizontal)
                out.setPixelColor(a, k, c);
            else
                out.setPixelColor(k, a, c);
        }
    }
    return out;
}

}  // namespace progress_images
