// framelift-probe FILE: loads a video through Framelift, plays it for a few seconds and
// reports its sizes, the frames received and how long things took.
#include <chrono>
#include <cstdio>
#include <thread>

#include "framelift.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: framelift-probe FILE\n");
        return 2;
    }
    VideoTexture* h = CreateVideoTexture();
    const auto start = std::chrono::steady_clock::now();
    if (!LoadVideo(h, argv[1], FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0)) {
        std::fprintf(stderr, "framelift-probe: cannot load %s\n", argv[1]);
        DeleteVideoTexture(h);
        return 1;
    }
    Play(h);
    uint8_t* first = GetTexture(h);
    const auto firstAt = std::chrono::steady_clock::now();
    std::printf("video %dx%d texture %dx%d first frame %s after %.1f ms\n", GetVideoWidth(h),
                GetVideoHeight(h), GetTexWidth(h), GetTexHeight(h), first ? "arrived" : "missing",
                std::chrono::duration<double, std::milli>(firstAt - start).count());
    int frames = first ? 1 : 0;
    uint8_t* last = first;
    while (std::chrono::steady_clock::now() - firstAt < std::chrono::seconds(3)) {
        UpdateEvent(h);
        uint8_t* t = GetTexture(h);
        if (t && t != last)
            ++frames;
        last = t;
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    std::printf("frames received: %d\n", frames);
    Stop(h);
    DeleteVideoTexture(h);
    return 0;
}
