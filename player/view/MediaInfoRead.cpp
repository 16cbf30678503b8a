#include "MediaInfoRead.h"

#include <QMetaObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

std::atomic<int> workersRunning{0};

}  // namespace

// What a worker shares with its MediaInfoRead: the object's address while it lives. The
// destructor clears it under the lock, so a worker never posts to a destroyed object.
struct MediaInfoRead::Mailbox {
    std::mutex lock;
    MediaInfoRead* owner = nullptr;
};

MediaInfoRead::MediaInfoRead(QObject* parent)
    : QObject(parent),
      reader_([](const std::string& path) { return mediainfo::readMediaReport(path); }),
      mailbox_(std::make_shared<Mailbox>())
{
    mailbox_->owner = this;
    boundTimer_ = new QTimer(this);
    boundTimer_->setSingleShot(true);
    connect(boundTimer_, &QTimer::timeout, this, &MediaInfoRead::timeOut);
}

MediaInfoRead::~MediaInfoRead()
{
    std::lock_guard<std::mutex> hold(mailbox_->lock);
    mailbox_->owner = nullptr;
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
    std::thread([mailbox = mailbox_, reader = reader_, path, generation]() mutable {
        mediainfo::MediaReport report = reader(path);
        {
            std::lock_guard<std::mutex> hold(mailbox->lock);
            if (MediaInfoRead* owner = mailbox->owner)
                QMetaObject::invokeMethod(
                    owner,
                    [owner, generation, report = std::move(report)] {
                        owner->deliver(generation, report);
                    },
                    Qt::QueuedConnection);
        }
        // What the worker holds goes before it counts as done.
        reader = nullptr;
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
