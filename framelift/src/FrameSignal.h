// FrameSignal: an event file descriptor that becomes readable when a frame has been copied
// into a texture image, so that a caller can sleep in its own event loop until there is
// something new to draw instead of asking on a timer. Nothing is called back on the
// streaming thread: it only writes a counter.
//
// Shared between the handle and every texture filter made for it. A filter that outlives
// its handle (a graph left to its control thread to stop) keeps the descriptor open, so a
// late frame never writes into a number the process has reused meanwhile.
#pragma once

#include <memory>

namespace framelift {

class FrameSignal {
public:
    // The descriptor is -1 when the system gives none; notify() then does nothing.
    static std::shared_ptr<FrameSignal> create();
    ~FrameSignal();
    FrameSignal(const FrameSignal&) = delete;
    FrameSignal& operator=(const FrameSignal&) = delete;

    int fd() const { return fd_; }
    // Any thread: makes the descriptor readable. Never blocks.
    void notify() const;

private:
    explicit FrameSignal(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace framelift
