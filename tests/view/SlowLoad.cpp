#include "SlowLoad.h"

#include "TestMedia.h"

#include <framelift.h>

#include <condition_variable>
#include <map>
#include <mutex>

#include <unistd.h>

namespace slowload {
namespace {

using Clock = std::chrono::steady_clock;

// The held files, each with the time it lets go by itself.
struct Held {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::string, Clock::time_point> files;
};

Held& held()
{
    static Held h;
    return h;
}

}  // namespace

SlowFile::SlowFile(const std::string& name, std::chrono::milliseconds latest)
    : path(testmedia::writeFile("slow-load-" + name + "-" + std::to_string(::getpid()) + ".avi",
                                "not a video\n"))
{
    std::lock_guard<std::mutex> lock(held().mutex);
    held().files[path] = Clock::now() + latest;
}

SlowFile::~SlowFile()
{
    letGo();
    ::unlink(path.c_str());
}

void SlowFile::letGo()
{
    {
        std::lock_guard<std::mutex> lock(held().mutex);
        held().files.erase(path);
    }
    held().changed.notify_all();
}

}  // namespace slowload

using slowload::held;

extern "C" bool __real_LoadVideo(VideoTexture* h, const char* path, int32_t mode, int32_t ff);

// The linker sends the player's LoadVideo calls here.
extern "C" bool __wrap_LoadVideo(VideoTexture* h, const char* path, int32_t mode, int32_t ff)
{
    if (path) {
        std::unique_lock<std::mutex> lock(held().mutex);
        const auto file = held().files.find(path);
        if (file != held().files.end()) {
            const auto latest = file->second;
            held().changed.wait_until(lock, latest, [path] { return !held().files.count(path); });
        }
    }
    return __real_LoadVideo(h, path, mode, ff);
}
