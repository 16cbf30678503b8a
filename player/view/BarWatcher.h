// In full screen the transport bar hides below the screen's bottom edge and rises into sight
// while the pointer is near that edge. The bar watcher looks at the pointer's height every
// 25 ms while it watches and moves the bar when its band changes. UI thread only.
#pragma once

#include <QTimer>

#include <chrono>

class QWidget;

class BarWatcher {
public:
    static constexpr std::chrono::milliseconds kInterval{25};

    // bar is a child of view along its bottom; both must outlive the watcher.
    BarWatcher(QWidget* view, QWidget* bar);

    // Full screen: the bar goes out of sight at the bottom edge until the pointer lifts it.
    void start();
    // Back in the window: no more watching.
    void stop();
    bool isWatching() const { return timer_.isActive(); }
    bool isBarRaised() const { return raised_; }

    // The pointer's height in the view's co-ordinates, as last seen.
    void setPointerY(int y) { pointerY_ = y; }
    // The view put the bar back at its bottom itself: the next look places it again.
    void barMoved();

private:
    void look();

    QWidget* view_;
    QWidget* bar_;
    QTimer timer_;
    int pointerY_ = 0;
    int band_ = -1;  // the band placed last, -1 for none
    bool raised_ = false;
};
