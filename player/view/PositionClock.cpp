#include "PositionClock.h"

PositionClock::PositionClock(std::chrono::milliseconds period, std::function<bool()> active,
                             std::function<bool()> step)
    : period_(period), active_(std::move(active)), step_(std::move(step))
{
    thread_ = std::thread([this] { run(); });
}

PositionClock::~PositionClock()
{
    end();
}

void PositionClock::end()
{
    gate_.end();
    if (thread_.joinable())
        thread_.join();
}

void PositionClock::run()
{
    for (;;) {
        if (!active_())
            return;
        if (!gate_.sleep(period_))
            return;
        if (!active_())
            return;
        if (!step_())
            return;
    }
}
