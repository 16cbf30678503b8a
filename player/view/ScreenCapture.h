// CaptureScreenRect: copies a rectangle of what the screen shows (every window on it, not
// only the player's) into a new picture.
#pragma once

#include <QImage>
#include <QRect>

// `screenRect` is in screen co-ordinates. The part outside the primary screen is cut off, so
// the picture can be smaller than the rectangle. A null image when the rectangle is empty,
// lies wholly off the screen, or the platform gives no screen copies (some Wayland desktops).
QImage CaptureScreenRect(const QRect& screenRect);

// Bits per pixel of the primary screen (0 when there is none).
int screenDepth();
