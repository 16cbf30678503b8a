#include "Messages.h"

#include <cstdio>
#include <mutex>

namespace framelift {
namespace {

struct Receiver {
    std::mutex mutex;
    FrameliftMessageFn fn = nullptr;
    void* userData = nullptr;
};

Receiver& receiver()
{
    static Receiver r;
    return r;
}

}  // namespace

void setMessageReceiver(FrameliftMessageFn fn, void* userData)
{
    Receiver& r = receiver();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.fn = fn;
    r.userData = userData;
}

void showMessage(const char* text)
{
    FrameliftMessageFn fn;
    void* userData;
    {
        Receiver& r = receiver();
        std::lock_guard<std::mutex> lock(r.mutex);
        fn = r.fn;
        userData = r.userData;
    }
    if (fn) {
        fn(text, userData);
    } else {
        std::fprintf(stderr, "%s\n", text);
        std::fflush(stderr);
    }
}

}  // namespace framelift
