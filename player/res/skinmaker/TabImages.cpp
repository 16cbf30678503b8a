#include "TabImages.h"

#include <QPainter>

namespace {

constexpr int kCell = 16;
const QColor kMagenta(255, 0, 255);

// Base: an "i" in a blue disc.
void baseCell(QPainter& p)
{
    p.setPen(QColor(20, 60, 140));
    p.setBrush(QColor(58, 130, 230));
    p.drawEllipse(1, 1, 13, 13);
    p.fillRect(7, 3, 2, 2, Qt::white);
    p.fillRect(7, 6, 2, 6, Qt::white);
}

// More: a green disc with a plus.
void moreCell(QPainter& p)
{
    p.setPen(QColor(20, 100, 30));
    p.setBrush(QColor(60, 180, 70));
    p.drawEllipse(1, 1, 13, 13);
    p.fillRect(4, 7, 8, 2, Qt::white);
    p.fillRect(7, 4, 2, 8, Qt::white);
}

// Complete: a sheet of text lines.
void completeCell(QPainter& p)
{
    p.setPen(QColor(70, 70, 80));
    p.setBrush(QColor(245, 245, 240));
    p.drawRect(2, 1, 11, 13);
    for (int y = 4; y <= 11; y += 2)
        p.fillRect(4, y, 8, 1, QColor(90, 90, 110));
}

// Other: three orange dots.
void otherCell(QPainter& p)
{
    p.setPen(QColor(140, 70, 0));
    p.setBrush(QColor(250, 150, 30));
    for (int x : {1, 6, 11})
        p.drawRect(x, 6, 3, 3);
}

}  // namespace

QImage mediaInfoTabImages()
{
    QImage img(kCell * 4, kCell, QImage::Format_RGB32);
    img.fill(kMagenta);
    QPainter p(&img);
    // Hard edges: only exact magenta turns transparent, so no blended fringe may appear.
    p.setRenderHint(QPainter::Antialiasing, false);
    void (*cells[])(QPainter&) = {baseCell, moreCell, completeCell, otherCell};
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(i * kCell, 0);
        cells[i](p);
        p.restore();
    }
    return img;
}
