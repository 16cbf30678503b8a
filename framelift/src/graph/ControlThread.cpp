#include "ControlThread.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace framelift {
namespace {

enum class JobState { Queued, Running, Done };

struct Job {
    std::function<void()> task;
    JobState state = JobState::Queued;  // protected by Shared::mutex
};

}  // namespace

// Everything the thread touches, kept alive by the thread itself, so a thread left to finish
// alone never reads freed memory.
struct ControlThread::Shared {
    std::mutex mutex;
    std::condition_variable wake;     // the thread: a new job, or the end
    std::condition_variable settled;  // callers: a job done, or the thread ended
    std::deque<std::shared_ptr<Job>> jobs;
    bool ending = false;
    bool ended = false;

    void loop()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return ending || !jobs.empty(); });
            if (jobs.empty())
                break;  // ending, and nothing left
            std::shared_ptr<Job> job = std::move(jobs.front());
            jobs.pop_front();
            job->state = JobState::Running;
            lock.unlock();
            job->task();
            job->task = nullptr;  // what it captured goes now, not with the caller's reference
            lock.lock();
            job->state = JobState::Done;
            settled.notify_all();
        }
        ended = true;
        settled.notify_all();
    }
};

ControlThread::ControlThread() : shared_(std::make_shared<Shared>())
{
    thread_ = std::thread([shared = shared_] { shared->loop(); });
    id_ = thread_.get_id();
}

ControlThread::~ControlThread()
{
    if (thread_.joinable())
        finish(std::chrono::milliseconds(0));
}

bool ControlThread::call(std::function<void()> task, std::chrono::milliseconds bound)
{
    if (isCurrent()) {
        // A task that calls back in runs its part at once: waiting for itself would never end.
        task();
        return true;
    }
    auto job = std::make_shared<Job>();
    job->task = std::move(task);
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (shared_->ending)
        return false;
    shared_->jobs.push_back(job);
    shared_->wake.notify_one();
    return shared_->settled.wait_for(lock, bound,
                                     [&] { return job->state == JobState::Done; });
}

bool ControlThread::finish(std::chrono::milliseconds bound)
{
    if (!thread_.joinable())
        return true;
    bool ended;
    {
        std::unique_lock<std::mutex> lock(shared_->mutex);
        shared_->ending = true;
        shared_->wake.notify_one();
        ended = shared_->settled.wait_for(lock, bound, [this] { return shared_->ended; });
    }
    if (ended)
        thread_.join();
    else
        thread_.detach();
    return ended;
}

}  // namespace framelift
