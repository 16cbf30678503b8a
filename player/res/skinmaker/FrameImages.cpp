#include "FrameImages.h"

#include "SkinPainting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace skinpaint;

namespace {

// The frame's steel blue: slightly tinted so the skin colour can turn it.
const QColor kEdge(6, 7, 10);
const QColor kRim(93, 104, 132);
const QColor kDeep(14, 16, 22);

// A vertical gradient over the whole image through the given stops.
void gradientFill(QImage& img, std::initializer_list<std::pair<qreal, QColor>> stops,
                  bool vertical = true)
{
    QPainter p(&img);
    QLinearGradient g(0, 0, vertical ? 0 : img.width(), vertical ? img.height() : 0);
    for (const auto& [at, color] : stops)
        g.setColorAt(at, color);
    p.fillRect(img.rect(), g);
}

QImage captionBack()
{
    QImage img = blank(35, 25);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 25);
    g.setColorAt(0.0, QColor(78, 88, 112));
    g.setColorAt(0.45, QColor(38, 43, 56));
    g.setColorAt(0.5, QColor(24, 27, 36));
    g.setColorAt(1.0, QColor(16, 18, 25));
    QPainterPath body;
    body.addRoundedRect(QRectF(0, 0, 35, 30), 5, 5);
    p.fillPath(body, g);
    p.setPen(QColor(140, 154, 186, 150));
    p.drawLine(QPointF(4, 1.5), QPointF(31, 1.5));
    return img;
}

QImage captionLine()
{
    QImage img = blank(21, 3);
    QPainter p(&img);
    p.fillRect(0, 0, 21, 1, QColor(8, 9, 13));
    QLinearGradient g(0, 0, 21, 0);
    g.setColorAt(0, QColor(40, 46, 62));
    g.setColorAt(0.5, kRim);
    g.setColorAt(1, QColor(40, 46, 62));
    p.fillRect(0, 1, 21, 1, g);
    p.fillRect(0, 2, 21, 1, QColor(18, 20, 28));
    return img;
}

// A side border: dark outer edge, body, lit inner edge. left says which side it is on.
QImage sideBorder(int h, bool left, const QColor& top, const QColor& bottom)
{
    QImage img = blank(8, h);
    gradientFill(img, {{0.0, top}, {1.0, bottom}});
    QPainter p(&img);
    const int outer = left ? 0 : 7, inner = left ? 7 : 0;
    p.fillRect(outer, 0, 1, h, kEdge);
    p.fillRect(left ? 1 : 6, 0, 1, h, QColor(60, 68, 88));
    p.fillRect(inner, 0, 1, h, QColor(10, 11, 16));
    return img;
}

QImage bottomBorder(bool wide)
{
    QImage img = blank(17, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 16);
    g.setColorAt(0, wide ? QColor(30, 34, 46) : QColor(26, 29, 38));
    g.setColorAt(1, QColor(8, 9, 13));
    QPainterPath body;
    body.addRoundedRect(QRectF(0, -6, 17, 22), 5, 5);
    p.fillPath(body, g);
    p.setPen(QColor(60, 68, 88));
    p.drawLine(QPointF(1, 0.5), QPointF(16, 0.5));
    return img;
}

QImage floatCaption()
{
    QImage img = blank(11, 23);
    gradientFill(img, {{0.0, QColor(70, 80, 104)}, {0.45, QColor(34, 38, 50)},
                       {0.5, QColor(22, 25, 33)}, {1.0, QColor(14, 16, 22)}});
    QPainter p(&img);
    p.fillRect(0, 0, 11, 1, QColor(120, 134, 166));
    return img;
}

QImage floatCaptionLine()
{
    QImage img = blank(10, 3);
    QPainter p(&img);
    for (int i = 0; i < 2; ++i) {
        p.fillRect(5 * i, 0, 5, 1, QColor(8, 9, 13));
        p.fillRect(5 * i, 1, 5, 1, i == 0 ? kRim : QColor(60, 68, 88));
        p.fillRect(5 * i, 2, 5, 1, QColor(18, 20, 28));
    }
    return img;
}

