// MediaOpener: opens files without holding up the UI thread. An open lends the media
// session's handle to a worker thread, which loads the file and waits for its first frame
// (the library may take ten seconds and more for a file that never brings one); the result
// comes back to the UI thread through a queued call and goes to the session. Only the latest
// open counts: a later open or a cancel drops the result of an earlier one, whose handle is
// then deleted. While it loads, a handle is its worker's alone: the session holds none, so
// nothing else calls the library on it.
//
// Threads: one worker per open under way; each ends when its load does. Everything else,
// the done calls included, runs on the UI thread.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MediaSession;
class UiCallQueue;

class MediaOpener : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(bool played)>;

    // session must outlive the opener.
    explicit MediaOpener(MediaSession& session, QObject* parent = nullptr);
    // Waits for the loads under way (each ends within the library's bounds once its file
    // answers) and deletes their handles; their done calls never come.
    ~MediaOpener() override;

    // Starts opening path; done runs once the session has the result, unless another open or
    // a cancel came first.
    void open(const std::string& path, Done done);
    // The open under way counts for nothing any more.
    void cancel();

    // Whether an open that still counts is under way.
    bool isOpening() const { return current_ != nullptr; }
    // Loads under way, counting or not.
    int loadsUnderWay() const { return static_cast<int>(jobs_.size()); }

private:
    struct Job;
    void finish(const std::shared_ptr<Job>& job);

    MediaSession& session_;
    std::unique_ptr<UiCallQueue> uiCalls_;
    std::vector<std::shared_ptr<Job>> jobs_;  // workers not yet joined
    std::shared_ptr<Job> current_;            // the open whose result counts
};
