// Reads a file's media information off the user-interface thread. MediaInfo can take long,
// or never return, on a damaged file; the window must stay responsive meanwhile.
//
// start() hands the read to a worker thread of its own and returns at once. The report comes
// back to the UI thread through a queued call (UiCallQueue) and is announced by finished(). Only the
// latest read counts: a report of an earlier start() is dropped. A read still running after
// the bound ends as a timed-out report (the pages say so, the duration is unknown), and its
// late answer is dropped too.
//
// A worker that never returns cannot be stopped. The destructor waits a moment for the
// workers in flight (kGoingAwayWait), then leaves any still running to themselves: they touch
// nothing of this object once it is gone.
#pragma once

#include "MediaInfoReader.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QTimer;
class UiCallQueue;

class MediaInfoRead : public QObject {
    Q_OBJECT
public:
    using Reader = std::function<mediainfo::MediaReport(const std::string& path)>;
    static constexpr std::chrono::milliseconds kDefaultBound{5000};
    static constexpr std::chrono::milliseconds kGoingAwayWait{500};

    // Reads with the MediaInfo library (mediainfo::readMediaReport).
    explicit MediaInfoRead(QObject* parent = nullptr);
    ~MediaInfoRead() override;

    // Replaces the reader (for tests); it runs on worker threads. Takes effect at the next start().
    void setReader(Reader reader);
    void setBound(std::chrono::milliseconds bound) { bound_ = bound; }
    std::chrono::milliseconds bound() const { return bound_; }

    // Starts reading path; an earlier read still running no longer counts.
    void start(const std::string& path);
    // True from start() until its report (or its time-out) has been announced.
    bool isReading() const { return reading_; }

    // The report a read gives when it is not done within bound.
    static mediainfo::MediaReport timedOutReport(std::chrono::milliseconds bound);
    // Worker threads of all MediaInfoRead objects still running (tests wait for 0).
    static int runningWorkers();

signals:
    // On the UI thread: the report of the latest start(), or its timed-out report.
    void finished(const mediainfo::MediaReport& report);

private:
    struct Mailbox;
    void deliver(std::uint64_t generation, const mediainfo::MediaReport& report);
    void timeOut();

    Reader reader_;
    std::chrono::milliseconds bound_ = kDefaultBound;
    std::uint64_t generation_ = 0;
    bool reading_ = false;
    QTimer* boundTimer_ = nullptr;
    std::unique_ptr<UiCallQueue> calls_;
    std::shared_ptr<Mailbox> mailbox_;
};
