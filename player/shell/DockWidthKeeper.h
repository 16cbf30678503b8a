// Keeps the tabbed panels at the left at the width they want. A window made small squeezes
// the dock; made large again, the window gives the room back to the dock before the picture
// gets any, up to the width the user last dragged the dock to (at first the panels' own
// width, widened so that every tab's title shows whole).
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

#include <vector>

class QDockWidget;
class QMainWindow;

class DockWidthKeeper : public QObject {
public:
    // docks: the panels tabbed together in one dock area; frame owns them and the keeper.
    DockWidthKeeper(QMainWindow* frame, std::vector<QDockWidget*> docks, int wantedWidth);

    int wantedWidth() const { return wanted_; }
    // Widens the wanted width to what the tab bar needs for its titles (after a language
    // change), then gives the dock that width where the window has room for it.
    void fitTabs();
    // Gives the dock width again as the width to keep ("Reset layout").
    void resetWidth(int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The dock that stands in the dock area now, or null when none does.
    QDockWidget* placedDock() const;
    void restoreWidth();

    QMainWindow* frame_;
    std::vector<QPointer<QDockWidget>> docks_;
    int wanted_;
    QSize frameSize_;
    bool draggingEdge_ = false;  // a button went down on the frame between its bars
};
