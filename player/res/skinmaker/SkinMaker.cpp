// Draws the player's PNG image strips: the transport bar's buttons and icons, the progress
// slider's parts, the navigation bar's background, the About banner, the media-information
// panel's tab images, the volume pop-up's channels and the window frame's pictures. Run at build time:
//   velmora_skin_maker OUTPUT_FOLDER
// Every strip holds its cells side by side; the cell sizes are the ones the widgets cut with.
#include "FrameImages.h"
#include "SkinPainting.h"
#include "TabImages.h"
#include "VolumeChannel.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>
#include <vector>

using namespace skinpaint;

namespace {

// Previous and next: half a capsule that joins the play button. The flat side faces the
// play button, so "left" draws the previous half.
QImage sideFace(bool left)
{
    return strip(54, 27, 4, [left](QPainter& p, QRectF r, int i) {
        QRectF body = r.adjusted(1.5, 2.5, -1.5, -2.5);
        QPainterPath path;
        if (left) {
            path.addRoundedRect(body.adjusted(0, 0, 20, 0), 11, 11);
        } else {
            path.addRoundedRect(body.adjusted(-20, 0, 0, 0), 11, 11);
        }
        QPainterPath clip;
        clip.addRect(r);
        paintGlossy(p, path.intersected(clip), body, faceOf4(i));
    });
}

QImage sideIcon(bool left)
{
    return strip(54, 25, 2, [left](QPainter& p, QRectF r, int i) {
        const bool disabled = i == 1;
        // Two small triangles pointing away from the play button, set on the outer part.
        const qreal cx = left ? r.left() + 21 : r.right() - 21;
        const qreal cy = r.center().y();
        const qreal dir = left ? -1 : 1;
        QPainterPath path;
        for (int k = 0; k < 2; ++k) {
            const qreal tip = cx + dir * (k == 0 ? 2 : 9);
            path.addPath(triangle(QPointF(tip, cy), QPointF(tip - dir * 7, cy - 5),
                                  QPointF(tip - dir * 7, cy + 5)));
        }
        fillIcon(p, path, disabled);
    });
}

QImage playFace()
{
    return strip(42, 43, 4, [](QPainter& p, QRectF r, int i) {
        QRectF body = QRectF(r.left() + 1.5, r.top() + 2, 39, 39);
        QPainterPath path;
        path.addEllipse(body);
        paintGlossy(p, path, body, faceOf4(i));
    });
}

QImage playIcon()
{
    return strip(42, 43, 4, [](QPainter& p, QRectF r, int i) {
        const bool disabled = i % 2 == 1;
        const QPointF c(r.left() + 21, r.top() + 21.5);
        QPainterPath path;
        if (i < 2) {
            path = triangle(QPointF(c.x() - 5, c.y() - 9), QPointF(c.x() + 9, c.y()),
                            QPointF(c.x() - 5, c.y() + 9));
        } else {
            path.addRoundedRect(QRectF(c.x() - 7, c.y() - 8, 5, 16), 1, 1);
            path.addRoundedRect(QRectF(c.x() + 2, c.y() - 8, 5, 16), 1, 1);
        }
        fillIcon(p, path, disabled);
    });
}

QImage playGlow()
{
    QImage img = blank(52, 52);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(26, 26), 26);
    glow.setColorAt(0.0, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    glow.setColorAt(0.70, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    glow.setColorAt(0.78, QColor(120, 200, 255, 170));
    glow.setColorAt(1.0, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QRectF(0, 0, 52, 52));
    return img;
}

QImage roundFace()
{
    return strip(25, 25, 4, [](QPainter& p, QRectF r, int i) {
        QRectF body = r.adjusted(1.5, 1.5, -1.5, -1.5);
        QPainterPath path;
        path.addEllipse(body);
        paintGlossy(p, path, body, faceOf4(i));
    });
}

QImage stopIcon()
{
    return strip(25, 25, 2, [](QPainter& p, QRectF r, int i) {
        QPainterPath path;
        path.addRoundedRect(QRectF(r.left() + 8.5, r.top() + 8.5, 8, 8), 1, 1);
        fillIcon(p, path, i == 1);
    });
}

// The sound half of the split button (left) and the volume half (right).
QImage splitFace(bool soundHalf)
{
    const int w = soundHalf ? 24 : 15;
    return strip(w, 25, 5, [soundHalf](QPainter& p, QRectF r, int i) {
        QRectF body = r.adjusted(soundHalf ? 1.5 : 0, 1.5, soundHalf ? 0 : -1.5, -1.5);
        QPainterPath path;
        if (soundHalf)
            path.addRoundedRect(body.adjusted(0, 0, 12, 0), 10, 10);
        else
            path.addRoundedRect(body.adjusted(-12, 0, 0, 0), 10, 10);
        QPainterPath clip;
        clip.addRect(body.adjusted(soundHalf ? 0 : 0.5, 0, soundHalf ? -0.5 : 0, 0));
        paintGlossy(p, path.intersected(clip), body, faceOf5(i));
        if (!soundHalf) {
            // Divider line and a small arrow that opens the volume pop-up.
            p.setPen(QPen(QColor(0, 0, 0, 160), 1));
            p.drawLine(QPointF(r.left() + 0.5, r.top() + 5), QPointF(r.left() + 0.5, r.bottom() - 5));
            QPainterPath arrow = triangle(QPointF(r.left() + 4, r.top() + 11),
                                          QPointF(r.left() + 10, r.top() + 11),
                                          QPointF(r.left() + 7, r.top() + 15));
            fillIcon(p, arrow, i == 0);
        }
    });
}

QImage soundIcon()
{
    return strip(25, 25, 5, [](QPainter& p, QRectF r, int i) {
        const QPointF o(r.left() + 5, r.top() + 12.5);
        QPainterPath speaker;
        speaker.moveTo(o.x(), o.y() - 3);
        speaker.lineTo(o.x() + 3, o.y() - 3);
        speaker.lineTo(o.x() + 7, o.y() - 7);
        speaker.lineTo(o.x() + 7, o.y() + 7);
        speaker.lineTo(o.x() + 3, o.y() + 3);
        speaker.lineTo(o.x(), o.y() + 3);
        speaker.closeSubpath();
        fillIcon(p, speaker, false);
        p.setBrush(Qt::NoBrush);
        if (i == 4) {
            // Muted: a red cross beside the speaker.
            p.setPen(QPen(QColor(235, 70, 60), 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(o.x() + 10, o.y() - 3.5), QPointF(o.x() + 16, o.y() + 3.5));
            p.drawLine(QPointF(o.x() + 10, o.y() + 3.5), QPointF(o.x() + 16, o.y() - 3.5));
            return;
        }
        // Levels 0 to 3: that many sound waves.
        p.setPen(QPen(iconColor(false), 1.5, Qt::SolidLine, Qt::RoundCap));
        for (int k = 0; k < i; ++k) {
            const qreal rad = 4 + k * 3.2;
            p.drawArc(QRectF(o.x() + 8 - rad, o.y() - rad, 2 * rad, 2 * rad), -45 * 16, 90 * 16);
        }
    });
}

// Progress slider: thumb, end buttons and track. Pixels of exactly RGB(0, 0, 1) in a thumb
// take the thumb colour at run time and RGB(0, 0, 2) are its grip marks, so those two are
// drawn without antialiasing.
QImage sliderThumb(bool horizontal)
{
    const int w = horizontal ? 25 : 12, h = horizontal ? 12 : 25;
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(20, 22, 28));
    p.setBrush(QColor(0, 0, 1));
    p.drawRoundedRect(QRect(0, 0, w - 1, h - 1), 3, 3);
    p.setPen(QColor(0, 0, 2));
    for (int k = -1; k <= 1; ++k) {
        if (horizontal)
            p.drawLine(w / 2 + 3 * k, 3, w / 2 + 3 * k, h - 4);
        else
            p.drawLine(3, h / 2 + 3 * k, w - 4, h / 2 + 3 * k);
    }
    p.setPen(QColor(255, 255, 255, 90));
    if (horizontal)
        p.drawLine(2, 1, w - 3, 1);
    else
        p.drawLine(1, 2, 1, h - 3);
    return img;
}

// An end button with an arrow: direction 0 left, 1 right, 2 up, 3 down.
QImage sliderEnd(int direction)
{
    const bool horizontal = direction < 2;
    const int w = horizontal ? 25 : 12, h = horizontal ? 12 : 25;
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF body(0.5, 0.5, w - 1, h - 1);
    paintGlossy(p, roundRect(body, 3), body, Face::Normal);
    const QPointF c(w / 2.0, h / 2.0);
    QPainterPath arrow;
    switch (direction) {
    case 0: arrow = triangle(c + QPointF(-3, 0), c + QPointF(2, -3), c + QPointF(2, 3)); break;
    case 1: arrow = triangle(c + QPointF(3, 0), c + QPointF(-2, -3), c + QPointF(-2, 3)); break;
    case 2: arrow = triangle(c + QPointF(0, -3), c + QPointF(-3, 2), c + QPointF(3, 2)); break;
    default: arrow = triangle(c + QPointF(0, 3), c + QPointF(-3, -2), c + QPointF(3, -2)); break;
    }
    fillIcon(p, arrow, false);
    return img;
}

// The one-pixel track: a dark groove with a lighter lower edge.
QImage sliderTrack(bool horizontal)
{
    const int len = 12;
    QImage img(horizontal ? 1 : len, horizontal ? len : 1, QImage::Format_ARGB32);
    const QColor shades[len] = {QColor(8, 9, 12),    QColor(22, 24, 30), QColor(30, 33, 40),
                                QColor(34, 37, 45),  QColor(36, 39, 47), QColor(36, 39, 47),
                                QColor(34, 37, 45),  QColor(32, 35, 42), QColor(30, 33, 40),
                                QColor(28, 30, 37),  QColor(44, 48, 58), QColor(70, 75, 88)};
    for (int k = 0; k < len; ++k)
        img.setPixelColor(horizontal ? 0 : k, horizontal ? k : 0, shades[k]);
    return img;
}

// Navigation bar background: the tiled body, the control area behind the buttons and the
// groove under the progress slider.
QImage naviBack(int w)
{
    QImage img = blank(w, 69);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 69);
    g.setColorAt(0.0, QColor(46, 50, 60));
    g.setColorAt(0.03, QColor(30, 33, 40));
    g.setColorAt(0.5, QColor(16, 18, 22));
    g.setColorAt(1.0, QColor(6, 7, 9));
    p.fillRect(img.rect(), g);
    p.setPen(QColor(80, 86, 100));
    p.drawLine(0, 0, w - 1, 0);
    return img;
}

QImage naviControlArea(int w)
{
    QImage img = naviBack(w);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A shallow glossy cradle under the button group, fading out to both sides.
    QRectF cradle(18, 16, w - 36, 44);
    QLinearGradient body(cradle.topLeft(), cradle.bottomLeft());
    body.setColorAt(0, QColor(58, 64, 78, 200));
    body.setColorAt(1, QColor(10, 11, 14, 200));
    QLinearGradient fade(cradle.topLeft(), cradle.topRight());
    fade.setColorAt(0.0, QColor(0, 0, 0, 0));
    fade.setColorAt(0.15, QColor(0, 0, 0, 255));
    fade.setColorAt(0.85, QColor(0, 0, 0, 255));
    fade.setColorAt(1.0, QColor(0, 0, 0, 0));
    QImage layer = blank(w, 69);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setPen(QPen(QColor(90, 100, 120, 160), 1));
        lp.setBrush(body);
        lp.drawRoundedRect(cradle, 20, 20);
        lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        lp.fillRect(layer.rect(), fade);
    }
    p.drawImage(0, 0, layer);
    return img;
}

