#include "SkinPainting.h"

#include <QLinearGradient>

namespace skinpaint {

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void paintGlossy(QPainter& p, const QPainterPath& path, const QRectF& box, Face face)
{
    QColor top(70, 76, 90), bottom(12, 14, 18), rim(0, 0, 0), inner(120, 128, 145, 120);
    switch (face) {
    case Face::Disabled:
        top = QColor(44, 46, 52);
        bottom = QColor(20, 21, 24);
        inner = QColor(80, 80, 85, 60);
        break;
    case Face::Normal:
        break;
    case Face::PartnerHot:
        top = QColor(64, 84, 110);
        bottom = QColor(14, 20, 30);
        inner = QColor(110, 160, 220, 110);
        break;
    case Face::Hot:
        top = QColor(70, 110, 160);
        bottom = QColor(10, 24, 44);
        inner = QColor(140, 200, 255, 170);
        rim = QColor(10, 40, 80);
        break;
    case Face::Pressed:
        top = QColor(8, 10, 14);
        bottom = QColor(50, 70, 96);
        inner = QColor(80, 140, 210, 140);
        break;
    }
    QLinearGradient body(box.topLeft(), box.bottomLeft());
    body.setColorAt(0, top);
    body.setColorAt(1, bottom);
    p.setPen(QPen(rim, 1));
    p.setBrush(body);
    p.drawPath(path);

    // Gloss: a white veil over the upper half, clipped to the body.
    p.save();
    p.setClipPath(path);
    QRectF gloss(box.left(), box.top(), box.width(), box.height() * 0.5);
    QLinearGradient veil(gloss.topLeft(), gloss.bottomLeft());
    const int alpha = face == Face::Disabled ? 25 : face == Face::Pressed ? 20 : 70;
    veil.setColorAt(0, QColor(255, 255, 255, alpha));
    veil.setColorAt(1, QColor(255, 255, 255, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(veil);
    p.drawRoundedRect(gloss.adjusted(1, 1, -1, 0), gloss.height() / 2, gloss.height() / 2);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(inner, 1));
    QPainterPath innerPath = path.translated(0, 0);
    p.save();
    p.setClipPath(path);
    p.translate(0, 1);
    p.drawPath(innerPath);
    p.restore();
}

QColor iconColor(bool disabled)
{
    return disabled ? QColor(95, 98, 105) : QColor(236, 240, 246);
}

QImage strip(int w, int h, int n, const std::function<void(QPainter&, QRectF, int)>& cell)
{
    QImage img = blank(w * n, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < n; ++i) {
        p.save();
        cell(p, QRectF(i * w, 0, w, h), i);
        p.restore();
    }
    return img;
}

Face faceOf4(int i)
{
    static const Face faces[] = {Face::Disabled, Face::Normal, Face::Hot, Face::Pressed};
    return faces[i];
}

Face faceOf5(int i)
{
    static const Face faces[] = {Face::Disabled, Face::Normal, Face::PartnerHot, Face::Hot,
                                 Face::Pressed};
    return faces[i];
}

QPainterPath roundRect(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

void fillIcon(QPainter& p, const QPainterPath& path, bool disabled)
{
    p.setPen(Qt::NoPen);
    if (!disabled) {
        // A soft shadow under the symbol.
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawPath(path.translated(0, 1));
    }
    p.setBrush(iconColor(disabled));
    p.drawPath(path);
}

}  // namespace skinpaint
