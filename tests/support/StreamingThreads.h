// GStreamer parks its streaming threads in a pool after a graph stops. Test programs that play
// media stop those threads before the process ends: the leak checker then reads only threads
// that are still sound (a parked GStreamer thread's thread-local storage can crash it), and
// anything a streaming thread still held shows up as a leak. The calls are looked up at run
// time, so a program that never loaded GStreamer does nothing here.
#pragma once

#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <filesystem>
#include <iterator>
#include <thread>

#include <dlfcn.h>

namespace streamingthreads {

inline size_t threadCount()
{
    std::error_code ignored;
    const std::filesystem::directory_iterator tasks("/proc/self/task", ignored);
    return ignored ? 0 : static_cast<size_t>(std::distance(begin(tasks), end(tasks)));
}

// Calls GStreamer's pool cleanups until the thread count stops falling.
inline void emptyPools(void (*const cleanups[])(), int found)
{
    size_t last = threadCount();
    for (int steady = 0, i = 0; i < 300 && steady < 20 && last > 1; ++i) {
        for (int k = 0; k < found; ++k)
            cleanups[k]();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const size_t now = threadCount();
        steady = now == last ? steady + 1 : 0;
        last = now;
    }
}

// Stops GStreamer's pooled threads and waits (at most three seconds) until the thread count
// stops falling. A streaming thread that was still finishing its work parks in the pool only
// afterwards, so the pools are emptied again on every look.
//
// gst_task_cleanup_all waits, holding GStreamer's pool lock, for every task to end, and a task
// of a graph still being torn down (the library finishes a teardown that outlasts its bound on
// a thread of its own) ends only once that teardown is over. So the pools are emptied only once
// the thread count has stood still for a moment, and on a thread of their own: if a task never
// ends, the program says so and ends anyway instead of hanging.
inline void stopAll()
{
    using CleanupFn = void (*)();
    CleanupFn cleanups[2] = {};
    int found = 0;
    for (const char* name : {"gst_task_cleanup_all", "g_thread_pool_stop_unused_threads"}) {
        if (auto cleanup = reinterpret_cast<CleanupFn>(dlsym(RTLD_DEFAULT, name)))
            cleanups[found++] = cleanup;
    }
    if (found == 0)
        return;
    size_t last = threadCount();
    for (int steady = 0, i = 0; i < 1000 && steady < 10; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const size_t now = threadCount();
        steady = now == last ? steady + 1 : 0;
        last = now;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> emptied = done->get_future();
    std::thread([done, cleanups, found] {
        emptyPools(cleanups, found);
        done->set_value();
    }).detach();
    if (emptied.wait_for(std::chrono::seconds(20)) != std::future_status::ready)
        std::fprintf(stderr, "streaming threads: a GStreamer task never ended; not waiting\n");
}

}  // namespace streamingthreads
