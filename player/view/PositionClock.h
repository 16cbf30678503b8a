// The position clock: a worker thread that, once per step (one second in the program),
// calls step() while the media is active. One clock per open; pause holds it, resume
// releases it and the next open (or the view's end) ends it.
#pragma once

#include "WorkerGate.h"

#include <chrono>
#include <functional>
#include <thread>

class PositionClock {
public:
    // active() and step() run on the clock's thread. The clock ends when active() is false
    // before or after a sleep, or when step() returns false.
    PositionClock(std::chrono::milliseconds period, std::function<bool()> active,
                  std::function<bool()> step);
    ~PositionClock();  // ends the clock and waits for its thread
    PositionClock(const PositionClock&) = delete;
    PositionClock& operator=(const PositionClock&) = delete;

    void hold() { gate_.hold(); }
    void release() { gate_.release(); }
    bool isHeld() const { return gate_.isHeld(); }
    // Ends the clock, held or not, and waits for its thread.
    void end();

private:
    void run();

    WorkerGate gate_;
    std::chrono::milliseconds period_;
    std::function<bool()> active_;
    std::function<bool()> step_;
    std::thread thread_;
};
