// The full-screen bar watcher: a worker thread that runs pass() every few milliseconds while
// it is released. It starts held; the view releases it in full-screen mode and holds it again
// when it returns to the window. pass() must hand any widget change to the UI thread.
#pragma once

#include "WorkerGate.h"

#include <chrono>
#include <functional>
#include <thread>

class BarWatcher {
public:
    BarWatcher(std::chrono::milliseconds interval, std::function<void()> pass);
    ~BarWatcher();  // ends the thread and waits for it
    BarWatcher(const BarWatcher&) = delete;
    BarWatcher& operator=(const BarWatcher&) = delete;

    void hold() { gate_.hold(); }
    void release() { gate_.release(); }
    bool isHeld() const { return gate_.isHeld(); }

private:
    WorkerGate gate_{true};
    std::chrono::milliseconds interval_;
    std::function<void()> pass_;
    std::thread thread_;
};
