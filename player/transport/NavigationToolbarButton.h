// CNavigationToolbarButton: one entry of the transport bar: a command id, its tool-tip text
// and two image strips, the face (cell 0 disabled, 1 normal, 2 hot, 3 pressed; the split
// halves have five cells) and the icon drawn over it (0 normal, 1 disabled, more for Play
// and Sound). A separator has neither strip.
#pragma once

#include "ImageStrip.h"

#include <QRect>
#include <QString>

struct CNavigationToolbarButton {
    static CNavigationToolbarButton separator();
    static CNavigationToolbarButton make(int id, const QString& text, const QString& face,
                                         QSize faceCell, const QString& icon, QSize iconCell);

    bool isSeparator() const { return id == 0; }
    // Width and height the bar gives the button: faces overlap their neighbours by a pixel.
    QSize size() const;
    // The area repainted for the button: room for overlaps, the play glow and the other half
    // of the split button.
    QRect invalidationRect() const;

    int id = 0;
    QString text;
    ImageStrip face;
    ImageStrip icon;
    QRect rect;
    bool enabled = true;
};