QImage progressBack()
{
    QImage img = blank(21, 9);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(0.5, 0.5, 20, 8);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(14, 15, 18));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QColor(70, 76, 90));
    p.drawLine(QPointF(4, 8.5), QPointF(17, 8.5));
    return img;
}

QImage aboutBanner()
{
    QImage img = blank(400, 72);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 72);
    g.setColorAt(0, QColor(52, 58, 72));
    g.setColorAt(0.5, QColor(18, 20, 26));
    g.setColorAt(1, QColor(6, 7, 9));
    p.fillRect(img.rect(), g);
    // A glossy play disc on the left and the product name beside it.
    QRectF disc(16, 10, 52, 52);
    QPainterPath path;
    path.addEllipse(disc);
    paintGlossy(p, path, disc, Face::Hot);
    fillIcon(p, triangle(QPointF(35, 24), QPointF(55, 36), QPointF(35, 48)), false);
    QFont font("Sans", 22, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(236, 240, 246));
    p.drawText(QRectF(84, 8, 300, 40), Qt::AlignLeft | Qt::AlignVCenter, "VelmoraPlayer");
    QFont small("Sans", 9);
    p.setFont(small);
    p.setPen(QColor(140, 190, 240));
    p.drawText(QRectF(86, 44, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
               "Video in a three-dimensional scene");
    return img;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_skin_maker OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    std::vector<std::pair<const char*, QImage>> images = {
        {"IDB_BTN_NORMAL", roundFace()},
        {"IDB_NAVI_STOP_ICON", stopIcon()},
        {"IDB_NAVI_PREV", sideFace(true)},
        {"IDB_NAVI_PREV_ICON", sideIcon(true)},
        {"IDB_NAVI_NEXT", sideFace(false)},
        {"IDB_NAVI_NEXT_ICON", sideIcon(false)},
        {"IDB_NAVI_PLAY", playFace()},
        {"IDB_NAVI_PLAY_ICON", playIcon()},
        {"IDB_NAVI_PLAY_H", playGlow()},
        {"IDB_BTN_SPLIT", splitFace(true)},
        {"IDB_BTN_SPLIT_M", splitFace(false)},
        {"IDB_NAVI_SOUND_ICON", soundIcon()},
        {"IDB_PROGRESS_TRACK_H", sliderTrack(true)},
        {"IDB_PROGRESS_TRACK_V", sliderTrack(false)},
        {"IDB_PROGRESS_THUMB_H", sliderThumb(true)},
        {"IDB_PROGRESS_THUMB_V", sliderThumb(false)},
        {"IDB_PROGRESS_LEFT", sliderEnd(0)},
        {"IDB_PROGRESS_RIGHT", sliderEnd(1)},
        {"IDB_PROGRESS_TOP", sliderEnd(2)},
        {"IDB_PROGRESS_BOTTOM", sliderEnd(3)},
        {"IDB_BACK_NAVI1", naviBack(3)},
        {"IDB_BACK_NAVI2", naviBack(9)},
        {"IDB_BACK_NAVI1_CTRL", naviControlArea(268)},
        {"IDB_BACK_NAVI2_CTRL", naviControlArea(422)},
        {"IDB_BACK_NAVI1_CTRL_A", naviControlArea(268)},
        {"IDB_BACK_NAVI2_CTRL_A", naviControlArea(422)},
        {"IDB_NAVI_PROGRESS_BACK", progressBack()},
        {"IDB_ABOUT_BANNER", aboutBanner()},
        {"IDB_MEDIAINFO_TABS", mediaInfoTabImages()},
        {"IDB_VOLUME_CHANNEL", volumeChannel(false)},
        {"IDB_VOLUME_CHANNEL_ACTIVE", volumeChannel(true)},
    };
    for (auto& frameImage : frameImages())
        images.push_back(std::move(frameImage));
    for (const auto& [name, image] : images) {
        const QString file = out.filePath(QString::fromLatin1(name) + ".png");
        if (!image.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
