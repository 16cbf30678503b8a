// The buttons of the explorer bar, painted in the bar's dark style: a menu button with a
// white caption and a down arrow, a plain (or narrow logo) command button, and the round
// back and forward buttons.
#pragma once

#include "CommandIds.h"

#include <QToolButton>

class QMenu;

// A 100-pixel-wide button with a caption that drops down its menu.
class CExplorerToolbarMenuButton : public QToolButton {
    Q_OBJECT
public:
    static constexpr int kWidth = 100;

    // Takes ownership of menu (which may be null: the button then drops nothing).
    CExplorerToolbarMenuButton(const QString& caption, QMenu* menu, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A command button without image or text: 33 pixels wide with the narrow flag (drawn as the
// product logo), otherwise 100.
class CExplorerToolbarButton : public QToolButton {
    Q_OBJECT
public:
    CExplorerToolbarButton(Command commandId, bool narrow, QWidget* parent = nullptr);

    Command commandId() const { return commandId_; }
    bool isNarrow() const { return narrow_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Command commandId_;
    bool narrow_;
};

// The round back or forward button at the bar's left end.
class CExplorerNavigationButton : public QToolButton {
    Q_OBJECT
public:
    CExplorerNavigationButton(Command commandId, QWidget* parent = nullptr);
    Command commandId() const { return commandId_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Command commandId_;
};
