#include "ViewLayout.h"

#include <cmath>

namespace view_layout {

Viewport fullView(int clientWidth, int clientHeight)
{
    return {0, kBarHeight, clientWidth, clientHeight - kBarHeight};
}

Viewport originalSize(int clientWidth, int clientHeight, int videoWidth, int videoHeight)
{
    Viewport v;
    if (clientWidth < videoWidth) {
        v.x = 0;
        v.w = clientWidth;
    } else {
        v.x = (clientWidth - videoWidth) / 2;
        v.w = videoWidth;
    }
    // The height is compared with the whole client area, bar included.
    if (clientHeight < videoHeight) {
        v.y = 0;
        v.h = clientHeight;
    } else {
        v.y = (clientHeight - videoHeight - kBarHeight) / 2 + kBarHeight;
        v.h = videoHeight;
    }
    return v;
}

Viewport proportional(int clientWidth, int clientHeight, int videoWidth, int videoHeight,
                      int proportion)
{
    const double s = proportion * 0.0025;
    const int w = static_cast<int>(std::trunc(videoWidth * s));
    const int h = static_cast<int>(std::trunc(videoHeight * s));
    return {(clientWidth - w) / 2, (clientHeight - h - kBarHeight) / 2 + kBarHeight, w, h};
}

QString timeText(int elapsed, int total)
{
    return QString::asprintf("%02d:%02d:%02d-%02d:%02d:%02d", elapsed / 3600, (elapsed / 60) % 60,
                             elapsed % 60, total / 3600, (total / 60) % 60, total % 60);
}

int progressPercent(int elapsed, int total)
{
    if (total <= 0)
        return 0;
    return static_cast<int>(std::trunc(elapsed * 100.0 / total));
}

int secondsForPercent(int durationMs, int percent)
{
    return static_cast<int>(std::trunc(durationMs * 0.001 * (percent * 0.01)));
}

bool barRaisedFor(int clientBottom, int cursorY)
{
    return clientBottom - cursorY - kBarHeight <= kBarRaiseDistance;
}

}  // namespace view_layout
