// Pointer movement without a button held, delivered straight to a widget. (QTest moves the
// real pointer for that, which other programs on the same display can disturb.)
#pragma once

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

inline void movePointer(QWidget* widget, QPoint local)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(widget->mapToGlobal(local)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

inline void leavePointer(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}
