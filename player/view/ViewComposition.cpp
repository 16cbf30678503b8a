#include "ViewComposition.h"

#include "SceneWidget.h"

#include <QPainter>
#include <QWidget>

namespace {

// The part of `area` that lies inside the top-level window, in the view's co-ordinates.
QRect visiblePart(const QWidget& view, const QRect& area)
{
    const QWidget* top = view.window();
    if (top == &view)
        return area.intersected(view.rect());
    const QRect topInView(view.mapFrom(top, QPoint(0, 0)), top->size());
    return area.intersected(topInView);
}

}  // namespace

QImage ComposeViewPicture(QWidget& view, const QRect& area)
{
    const QRect shown = visiblePart(view, area);
    if (shown.isEmpty())
        return {};
    QImage picture(shown.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.translate(-shown.topLeft());
    painter.setClipRect(shown);
    // children() lists siblings from the bottom of the stack to its top.
    for (QObject* object : view.children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || !child->isVisible() || child->isWindow())
            continue;
        const QRect place = child->geometry();
        if (!place.intersects(shown))
            continue;
        if (auto* scene = qobject_cast<SceneWidget*>(child)) {
            // The screen shows no alpha: the scene's pixels count as opaque, as on the screen.
            QImage drawn = scene->grabFramebuffer();
            if (drawn.isNull())
                continue;
            const qreal ratio = drawn.devicePixelRatio();
            drawn = drawn.convertToFormat(QImage::Format_RGB32);
            drawn.setDevicePixelRatio(ratio);
            painter.drawImage(place.topLeft(), drawn);
        } else {
            painter.drawPixmap(place.topLeft(), child->grab());
        }
    }
    painter.end();
    return picture;
}
