#include "ScreenCapture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

QImage CaptureScreenRect(const QRect& screenRect)
{
    if (screenRect.isEmpty())
        return {};
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect screenArea = screen->geometry();
    const QRect clipped = screenRect.intersected(screenArea);
    if (clipped.width() <= 0 || clipped.height() <= 0)
        return {};
    // Window 0 is the whole screen; the offset is taken from the screen's own top-left.
    const QPixmap copy = screen->grabWindow(0, clipped.x() - screenArea.x(),
                                            clipped.y() - screenArea.y(), clipped.width(),
                                            clipped.height());
    if (copy.isNull())
        return {};
    return copy.toImage();
}

int screenDepth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}
