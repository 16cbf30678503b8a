// Drawing helpers of the skin maker: blank images, glossy button bodies, strips of cells and
// the simple paths the icons are made of.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace skinpaint {

// Visual states of a button face, in the order the strips hold them.
enum class Face { Disabled, Normal, Hot, Pressed, PartnerHot };

// The accent colour of hot faces and glows.
inline const QColor kAccent(58, 160, 255);

// A transparent image of w x h.
QImage blank(int w, int h);

// A glossy dark body inside path: a vertical gradient, a highlight over the upper half and a
// thin rim. Hot faces glow in the accent colour, pressed ones are darker and lit from below.
void paintGlossy(QPainter& p, const QPainterPath& path, const QRectF& box, Face face);

QColor iconColor(bool disabled);

// A strip of n cells of w x h, each drawn by cell(painter, cellRect, index).
QImage strip(int w, int h, int n, const std::function<void(QPainter&, QRectF, int)>& cell);

// Faces of four-cell strips: disabled, normal, hot, pressed.
Face faceOf4(int i);
// Split-button halves: disabled, normal, partner-hot, hot, pressed.
Face faceOf5(int i);

QPainterPath roundRect(const QRectF& r, qreal radius);
QPainterPath triangle(QPointF a, QPointF b, QPointF c);

// Fills an icon's path in its colour, with a soft shadow under an enabled one.
void fillIcon(QPainter& p, const QPainterPath& path, bool disabled);

}  // namespace skinpaint
