#include "FrameWatch.h"

#include <QSocketNotifier>

#include <unistd.h>

#include <cstdint>

FrameWatch::FrameWatch(std::function<void()> arrived, QObject* parent)
    : QObject(parent), arrived_(std::move(arrived))
{
}

FrameWatch::~FrameWatch() = default;

void FrameWatch::watch(int fd)
{
    if (fd == fd_)
        return;
    notifier_.reset();
    fd_ = fd;
    if (fd < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &FrameWatch::drain);
}

void FrameWatch::drain()
{
    // The descriptor is a counter: one read empties it, and it stays quiet until the next
    // frame. A failed read (nothing there any more) still asks for a draw, which costs at
    // most one upload of a frame already shown.
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = read(fd_, &count, sizeof count);
    if (arrived_)
        arrived_();
}
