// The skin's painting of the transport bar's background: the tiled body, the control area
// centred behind the buttons and the groove under the progress slider. The wide images are
// used when the main window is wider than 479 pixels. While a default visual manager is set,
// its recoloured pictures are drawn.
#pragma once

#include "NineGrid.h"

#include <QImage>

class QPainter;
class QRect;

class NavigationBarSkin {
public:
    NavigationBarSkin();

    static bool isWideWindow(int mainWindowWidth) { return mainWindowWidth > 479; }
    // Width of the control-area image of the style (the button group is centred over it).
    int controlAreaWidth(bool wide) const;
    // Height of the background image (the bar's natural row height).
    int backgroundHeight(bool wide) const;
    void paint(QPainter& painter, const QRect& barRect, bool wide) const;

private:
    NineGrid back_[2];      // narrow, wide
    QImage controlArea_[2];
    NineGrid progressBack_;
};
