#include "DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace dialogplacement {

QRect centred(QSize size, const QRect& owner, const QRect& screen)
{
    const QSize fitted = size.boundedTo(screen.size());
    const QRect shown = owner.intersected(screen);
    const QPoint centre = shown.isEmpty() ? screen.center() : shown.center();
    QRect placed(QPoint(0, 0), fitted);
    placed.moveCenter(centre);
    placed.moveLeft(std::clamp(placed.left(), screen.left(), screen.right() + 1 - fitted.width()));
    placed.moveTop(std::clamp(placed.top(), screen.top(), screen.bottom() + 1 - fitted.height()));
    return placed;
}

void placeOver(QWidget* dialog, const QWidget* owner)
{
    const QWidget* window = owner ? owner->window() : nullptr;
    const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The window manager's frame, as far as it is known yet, is part of what must fit.
    const QSize frame = dialog->frameGeometry().size() - dialog->geometry().size();
    const QSize inner = dialog->sizeHint().expandedTo(dialog->minimumSize());
    const QRect placed =
        centred(inner + frame, window ? window->frameGeometry() : area, area);
    dialog->resize(placed.size() - frame);
    // Once moved, the dialog keeps this place when it is shown.
    dialog->move(placed.topLeft());
}

}  // namespace dialogplacement
