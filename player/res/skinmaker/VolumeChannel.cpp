#include "VolumeChannel.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int kWidth = 10;
constexpr int kHeight = 100;
// The see-through colour; drawn without smoothing so no edge pixel is a mix of it.
const QColor kKey(255, 0, 255);

}  // namespace

QImage volumeChannel(bool active)
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(kKey);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect groove(2, 1, 6, kHeight - 2);
    QLinearGradient body(groove.topLeft(), groove.topRight());
    if (active) {
        body.setColorAt(0.0, QColor(30, 110, 200));
        body.setColorAt(0.5, QColor(120, 200, 255));
        body.setColorAt(1.0, QColor(30, 110, 200));
    } else {
        body.setColorAt(0.0, QColor(20, 22, 26));
        body.setColorAt(0.5, QColor(70, 74, 84));
        body.setColorAt(1.0, QColor(20, 22, 26));
    }
    p.fillRect(groove, body);
    p.setPen(active ? QColor(10, 50, 110) : QColor(0, 0, 0));
    p.drawRect(groove.adjusted(0, 0, -1, -1));
    return img;
}