QImage floatBottom()
{
    QImage img = blank(7, 4);
    gradientFill(img, {{0.0, QColor(30, 34, 46)}, {1.0, QColor(8, 9, 13)}});
    QPainter p(&img);
    p.fillRect(0, 0, 7, 1, QColor(60, 68, 88));
    return img;
}

// Two 9 x 36 images: the toolbar's band, and the same for desktop composition.
QImage explorerBack()
{
    QImage img = blank(18, 36);
    for (int i = 0; i < 2; ++i) {
        QImage cell = blank(9, 36);
        gradientFill(cell, {{0.0, QColor(44, 50, 66)}, {0.47, QColor(28, 32, 42)},
                            {0.5, QColor(18, 20, 27)}, {1.0, QColor(10, 11, 16)}});
        QPainter cp(&cell);
        cp.fillRect(0, 0, 9, 1, QColor(16, 18, 24));
        cp.fillRect(0, 35, 9, 1, QColor(4, 5, 7));
        QPainter(&img).drawImage(9 * i, 0, cell);
    }
    return img;
}

// Toolbar button faces: hot and pressed (explorer buttons), idle, hot, pressed (logo).
QImage explorerFaces(int w, int n, bool logo)
{
    return strip(w, 33, n, [logo](QPainter& p, QRectF r, int i) {
        const Face face = logo ? (i == 0 ? Face::Normal : i == 1 ? Face::Hot : Face::Pressed)
                               : (i == 0 ? Face::Hot : Face::Pressed);
        QRectF body = r.adjusted(1.5, 2.5, -1.5, -1.5);
        paintGlossy(p, roundRect(body, logo ? 15 : 4), body, face);
        if (logo)
            fillIcon(p,
                     triangle(body.center() + QPointF(-4, -7), body.center() + QPointF(8, 0),
                              body.center() + QPointF(-4, 7)),
                     false);
    });
}

QImage systemGroup()
{
    QImage img = blank(97, 20);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(0.5, -6, 96, 25.5), 5, 5);
    QLinearGradient g(0, 0, 0, 20);
    g.setColorAt(0, QColor(22, 25, 34));
    g.setColorAt(1, QColor(44, 50, 66));
    p.setPen(QPen(QColor(8, 9, 13), 1));
    p.setBrush(g);
    p.drawPath(body);
    p.setPen(QColor(90, 100, 126, 160));
    p.drawLine(QPointF(25.5, 2), QPointF(25.5, 17));
    p.drawLine(QPointF(50.5, 2), QPointF(50.5, 17));
    return img;
}

// A system button's background: highlighted, pressed. The close button glows red.
QImage systemBack(int w, bool close)
{
    return strip(w, 18, 2, [close](QPainter& p, QRectF r, int i) {
        QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient g(body.topLeft(), body.bottomLeft());
        if (close) {
            g.setColorAt(0, i == 0 ? QColor(235, 110, 90) : QColor(120, 24, 16));
            g.setColorAt(1, i == 0 ? QColor(150, 30, 20) : QColor(200, 70, 50));
        } else {
            g.setColorAt(0, i == 0 ? QColor(90, 140, 200) : QColor(14, 30, 54));
            g.setColorAt(1, i == 0 ? QColor(20, 50, 90) : QColor(60, 100, 150));
        }
        p.setPen(QPen(QColor(0, 0, 0, 160), 1));
        p.setBrush(g);
        p.drawRoundedRect(body, 3, 3);
    });
}

