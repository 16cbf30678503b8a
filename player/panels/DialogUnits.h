// Dialog-template units to pixels. A horizontal unit is a quarter of the font's average
// character width and a vertical unit an eighth of its height, as dialog templates define.
#pragma once

#include <QRect>

class QFont;

class DialogUnits {
public:
    // Base units taken from the font's metrics.
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    // x, y, width, height in dialog units -> pixels.
    QRect toPixels(int x, int y, int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};
