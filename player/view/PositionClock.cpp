#include "PositionClock.h"

#include <algorithm>

PositionClock::PositionClock(std::function<bool()> step) : step_(std::move(step))
{
    timer_.setSingleShot(true);
    // Whole seconds are counted against the media's duration: keep the steps even.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void PositionClock::start(std::chrono::milliseconds period)
{
    period_ = period.count();
    running_ = true;
    held_ = false;
    elapsed_.start();
    next_ = period_;
    waitForNext();
}

void PositionClock::end()
{
    running_ = false;
    held_ = false;
    timer_.stop();
}

void PositionClock::hold()
{
    if (!running_ || held_)
        return;
    held_ = true;
    rest_ = std::max<qint64>(0, next_ - elapsed_.elapsed());
    timer_.stop();
}

void PositionClock::release()
{
    if (!running_ || !held_)
        return;
    held_ = false;
    next_ = elapsed_.elapsed() + rest_;
    waitForNext();
}

void PositionClock::waitForNext()
{
    // A period of an hour or more still fits the timer's int of milliseconds.
    const qint64 wait = std::clamp<qint64>(next_ - elapsed_.elapsed(), 0, 1 << 30);
    timer_.start(static_cast<int>(wait));
}

void PositionClock::tick()
{
    if (!running_ || held_)
        return;
    if (!step_()) {
        end();
        return;
    }
    // The step may have ended or held the clock itself.
    if (running_ && !held_) {
        next_ += period_;
        waitForNext();
    }
}
