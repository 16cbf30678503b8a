// libpulse takes its event loop's lock inside calls that ThreadSanitizer does not follow
// (the library is not built for it, and the suppressions ignore what it calls). These mark
// where a thread takes and leaves that lock, so that the checker sees the order the lock
// gives between the loop's callbacks and the caller's thread. One mark serves every loop; a
// callback must not read anything shared before its section begins. They compile to nothing
// in other builds.
#pragma once

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace pulsemarks {

[[maybe_unused]] inline char loopLock;

// Just after taking the loop's lock (or coming back from a wait, which takes it again).
inline void markLockTaken()
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(&loopLock);
#endif
}

// Just before leaving it (or waiting, which leaves it).
inline void markLockLeft()
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(&loopLock);
#endif
}

// A callback's stretch on the loop's thread, which holds the lock meanwhile.
class LoopThreadSection {
public:
    LoopThreadSection() { markLockTaken(); }
    ~LoopThreadSection() { markLockLeft(); }
    LoopThreadSection(const LoopThreadSection&) = delete;
    LoopThreadSection& operator=(const LoopThreadSection&) = delete;
};

}  // namespace pulsemarks
