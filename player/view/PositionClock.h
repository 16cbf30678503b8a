// The position clock: while it runs, step() is called once per period (one second in the
// program). The steps keep to a schedule, so a late one does not delay the next. Holding the
// clock keeps what was left of the current period, and releasing it goes on with that rest:
// time spent held does not count. It runs on the UI thread's timers.
#pragma once

#include <QElapsedTimer>
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
    // Waits for the step due at next_ (on elapsed_'s scale).
    void waitForNext();

    std::function<bool()> step_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    qint64 period_ = 1000;
    qint64 next_ = 0;  // when the next step is due, while released
    qint64 rest_ = 0;  // of the current period, while held
    bool running_ = false;
    bool held_ = false;
};
