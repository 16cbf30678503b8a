#include "WorkerGate.h"

void WorkerGate::hold()
{
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = true;
    changed_.notify_all();
}

void WorkerGate::release()
{
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = false;
    changed_.notify_all();
}

void WorkerGate::end()
{
    std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

bool WorkerGate::isHeld() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return held_;
}

bool WorkerGate::sleep(std::chrono::milliseconds duration)
{
    using clock = std::chrono::steady_clock;
    std::unique_lock<std::mutex> lock(mutex_);
    auto remaining = std::chrono::duration_cast<clock::duration>(duration);
    for (;;) {
        if (ended_)
            return false;
        if (held_) {
            changed_.wait(lock, [this] { return !held_ || ended_; });
            continue;
        }
        const auto start = clock::now();
        const bool interrupted =
            changed_.wait_for(lock, remaining, [this] { return held_ || ended_; });
        if (!interrupted)
            return true;
        remaining -= clock::now() - start;
        if (remaining <= clock::duration::zero() && !ended_)
            return true;
    }
}
