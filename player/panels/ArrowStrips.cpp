#include "ArrowStrips.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

constexpr int kCell = 18;

enum class Direction { Left, Right, Up, Down };

// A triangle pointing in direction, inside an 18 x 18 cell whose top-left is origin.
QPolygonF arrow(Direction direction, QPointF origin)
{
    const double c = kCell / 2.0;
    QPolygonF points;
    switch (direction) {
    case Direction::Left: points << QPointF(6, c) << QPointF(11.5, c - 4.5) << QPointF(11.5, c + 4.5); break;
    case Direction::Right: points << QPointF(12, c) << QPointF(6.5, c - 4.5) << QPointF(6.5, c + 4.5); break;
    case Direction::Up: points << QPointF(c, 6) << QPointF(c - 4.5, 11.5) << QPointF(c + 4.5, 11.5); break;
    case Direction::Down: points << QPointF(c, 12) << QPointF(c - 4.5, 6.5) << QPointF(c + 4.5, 6.5); break;
    }
    points.translate(origin);
    return points;
}

QPixmap drawStrip(Direction direction)
{
    QPixmap strip(3 * kCell, kCell);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    // normal, highlighted, pressed
    const QColor faces[3] = {QColor(70, 78, 92), QColor(98, 120, 150), QColor(40, 46, 56)};
    for (int cell = 0; cell < 3; ++cell) {
        const QPointF origin(cell * kCell, 0);
        QLinearGradient gloss(origin, origin + QPointF(0, kCell));
        gloss.setColorAt(0.0, faces[cell].lighter(150));
        gloss.setColorAt(0.5, faces[cell]);
        gloss.setColorAt(1.0, faces[cell].darker(130));
        painter.setPen(QPen(QColor(20, 24, 30), 1));
        painter.setBrush(gloss);
        painter.drawRoundedRect(QRectF(origin + QPointF(0.5, 0.5), QSizeF(kCell - 1, kCell - 1)), 3, 3);
        painter.setPen(Qt::NoPen);
        painter.setBrush(cell == 1 ? QColor(255, 255, 255) : QColor(225, 230, 238));
        const QPointF press = cell == 2 ? QPointF(0.5, 0.5) : QPointF(0, 0);
        painter.drawPolygon(arrow(direction, origin + press));
    }
    return strip;
}

}  // namespace

QPixmap panelArrowStrip(const QString& name)
{
    if (name == QLatin1String("IDB_BTN_BAR_PREV"))
        return drawStrip(Direction::Left);
    if (name == QLatin1String("IDB_BTN_BAR_NEXT"))
        return drawStrip(Direction::Right);
    if (name == QLatin1String("IDB_BTN_BAR_UP"))
        return drawStrip(Direction::Up);
    if (name == QLatin1String("IDB_BTN_BAR_DOWN"))
        return drawStrip(Direction::Down);
    return {};
}
