// The graph's own thread for everything that may block inside GStreamer: state changes,
// seeks, rate changes and the teardown. Callers hand it a task and wait for it with a bound,
// so a caller is never held longer than that bound whatever the demuxer does; tasks run one
// after the other in the order they were given, so no two of them ever race.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace framelift {

class ControlThread {
public:
    ControlThread();
    // Ends the thread after the tasks already given (see finish()).
    ~ControlThread();
    ControlThread(const ControlThread&) = delete;
    ControlThread& operator=(const ControlThread&) = delete;

    // Runs `task` on the thread and waits up to `bound` for it. True when it ran to its end
    // in time. A task not done by then still runs, in its turn, while the caller goes on.
    bool call(std::function<void()> task, std::chrono::milliseconds bound);

    // Runs the tasks already given, then ends the thread, waiting up to `bound`. False when the
    // thread was still busy then: it is left to finish alone (a task keeps alive what it
    // captured), and the caller goes on.
    bool finish(std::chrono::milliseconds bound);

    // Whether the calling thread is this control thread.
    bool isCurrent() const { return std::this_thread::get_id() == id_; }

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    std::thread::id id_;
};

}  // namespace framelift