QImage systemIcon(int w, int kind)
{
    QImage img = blank(w, 20);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(w / 2.0, 10);
    QPen pen(QColor(236, 240, 246), 1.6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (kind) {
    case 0:  // minimise
        p.drawLine(c + QPointF(-4.5, 3.5), c + QPointF(4.5, 3.5));
        break;
    case 1:  // maximise
        p.drawRect(QRectF(c + QPointF(-4.5, -4.5), QSizeF(9, 9)));
        p.drawLine(c + QPointF(-4.5, -3.5), c + QPointF(4.5, -3.5));
        break;
    case 2:  // restore
        p.drawRect(QRectF(c + QPointF(-5, -2), QSizeF(7, 7)));
        p.drawPolyline(QPolygonF({c + QPointF(-2, -2), c + QPointF(-2, -5), c + QPointF(5, -5),
                                  c + QPointF(5, 2), c + QPointF(2, 2)}));
        break;
    default:  // close
        p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
        p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
        break;
    }
    return img;
}

QImage panelClose()
{
    return strip(11, 11, 3, [](QPainter& p, QRectF r, int i) {
        if (i > 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(i == 1 ? QColor(90, 140, 200) : QColor(20, 50, 90));
            p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        }
        p.setPen(QPen(QColor(236, 240, 246), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(r.topLeft() + QPointF(3, 3), r.bottomRight() - QPointF(3, 3));
        p.drawLine(r.topLeft() + QPointF(3, 8), r.topLeft() + QPointF(8, 3));
    });
}

QImage bottomOrnament()
{
    QImage img = blank(296, 15);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tab;
    tab.moveTo(0, 0);
    tab.cubicTo(24, 0, 20, 14, 44, 14);
    tab.lineTo(252, 14);
    tab.cubicTo(276, 14, 272, 0, 296, 0);
    tab.closeSubpath();
    QLinearGradient g(0, 0, 0, 15);
    g.setColorAt(0, QColor(34, 38, 52));
    g.setColorAt(1, QColor(12, 14, 20));
    p.fillPath(tab, g);
    p.setPen(QPen(QColor(93, 104, 132, 180), 1));
    p.drawLine(QPointF(60, 11.5), QPointF(236, 11.5));
    return img;
}

QImage thumb(bool horizontal)
{
    const int w = horizontal ? 8 : 16, h = horizontal ? 15 : 8;
    return strip(w, h, 3, [](QPainter& p, QRectF r, int i) {
        QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient g(body.topLeft(), body.topRight());
        const QColor light = i == 0 ? QColor(220, 226, 236) : QColor(200, 228, 255);
        g.setColorAt(0, light);
        g.setColorAt(1, i == 2 ? QColor(80, 120, 170) : QColor(130, 138, 152));
        p.setPen(QPen(QColor(20, 22, 28), 1));
        p.setBrush(g);
        p.drawRoundedRect(body, 2, 2);
    });
}

QImage arrowDown()
{
    QImage img = blank(7, 7);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(triangle(QPointF(0, 2), QPointF(7, 2), QPointF(3.5, 6)), QColor(220, 230, 245));
    return img;
}

// Back and forward: normal, hot, pressed, disabled for each direction.
QImage backForward()
{
    return strip(25, 25, 8, [](QPainter& p, QRectF r, int i) {
        const int state = i % 4;
        const bool back = i < 4;
        QRectF disc = r.adjusted(1.5, 1.5, -1.5, -1.5);
        QPainterPath path;
        path.addEllipse(disc);
        paintGlossy(p, path, disc,
                    state == 3 ? Face::Disabled : state == 1 ? Face::Hot
                                               : state == 2 ? Face::Pressed : Face::Normal);
        const QPointF c = disc.center();
        const qreal d = back ? -1 : 1;
        fillIcon(p, triangle(c + QPointF(5 * d, 0), c + QPointF(-3 * d, -5), c + QPointF(-3 * d, 5)),
                 state == 3);
    });
}

QImage backForwardFrame()
{
    QImage img = blank(76, 29);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 90, 116), 1));
    p.setBrush(QColor(8, 9, 13, 200));
    p.drawRoundedRect(QRectF(0.5, 0.5, 75, 28), 14, 14);
    return img;
}

