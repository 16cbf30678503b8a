#include "FrameSignal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace framelift {

std::shared_ptr<FrameSignal> FrameSignal::create()
{
    const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    return std::shared_ptr<FrameSignal>(new FrameSignal(fd));
}

FrameSignal::~FrameSignal()
{
    if (fd_ >= 0)
        close(fd_);
}

void FrameSignal::notify() const
{
    if (fd_ < 0)
        return;
    const uint64_t one = 1;
    // A full counter (never in practice) or an interrupted write just loses this wake-up;
    // the descriptor is readable either way.
    [[maybe_unused]] const ssize_t written = write(fd_, &one, sizeof one);
}

}  // namespace framelift
