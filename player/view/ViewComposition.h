// ComposeViewPicture: a rectangle of a window as the program itself drew it, for when the
// screen cannot be copied (a Wayland session gives programs no copy of the screen).
#pragma once

#include <QImage>
#include <QRect>

class QWidget;

// Draws `area` (in the co-ordinates of `view`) from what the view's children drew: a
// SceneWidget child draws its scene once more and is read back, every other visible child
// paints itself, each at its place and in its stacking order, over black. The part of the
// area outside the view's top-level window is cut off, as a screen copy cuts off what lies
// off the screen. Windows of other programs and the player's own other top-level windows
// (pop-ups) are not in the picture. A null image when nothing of the area is left. UI
// thread only.
QImage ComposeViewPicture(QWidget& view, const QRect& area);
