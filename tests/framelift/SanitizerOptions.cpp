// Sanitizer support for the library's test programs.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <thread>

#include <dlfcn.h>

// GLib and GStreamer are built without frame pointers, so the quick unwinder stops at g_malloc
// and every GLib allocation would look alike: full unwinding gives the leak checker (and its
// suppressions) real stacks. Options given in ASAN_OPTIONS still take precedence.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

// The same third-party suppressions as tests/lsan.supp, built in so that a test program run
// on its own (and the test listing at build time) checks alike.
extern "C" const char* __lsan_default_suppressions()
{
    // GLib's library constructor allocates its tables once when libglib is loaded.
    return "leak:_dl_init\n";
}

namespace {

// GStreamer parks its streaming threads in a pool after a graph stops. Joining them before
// the process ends leaves the leak checker only threads it can read, and makes anything a
// streaming thread still held show up as a leak.
size_t threadCount()
{
    std::error_code ignored;
    const std::filesystem::directory_iterator tasks("/proc/self/task", ignored);
    return ignored ? 0 : static_cast<size_t>(std::distance(begin(tasks), end(tasks)));
}

class JoinStreamingThreads : public testing::Environment {
public:
    void TearDown() override
    {
        using CleanupFn = void (*)();
        for (const char* name : {"gst_task_cleanup_all", "g_thread_pool_stop_unused_threads"}) {
            if (auto cleanup = reinterpret_cast<CleanupFn>(dlsym(RTLD_DEFAULT, name)))
                cleanup();
        }
        // Stopped pool threads finish on their own: give them a moment to be gone.
        for (int i = 0; i < 200 && threadCount() > 1; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
};

const auto* registered = testing::AddGlobalTestEnvironment(new JoinStreamingThreads);

}  // namespace
