#include "DockWidthKeeper.h"

#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QTabBar>
#include <QTimer>

#include <algorithm>

DockWidthKeeper::DockWidthKeeper(QMainWindow* frame, std::vector<QDockWidget*> docks,
                                 int wantedWidth)
    : QObject(frame), frame_(frame), wanted_(wantedWidth), frameSize_(frame->size())
{
    for (QDockWidget* dock : docks) {
        docks_.emplace_back(dock);
        dock->installEventFilter(this);
    }
    frame->installEventFilter(this);
}

QDockWidget* DockWidthKeeper::placedDock() const
{
    // Only a dock beside the picture has a width of its own to keep.
    for (const QPointer<QDockWidget>& dock : docks_)
        if (dock && dock->isVisible() && !dock->isFloating() &&
            (frame_->dockWidgetArea(dock) & (Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea)))
            return dock;
    return nullptr;
}

void DockWidthKeeper::restoreWidth()
{
    QDockWidget* dock = placedDock();
    if (dock && dock->width() < wanted_) {
        frame_->resizeDocks({dock}, {wanted_}, Qt::Horizontal);
        // The new width is only stored until the frame lays out again: do that now.
        frame_->layout()->activate();
    }
}

void DockWidthKeeper::resetWidth(int width)
{
    wanted_ = width;
    if (QDockWidget* dock = placedDock()) {
        frame_->resizeDocks({dock}, {wanted_}, Qt::Horizontal);
        frame_->layout()->activate();
    }
    fitTabs();
}

void DockWidthKeeper::fitTabs()
{
    // The tab bar the frame uses for the panels: the one in use that names one of them.
    for (QTabBar* bar : frame_->findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
        if (bar->isHidden())
            continue;
        for (int i = 0; i < bar->count(); ++i)
            for (const QPointer<QDockWidget>& dock : docks_)
                if (dock && bar->tabText(i) == dock->windowTitle())
                    wanted_ = std::max(wanted_, bar->sizeHint().width());
    }
    restoreWidth();
}

bool DockWidthKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == frame_) {
        // The frame itself gets a button only where no bar lies: on a dock's edge.
        if (event->type() == QEvent::MouseButtonPress)
            draggingEdge_ = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            draggingEdge_ = false;
    }
    if (event->type() != QEvent::Resize)
        return false;
    if (watched == frame_) {
        frameSize_ = frame_->size();
        // The frame lays out its docks after this event: look at the dock once it has.
        QTimer::singleShot(0, this, &DockWidthKeeper::restoreWidth);
    } else if (watched == placedDock() && draggingEdge_ && frame_->size() == frameSize_) {
        // The user dragged the dock's edge: that is the width to come back to.
        wanted_ = static_cast<QWidget*>(watched)->width();
    }
    return false;
}
