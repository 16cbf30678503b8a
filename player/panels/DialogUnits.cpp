#include "DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace {

// a * b / c rounded half away from zero, in 64-bit arithmetic.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width of the 52 Latin letters, rounded to the nearest pixel.
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (alphabet / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

int DialogUnits::toPixelsX(int units) const
{
    return mulDiv(units, baseWidth_, 4);
}

int DialogUnits::toPixelsY(int units) const
{
    return mulDiv(units, baseHeight_, 8);
}

QRect DialogUnits::toPixels(int x, int y, int width, int height) const
{
    // Convert the corners, not the extent, so adjacent controls keep sharing their edges.
    const int left = toPixelsX(x);
    const int top = toPixelsY(y);
    return QRect(left, top, toPixelsX(x + width) - left, toPixelsY(y + height) - top);
}
