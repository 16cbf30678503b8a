#include "MediaOpener.h"

#include "MediaSession.h"
#include "UiCallQueue.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>

struct MediaOpener::Job {
    std::string path;
    Done done;
    // Owned by the job until finish() hands it on.
    VideoTexture* handle = nullptr;
    // Cleared on the UI thread when the result stops counting; the worker then starts no
    // sound for a file nobody waits for.
    std::atomic<bool> wanted{true};
    // Written by the worker before it posts the job back.
    MediaSession::LoadResult result;
    std::thread worker;
};

MediaOpener::MediaOpener(MediaSession& session, QObject* parent)
    : QObject(parent), session_(session), uiCalls_(std::make_unique<UiCallQueue>(this))
{
}

MediaOpener::~MediaOpener()
{
    for (const auto& job : jobs_)
        job->wanted = false;
    // Results already posted are dropped with the call queue.
    for (const auto& job : jobs_) {
        job->worker.join();
        MediaSession::deleteHandle(job->handle);
    }
}

void MediaOpener::open(const std::string& path, Done done)
{
    cancel();
    auto job = std::make_shared<Job>();
    job->path = path;
    job->done = std::move(done);
    job->handle = session_.lend();
    job->worker = std::thread([this, job] {
        job->result = MediaSession::load(job->handle, job->path,
                                         [&wanted = job->wanted] { return wanted.load(); });
        uiCalls_->post([this, job] { finish(job); });
    });
    jobs_.push_back(job);
    current_ = job;
}

void MediaOpener::cancel()
{
    if (current_)
        current_->wanted = false;
    current_.reset();
}

void MediaOpener::finish(const std::shared_ptr<Job>& job)
{
    // The worker has posted its last word: it is about to end.
    job->worker.join();
    jobs_.erase(std::find(jobs_.begin(), jobs_.end(), job));
    VideoTexture* handle = std::exchange(job->handle, nullptr);
    if (job != current_) {
        MediaSession::deleteHandle(handle);
        return;
    }
    current_.reset();
    session_.adopt(handle, job->result);
    job->done(job->result.played);
}
