// Drives the explorer bar's drop-down menus with real mouse clicks: opens a menu button and
// works in the popups as a person does.
#pragma once

#include "CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace menudriver {

// Clicks button, then calls step with each visible popup menu until step returns true.
// After about five seconds every popup is closed so the click returns.
inline void inMenu(QToolButton* button, const std::function<bool(QMenu*)>& step)
{
    QTimer timer;
    timer.setInterval(20);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const bool done = ++ticks > 250 || (menu && menu->isVisible() && step(menu));
        if (done)
            timer.stop();
        if (ticks > 250)
            while (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
    });
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);  // returns when the menu has closed
    // A submenu opened by the timer may still be waiting for its next step.
    static_cast<void>(QTest::qWaitFor([&] { return !timer.isActive(); }, 6000));
}

// Opens button's menu and clicks, in each popup that opens, the item with the next caption of
// path. False when an item was not found.
inline bool clickPath(QToolButton* button, QStringList path)
{
    inMenu(button, [&path](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            const QRect place = menu->actionGeometry(action);
            if (action->text() != path.first() || place.isEmpty())
                continue;
            path.removeFirst();
            QTest::mouseClick(menu, Qt::LeftButton, {}, place.center());
            break;
        }
        return path.isEmpty();
    });
    return path.isEmpty();
}

// The enabled and checked flags of the command's action as button's menu shows them.
struct Shown {
    bool found = false;
    bool enabled = false;
    bool checked = false;
};

inline Shown showState(QToolButton* button, Command id)
{
    Shown shown;
    inMenu(button, [&](QMenu* menu) {
        for (QAction* action : menu->actions())
            if (!action->menu() && !action->isSeparator() && action->data().toInt() == toInt(id))
                shown = {true, action->isEnabled(), action->isChecked()};
        menu->close();
        return true;
    });
    return shown;
}

}  // namespace menudriver
