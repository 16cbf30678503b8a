// Holds, releases and ends a worker thread at the points where it sleeps. The worker calls
// sleep(); the UI thread calls hold(), release() and end(). A held worker waits inside sleep()
// and takes no lock that the UI thread could need while it waits.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class WorkerGate {
public:
    explicit WorkerGate(bool startHeld = false) : held_(startHeld) {}

    void hold();
    void release();
    // Wakes the worker for good: every later sleep() returns false at once.
    void end();
    bool isHeld() const;

    // Sleeps for `duration` of time during which the gate is not held (time spent held does
    // not count). Returns false as soon as the gate is ended.
    bool sleep(std::chrono::milliseconds duration);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool held_;
    bool ended_ = false;
};
