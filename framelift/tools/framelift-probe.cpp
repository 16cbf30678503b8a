// framelift-probe [FILE]: loads a video through Framelift, plays it for a few seconds and
// reports its sizes, the frames received and how long things took. Without FILE it encodes
// a short clip of its own into a temporary folder and plays that.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "framelift.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kPlayFor = std::chrono::seconds(4);

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void printMessage(const char* text, void*)
{
    std::printf("library message: %s\n", text);
}

// Encodes a 640x480 clip with sound (H.264 and AAC in MP4); empty on failure.
std::string makeClip(const fs::path& dir)
{
    const fs::path clip = dir / "probe.mp4";
    const std::string command =
        "gst-launch-1.0 -q videotestsrc num-buffers=150 pattern=smpte ! "
        "video/x-raw,width=640,height=480,framerate=25/1 ! timeoverlay ! videoconvert ! "
        "x264enc ! mp4mux name=m ! filesink location='" + clip.string() + "' "
        "audiotestsrc num-buffers=260 wave=ticks ! audioconvert ! avenc_aac ! m. >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? clip.string() : std::string();
}

int probe(const std::string& path)
{
    std::printf("file: %s\n", path.c_str());
    SetMessageReceiver(printMessage, nullptr);
    VideoTexture* h = CreateVideoTexture();
    if (!h) {
        std::fprintf(stderr, "framelift-probe: no handle\n");
        return 1;
    }
    const auto loadStart = Clock::now();
    if (!LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0)) {
        std::printf("load: failed after %.1f ms (not a playable video)\n",
                    ms(Clock::now() - loadStart));
        DeleteVideoTexture(h);
        return 1;
    }
    const auto loaded = Clock::now();
    float m[16] = {};
    GetTexScalMatrix(h, m);
    std::printf("load: %.1f ms\n", ms(loaded - loadStart));
    std::printf("video: %d x %d (ratio %.4f)\n", GetVideoWidth(h), GetVideoHeight(h),
                GetVideoRatio(h));
    std::printf("texture: %d x %d, scale %.4f x %.4f\n", GetTexWidth(h), GetTexHeight(h), m[0],
                m[5]);

    Play(h);
    const uint8_t* last = GetTexture(h);
    const auto firstAt = Clock::now();
    if (!last) {
        std::printf("first frame: none within the wait\n");
        DeleteVideoTexture(h);
        return 1;
    }
    std::printf("first frame: %.1f ms after play (%.1f ms after the load began)\n",
                ms(firstAt - loaded), ms(firstAt - loadStart));

    // Feed as a player's drawing tick would, counting every newer frame served.
    int frames = 1;
    while (Clock::now() - firstAt < kPlayFor) {
        UpdateEvent(h);
        const uint8_t* texture = GetTexture(h);
        if (texture && texture != last)
            ++frames;
        last = texture;
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    const double played = ms(Clock::now() - firstAt) / 1000.0;
    std::printf("frames received: %d in %.2f s (%.1f a second)\n", frames, played,
                frames / played);

    const ImageBmpInfo snapshot = GetCurrentImageBmp(h);
    std::printf("snapshot: %d x %d, %d bytes\n", snapshot.width, snapshot.height,
                snapshot.byteCount);
    FreeImageBmp(snapshot.data);
    Stop(h);
    FreeVideo(h);
    DeleteVideoTexture(h);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "-h" ||
                                   std::string(argv[1]) == "--help"))) {
        std::fprintf(stderr, "usage: framelift-probe [FILE]\n"
                             "Plays FILE (or a clip it makes) for a few seconds through "
                             "Framelift and reports what it got.\n");
        return 2;
    }
    if (argc == 2)
        return probe(argv[1]);

    char pattern[] = "/tmp/framelift-probe-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("framelift-probe: mkdtemp");
        return 1;
    }
    const fs::path dir = pattern;
    std::printf("no file given: encoding a test clip...\n");
    const std::string clip = makeClip(dir);
    const int result = clip.empty() ? 1 : probe(clip);
    if (clip.empty())
        std::fprintf(stderr, "framelift-probe: could not encode a test clip (gst-launch-1.0)\n");
    fs::remove_all(dir);
    return result;
}
