// Where a dialog opens: centred on the part of its owner's window that the screen shows, and
// wholly on that screen.
#pragma once

#include <QRect>

class QWidget;

namespace dialogplacement {

// The rectangle of a dialog of size (frame included) centred on owner's visible part and
// moved, and if need be shrunk, into screen.
QRect centred(QSize size, const QRect& owner, const QRect& screen);

// Sizes the dialog to its size hint and places it as centred() says, before it is shown.
void placeOver(QWidget* dialog, const QWidget* owner);

}  // namespace dialogplacement
