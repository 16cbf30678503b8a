// Drives the explorer bar's drop-down menus with real mouse clicks: opens a menu button and
// clicks through the popups by caption, as a person does.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace menudriver {

// Clicks button, then in each popup that opens the item with the next caption of path.
// Returns false (closing every popup) when an item is not found within a few seconds.
inline bool clickPath(QToolButton* button, const QStringList& path)
{
    auto steps = std::make_shared<QStringList>(path);
    auto ticks = std::make_shared<int>(0);
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&timer, steps, ticks] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (++*ticks > 250) {  // give up: close the popups so the click returns
            timer.stop();
            while (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            return;
        }
        if (!menu || steps->isEmpty() || !menu->isVisible())
            return;
        for (QAction* action : menu->actions()) {
            if (action->text() != steps->first())
                continue;
            const QRect place = menu->actionGeometry(action);
            if (place.isEmpty())
                return;
            steps->removeFirst();
            if (steps->isEmpty())
                timer.stop();
            QTest::mouseClick(menu, Qt::LeftButton, {}, place.center());
            return;
        }
    });
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);  // returns when the menu has closed
    // A submenu opened by the timer may still be waiting for its next step.
    static_cast<void>(QTest::qWaitFor([&] { return steps->isEmpty() || !timer.isActive(); }, 6000));
    return steps->isEmpty();
}

// Opens button's menu and returns the state of the action with command id (a copy of its
// enabled and checked flags as the menu showed them), then closes the menu.
struct Shown {
    bool found = false;
    bool enabled = false;
    bool checkable = false;
    bool checked = false;
};

inline Shown showState(QToolButton* button, int id)
{
    Shown shown;
    QTimer timer;
    timer.setInterval(20);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (++ticks > 250 || (menu && menu->isVisible())) {
            if (menu)
                for (QAction* action : menu->actions())
                    if (!action->menu() && !action->isSeparator() && action->data().toInt() == id)
                        shown = {true, action->isEnabled(), action->isCheckable(), action->isChecked()};
            timer.stop();
            while (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        }
    });
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    return shown;
}

}  // namespace menudriver