QImage separator()
{
    QImage img = blank(2, 33);
    QPainter p(&img);
    p.fillRect(0, 4, 1, 25, QColor(6, 7, 10));
    p.fillRect(1, 4, 1, 25, QColor(70, 80, 104));
    return img;
}

QImage equalizerChannel()
{
    QImage img = blank(22, 75);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(14, 16, 22));
    p.drawRoundedRect(QRectF(8.5, 0.5, 5, 74), 2.5, 2.5);
    return img;
}

}  // namespace

std::vector<std::pair<const char*, QImage>> frameImages()
{
    const QColor naviTop(40, 45, 58), naviBottom(8, 9, 13);
    return {
        {"IDB_MP_BORDER_CAPTION", captionBack()},
        {"IDB_MP_BORDER_CAPTION_B", captionLine()},
        {"IDB_MP_BORDER_EXPLORER_L", sideBorder(36, true, QColor(44, 50, 66), QColor(12, 14, 20))},
        {"IDB_MP_BORDER_EXPLORER_R", sideBorder(36, false, QColor(44, 50, 66), QColor(12, 14, 20))},
        {"IDB_MP_BORDER_L", sideBorder(530, true, QColor(24, 27, 36), QColor(24, 27, 36))},
        {"IDB_MP_BORDER_R", sideBorder(530, false, QColor(24, 27, 36), QColor(24, 27, 36))},
        {"IDB_MP_BORDER_NAVI1_L", sideBorder(53, true, naviTop, naviBottom)},
        {"IDB_MP_BORDER_NAVI1_R", sideBorder(53, false, naviTop, naviBottom)},
        {"IDB_MP_BORDER_NAVI1_B", bottomBorder(false)},
        {"IDB_MP_BORDER_NAVI2_L", sideBorder(53, true, naviTop, naviBottom)},
        {"IDB_MP_BORDER_NAVI2_R", sideBorder(53, false, naviTop, naviBottom)},
        {"IDB_MP_BORDER_NAVI2_B", bottomBorder(true)},
        {"IDB_MP_BORDER_CAPTION_M", floatCaption()},
        {"IDB_MP_BORDER_CAPTION_M_B", floatCaptionLine()},
        {"IDB_MP_BORDER_M", floatBottom()},
        {"IDB_BACK_EXPLORER", explorerBack()},
        {"IDB_BTN_EXPLORER", explorerFaces(66, 2, false)},
        {"IDB_BTN_EXPLORER_LOGO", explorerFaces(33, 3, true)},
        {"IDB_MP_BTN_SYS", systemGroup()},
        {"IDB_MP_BTN_SYS_1", systemBack(25, false)},
        {"IDB_MP_BTN_SYS_2", systemBack(25, false)},
        {"IDB_MP_BTN_SYS_3", systemBack(43, true)},
        {"IDB_MP_ICON_CLOSE", systemIcon(41, 3)},
        {"IDB_MP_ICON_RESTORE", systemIcon(24, 2)},
        {"IDB_MP_ICON_MAXIMIZE", systemIcon(24, 1)},
        {"IDB_MP_ICON_MINIMIZE", systemIcon(24, 0)},
        {"IDB_MP_CAPTION_BTN_CLOSE", panelClose()},
        {"IDB_MP_BORDER_NAVI2_B_CTRL", bottomOrnament()},
        {"IDB_THUMB_B", thumb(true)},
        {"IDB_THUMB_V", thumb(false)},
        {"IDB_ICON_ARROW_DOWN", arrowDown()},
        {"IDB_EXPLORER_BF", backForward()},
        {"IDB_EXPLORER_BF_FRAME", backForwardFrame()},
        {"IDB_BTN_EXPLORER_SEP", separator()},
        {"IDB_CHANNEL_EQUALIZER_V", equalizerChannel()},
    };
}
