// A MediaInfo binding whose Open does not return until the test lets it, as the library may
// hang on a damaged file (the real one cannot be made to hang at will). Everything else
// answers like a library that read nothing. One gate for the process.
#pragma once

#include "MediaInfo.h"
#include "MediaInfoReader.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace stuckmediainfo {

struct Gate {
    std::mutex lock;
    std::condition_variable changed;
    bool open = false;
    int waiting = 0;
};

inline Gate& gate()
{
    static Gate g;
    return g;
}

// Closes the gate: every Open from now on waits (at most a minute, so that a faulty program
// ends instead of hanging the test run).
inline void close()
{
    std::lock_guard<std::mutex> hold(gate().lock);
    gate().open = false;
}

inline void release()
{
    std::lock_guard<std::mutex> hold(gate().lock);
    gate().open = true;
    gate().changed.notify_all();
}

inline int waiting()
{
    std::lock_guard<std::mutex> hold(gate().lock);
    return gate().waiting;
}

inline const mediainfo::Api* api()
{
    static const mediainfo::Api binding = [] {
        mediainfo::Api a{};
        static int object = 0;
        a.New = [] { return static_cast<void*>(&object); };
        a.Delete = [](void*) {};
        a.Open = [](void*, const char*) -> size_t {
            std::unique_lock<std::mutex> hold(gate().lock);
            ++gate().waiting;
            gate().changed.wait_for(hold, std::chrono::minutes(1), [] { return gate().open; });
            --gate().waiting;
            return 0;
        };
        a.Option = [](void*, const char*, const char*) { return ""; };
        a.Inform = [](void*, size_t) { return "late report"; };
        a.Get = [](void*, int, size_t, const char*, int, int) { return "1234"; };
        a.Close = [](void*) {};
        return a;
    }();
    return &binding;
}

// A reader for MediaInfoRead that reads through the stuck binding.
inline mediainfo::MediaReport read(const std::string& path)
{
    mediainfo::MediaInfo info(api());
    return mediainfo::readMediaReport(info, path);
}

}  // namespace stuckmediainfo
