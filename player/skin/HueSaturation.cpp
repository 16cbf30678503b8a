#include "HueSaturation.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace huesat {

Hsl rgbToHsl(int red, int green, int blue)
{
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    Hsl out;
    out.lightness = (hi + lo) / 2.0;
    const double delta = hi - lo;
    if (delta <= 0.0)
        return out;
    out.saturation = out.lightness < 0.5 ? delta / (hi + lo) : delta / (2.0 - hi - lo);
    double h;
    if (r == hi)
        h = (g - b) / delta;
    else if (g == hi)
        h = 2.0 + (b - r) / delta;
    else
        h = 4.0 + (r - g) / delta;
    h /= 6.0;
    if (h < 0.0)
        h += 1.0;
    out.hue = h;
    return out;
}

namespace {

// One channel of the HLS model: m1 and m2 are the channel's low and high values, hue the
// channel's angle in degrees.
double channel(double m1, double m2, double hue)
{
    hue = std::fmod(hue, 360.0);
    if (hue < 0.0)
        hue += 360.0;
    if (hue < 60.0)
        return m1 + (m2 - m1) * hue / 60.0;
    if (hue < 180.0)
        return m2;
    if (hue < 240.0)
        return m1 + (m2 - m1) * (240.0 - hue) / 60.0;
    return m1;
}

int toByte(double v)
{
    return std::clamp(static_cast<int>(std::lround(v * 255.0)), 0, 255);
}

bool isGrey(QRgb p)
{
    return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
}

}  // namespace

QRgb hlsToRgb(double hueDegrees, double lightness, double saturation)
{
    if (saturation <= 0.0) {
        const int v = toByte(lightness);
        return qRgb(v, v, v);
    }
    const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation)
                                       : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    return qRgb(toByte(channel(m1, m2, hueDegrees + 120.0)), toByte(channel(m1, m2, hueDegrees)),
                toByte(channel(m1, m2, hueDegrees - 120.0)));
}

QRgb shiftColor(QRgb rgb, double hueShift, double saturationShift)
{
    const Hsl hsl = rgbToHsl(qRed(rgb), qGreen(rgb), qBlue(rgb));
    double hue = hsl.hue * 360.0 + hueShift;
    // Folded toward zero: a negative angle stays negative and the conversion treats it as one.
    hue -= 360.0 * std::trunc(hue / 360.0);
    const double saturation = std::clamp(hsl.saturation + saturationShift, 0.0, 1.0);
    const QRgb out = hlsToRgb(hue, hsl.lightness, saturation);
    return qRgba(qRed(out), qGreen(out), qBlue(out), qAlpha(rgb));
}

bool recolor(const QImage& source, QImage& target, double hueShift, double saturationShift)
{
    if (source.isNull() || source.size() != target.size() ||
        source.format() != QImage::Format_ARGB32 || target.format() != QImage::Format_ARGB32)
        return false;
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (isGrey(in[x])) {
                out[x] = in[x];
                continue;
            }
            const QRgb shifted = shiftColor(in[x], hueShift, saturationShift);
            out[x] = qRgba(qRed(shifted), qGreen(shifted), qBlue(shifted), qAlpha(out[x]));
        }
    }
    return true;
}

}  // namespace huesat
