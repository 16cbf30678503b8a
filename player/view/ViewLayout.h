// The view's arithmetic: where the picture goes for each size mode, the time text and the
// seek targets. Viewports are in the GL window convention: origin at the bottom-left of the
// view's client area, so y = 60 is the top of the 60-pixel transport bar. All divisions
// truncate toward zero.
#pragma once

#include <QString>

namespace view_layout {

constexpr int kBarHeight = 60;
// Full screen: the bar rises while the pointer is within this many pixels above the place
// where the bar's top would be.
constexpr int kBarRaiseDistance = 66;

struct Viewport {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Viewport&) const = default;
};

// "Full View": the whole picture area above the bar.
Viewport fullView(int clientWidth, int clientHeight);
// "Original size": the video at its own size, centred, cut to the client area.
Viewport originalSize(int clientWidth, int clientHeight, int videoWidth, int videoHeight);
// The video scaled by proportion / 400, centred in the picture area.
Viewport proportional(int clientWidth, int clientHeight, int videoWidth, int videoHeight,
                      int proportion);

// "HH:MM:SS-HH:MM:SS": elapsed, then total, both in seconds.
QString timeText(int elapsedSeconds, int totalSeconds);
// Slider position 0..100 for the elapsed time; 0 when the total is unknown (0).
int progressPercent(int elapsedSeconds, int totalSeconds);
// Seconds to seek to for slider position p: durationMs x 0.001 x p x 0.01, truncated.
int secondsForPercent(int durationMs, int percent);

// Full screen: whether the bar is lifted into sight for a pointer at cursorY (both in the
// view's client co-ordinates).
bool barRaisedFor(int clientBottom, int cursorY);

}  // namespace view_layout
