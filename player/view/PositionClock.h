// The position clock: while it runs, step() is called once per period (one second in the
// program). Holding it keeps what was left of the current period, and releasing it goes on
// with that rest, so time spent held does not count. It runs on the UI thread's timers.
#pragma once

#include <QTimer>

#include <chrono>
#include <functional>

class PositionClock {
public:
    // step() returns false to end the clock.
    explicit PositionClock(std::function<bool()> step);

    // Starts counting periods of the given length from now, released.
    void start(std::chrono::milliseconds period);
    // Ends the clock, held or not.
    void end();
    void hold();
    void release();

    bool isRunning() const { return running_; }
    bool isHeld() const { return held_; }

private:
    void tick();

    std::function<bool()> step_;
    QTimer timer_;
    std::chrono::milliseconds period_{1000};
    std::chrono::milliseconds rest_{0};  // of the current period, while held
    bool running_ = false;
    bool held_ = false;
};
