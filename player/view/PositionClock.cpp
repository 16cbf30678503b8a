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
    period_ = period;
    running_ = true;
    held_ = false;
    timer_.start(period_);
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
    rest_ = std::chrono::milliseconds(std::max(0, timer_.remainingTime()));
    timer_.stop();
}

void PositionClock::release()
{
    if (!running_ || !held_)
        return;
    held_ = false;
    timer_.start(rest_);
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
    if (running_ && !held_)
        timer_.start(period_);
}
