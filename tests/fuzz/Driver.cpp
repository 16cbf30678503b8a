#include "Driver.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <dlfcn.h>
#include <execinfo.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "GLibWatch.h"
#include "StreamingThreads.h"
#include "framelift.h"

namespace campaign {
namespace {

using Clock = std::chrono::steady_clock;

pthread_t callerThread;
std::atomic<const char*> currentStep{"start"};

// One line in one write, so that lines from GLib's threads never interleave with ours.
void line(std::string text)
{
    for (char& c : text)
        c = c == '\n' ? ' ' : c;
    text += '\n';
    ssize_t ignored = ::write(STDOUT_FILENO, text.data(), text.size());
    (void)ignored;
}

void step(const char* name)
{
    currentStep = name;
    line(std::string("step ") + name);
}

// Whether the library's code is on the current thread's stack (its texture filter runs on the
// streaming threads). With `show` the stack goes to standard error for whoever reads the log.
bool libraryOnStack(bool show)
{
    void* frames[64];
    const int count = backtrace(frames, 64);
    bool found = false;
    for (int i = 0; i < count; ++i) {
        Dl_info info;
        if (dladdr(frames[i], &info) && info.dli_fname &&
            std::string(info.dli_fname).find("libFramelift") != std::string::npos)
            found = true;
    }
    if (show)
        backtrace_symbols_fd(frames, count, STDERR_FILENO);
    return found;
}

// A critical or warning is ours when it comes from inside one of our calls on the caller's
// thread, or from the library's own code on a streaming thread; otherwise a plugin raised it
// on its own thread.
void noteGLibProblem(const glibwatch::Problem& p)
{
    static std::atomic<int> count{0};
    const bool show = count++ < 5;
    const bool ours = libraryOnStack(show) || pthread_equal(pthread_self(), callerThread);
    line(std::string("glib ") + (p.critical ? "critical " : "warning ") +
         (ours ? "ours " : "elsewhere ") + "step=" + currentStep.load() + " " + p.domain + ": " +
         p.text);
}

void noteMessage(const char* text, void*)
{
    line(std::string("message ") + text);
}

struct Session {
    VideoTexture* h = nullptr;
    bool noFrame = false;  // once GetTexture gave none, later calls would each wait for one
};

// Takes the newest texture and reads all of it, as an upload would.
void touchTexture(Session& s)
{
    if (s.noFrame)
        return;
    step("GetTexture");
    const uint8_t* t = GetTexture(s.h);
    if (!t) {
        s.noFrame = true;
        line("frame none");
        return;
    }
    const int32_t w = GetTexWidth(s.h), h = GetTexHeight(s.h);
    if (w <= 0 || h <= 0)
        return;
    unsigned sum = 0;
    for (size_t i = 0, n = static_cast<size_t>(w) * static_cast<size_t>(h) * 3; i < n; ++i)
        sum += t[i];
    volatile unsigned keep = sum;
    (void)keep;
}

// A drawing tick's UpdateEvent every 20 ms for `ms` milliseconds.
void feed(Session& s, int ms)
{
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until) {
        step("UpdateEvent");
        UpdateEvent(s.h);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void snapshot(Session& s)
{
    step("GetCurrentImageBmp");
    const ImageBmpInfo bmp = GetCurrentImageBmp(s.h);
    if (bmp.data) {
        const int64_t rowBytes = (int64_t{bmp.width} * 3 + 3) / 4 * 4;
        const int64_t expected = 40 + rowBytes * bmp.height;
        unsigned sum = 0;
        for (int32_t i = 0; i < bmp.byteCount; ++i)
            sum += bmp.data[i];
        volatile unsigned keep = sum;
        (void)keep;
        if (bmp.width <= 0 || bmp.height <= 0 || bmp.byteCount != expected)
            line("snapshot bad width=" + std::to_string(bmp.width) + " height=" +
                 std::to_string(bmp.height) + " bytes=" + std::to_string(bmp.byteCount));
    }
    step("FreeImageBmp");
    FreeImageBmp(bmp.data);
}

}  // namespace

int drive(const std::string& path)
{
    // Lets a debugger started by the campaign attach to this process when it hangs.
    prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY, 0, 0, 0);
    callerThread = pthread_self();
    glibwatch::watch(noteGLibProblem);
    SetMessageReceiver(noteMessage, nullptr);

    Session s;
    step("CreateVideoTexture");
    s.h = CreateVideoTexture();
    if (!s.h) {
        line("no handle");
        return 3;
    }
    step("LoadVideo");
    const auto began = Clock::now();
    const bool loaded = LoadVideo(s.h, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    char text[160];
    std::snprintf(text, sizeof text, "load ok=%d ms=%.1f video=%dx%d texture=%dx%d", loaded, ms,
                  GetVideoWidth(s.h), GetVideoHeight(s.h), GetTexWidth(s.h), GetTexHeight(s.h));
    line(text);

    step("Play");
    Play(s.h);
    touchTexture(s);
    feed(s, 200);
    step("GotoTime(1)");
    GotoTime(s.h, 1.0);
    touchTexture(s);
    step("Pause");
    Pause(s.h);
    feed(s, 60);
    step("Play");
    Play(s.h);
    touchTexture(s);
    feed(s, 100);
    step("SetRate(2)");
    SetRate(s.h, 2.0);
    float matrix[16];
    step("GetTexScalMatrix");
    GetTexScalMatrix(s.h, matrix);
    feed(s, 150);
    step("GotoTime(1e6)");
    GotoTime(s.h, 1e6);
    feed(s, 100);
    step("GotoTime(0.2)");
    GotoTime(s.h, 0.2);
    touchTexture(s);
    snapshot(s);
    step("Stop");
    Stop(s.h);
    step("FreeVideo");
    FreeVideo(s.h);
    step("DeleteVideoTexture");
    DeleteVideoTexture(s.h);
    step("exit");
    streamingthreads::stopAll();
    line("done");
    return 0;
}

}  // namespace campaign
