// GStreamer hands work between its threads with GLib locks that ThreadSanitizer cannot see
// (futexes inside uninstrumented code). Where one of our objects crosses threads that way -
// made on the caller's thread, used on a streaming thread, destroyed after the graph has
// joined its threads - these mark the order GStreamer guarantees, so the sanitizer checks our
// own code against it. They compile to nothing in other builds.
#pragma once

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace framelift {

// Everything this thread did to `object` so far is visible to a later markReceived().
inline void markHandedOver([[maybe_unused]] const void* object)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(const_cast<void*>(object));
#endif
}

inline void markReceived([[maybe_unused]] const void* object)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(const_cast<void*>(object));
#endif
}

}  // namespace framelift
