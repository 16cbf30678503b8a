#include "MediaInfoRead.h"

#include "UiCallQueue.h"

#include <QString>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

std::atomic<int> workersRunning{0};

}  // namespace

// What a worker shares with its MediaInfoRead: the object and its call queue while they live,
// and the count of its workers still running. The destructor clears the object under the
// lock, so a worker never posts to a destroyed object.
struct MediaInfoRead::Mailbox {
    std::mutex lock;
    std::condition_variable workerDone;
    MediaInfoRead* owner = nullptr;
    const UiCallQueue* calls = nullptr;
    int running = 0;
};

MediaInfoRead::MediaInfoRead(QObject* parent)
    : QObject(parent),
      reader_([](const std::string& path) { return mediainfo::readMediaReport(path); }),
      calls_(std::make_unique<UiCallQueue>(this)),
      mailbox_(std::make_shared<Mailbox>())
{
    mailbox_->owner = this;
    mailbox_->calls = calls_.get();
    boundTimer_ = new QTimer(this);
    boundTimer_->setSingleShot(true);
    connect(boundTimer_, &QTimer::timeout, this, &MediaInfoRead::timeOut);
}

MediaInfoRead::~MediaInfoRead()
{
    std::unique_lock<std::mutex> hold(mailbox_->lock);
    mailbox_->owner = nullptr;
    mailbox_->calls = nullptr;
    mailbox_->workerDone.wait_for(hold, kGoingAwayWait, [this] { return mailbox_->running == 0; });
}

void MediaInfoRead::setReader(Reader reader)
{
    reader_ = std::move(reader);
}

void MediaInfoRead::start(const std::string& path)
{
    const std::uint64_t generation = ++generation_;
    reading_ = true;
    boundTimer_->start(bound_);
    ++workersRunning;
    {
        std::lock_guard<std::mutex> hold(mailbox_->lock);
        ++mailbox_->running;
    }
    std::thread([mailbox = mailbox_, reader = reader_, path, generation]() mutable {
        mediainfo::MediaReport report = reader(path);
        reader = nullptr;  // what the reader holds goes before the worker counts as done
        {
            std::lock_guard<std::mutex> hold(mailbox->lock);
            if (MediaInfoRead* owner = mailbox->owner)
                mailbox->calls->post([owner, generation, report = std::move(report)] {
                    owner->deliver(generation, report);
                });
            --mailbox->running;
            mailbox->workerDone.notify_all();
        }
        mailbox.reset();
        --workersRunning;
    }).detach();
}

void MediaInfoRead::deliver(std::uint64_t generation, const mediainfo::MediaReport& report)
{
    // A later start(), or the bound, has overtaken this read.
    if (generation != generation_ || !reading_)
        return;
    reading_ = false;
    boundTimer_->stop();
    emit finished(report);
}

void MediaInfoRead::timeOut()
{
    if (!reading_)
        return;
    reading_ = false;
    emit finished(timedOutReport(bound_));
}

mediainfo::MediaReport MediaInfoRead::timedOutReport(std::chrono::milliseconds bound)
{
    const std::string text =
        QStringLiteral("MediaInfo did not finish reading this file within %1 seconds.")
            .arg(static_cast<double>(bound.count()) / 1000.0)
            .toStdString();
    mediainfo::MediaReport report;
    report.pages.fill(text);
    report.durationMs = 0;
    return report;
}

int MediaInfoRead::runningWorkers()
{
    return workersRunning.load();
}
