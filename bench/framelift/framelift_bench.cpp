// framelift-bench [CLIP]: on one 1920 by 1080 clip, measures
//   - the frames per second of a plain GStreamer pipeline that decodes and converts to BGR
//     into fakesink (the reference),
//   - the frames per second of Framelift decoding into its texture image, clock sync off,
//   - their ratio (goal: the medians' ratio at least 1.0, the texture path keeping up with
//     plain decoding), from several alternating runs of each,
//   - the time from LoadVideo to the first texture (normal, clock-synced playback).
// Without CLIP it encodes its own clip into a temporary folder.
#include <gst/gst.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PlaybackGraph.h"
#include "TextureFilter.h"
#include "VideoTexture.h"
#include "framelift.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRuns = 5;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double best(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

std::string makeClip(const fs::path& dir)
{
    const fs::path clip = dir / "bench-1920x1080.mp4";
    const std::string command =
        "gst-launch-1.0 -q videotestsrc num-buffers=300 pattern=smpte ! "
        "video/x-raw,width=1920,height=1080,framerate=30/1 ! videoconvert ! "
        "x264enc speed-preset=veryfast ! mp4mux ! filesink location='" + clip.string() + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return clip.string();
}

void countFrame(GstElement*, GstBuffer*, GstPad*, gpointer counter)
{
    ++*static_cast<int*>(counter);
}

bool waitForEnd(GstElement* pipeline)
{
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* m = gst_bus_timed_pop_filtered(
        bus, 120 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ended = m && GST_MESSAGE_TYPE(m) == GST_MESSAGE_EOS;
    if (m)
        gst_message_unref(m);
    gst_object_unref(bus);
    return ended;
}

// Frames per second of decode + convert to BGR into fakesink.
double referenceFps(const std::string& clip)
{
    GError* error = nullptr;
    const std::string description = "filesrc location=\"" + clip +
                                    "\" ! decodebin ! videoconvert ! video/x-raw,format=BGR ! "
                                    "fakesink name=sink sync=false signal-handoffs=true";
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    if (!pipeline) {
        std::fprintf(stderr, "reference pipeline: %s\n", error ? error->message : "?");
        g_clear_error(&error);
        return 0;
    }
    int frames = 0;
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
    g_signal_connect(sink, "handoff", G_CALLBACK(countFrame), &frames);
    gst_object_unref(sink);
    gst_element_set_state(pipeline, GST_STATE_PAUSED);
    gst_element_get_state(pipeline, nullptr, nullptr, 30 * GST_SECOND);
    frames = 0;  // the preroll frame is not part of the run
    const auto start = Clock::now();
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    const bool ended = waitForEnd(pipeline);
    const double elapsed = seconds(Clock::now() - start);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ended ? frames / elapsed : 0;
}

// Frames per second of Framelift decoding into its texture image, clock sync off.
double libraryFps(const std::string& clip)
{
    framelift::setTextureFilterClockSync(false);
    VideoTexture h;
    double fps = 0;
    if (framelift::loadVideo(h, clip.c_str(), framelift::SizePowerOfTwoUp, false)) {
        framelift::TextureImage& image = framelift::textureImageOf(h.filter);
        const uint64_t before = image.framesCopied();
        framelift::setResumePosition(0);
        const auto start = Clock::now();
        framelift::play(h);
        const bool ended = waitForEnd(h.graph->pipeline());
        const double elapsed = seconds(Clock::now() - start);
        if (ended)
            fps = static_cast<double>(image.framesCopied() - before) / elapsed;
    }
    framelift::freeVideo(h);
    framelift::setTextureFilterClockSync(true);
    return fps;
}

// Milliseconds from LoadVideo to the first texture, through the exported interface.
double firstTextureMs(const std::string& clip)
{
    VideoTexture* h = CreateVideoTexture();
    Stop(h);
    const auto start = Clock::now();
    double ms = -1;
    if (LoadVideo(h, clip.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0)) {
        Stop(h);
        Play(h);
        if (GetTexture(h))
            ms = seconds(Clock::now() - start) * 1000;
    }
    DeleteVideoTexture(h);
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    gst_init(&argc, &argv);
    fs::path tempDir;
    std::string clip;
    if (argc > 1) {
        clip = argv[1];
        std::error_code error;
        if (!fs::is_regular_file(clip, error)) {
            std::fprintf(stderr, "usage: framelift-bench [CLIP]\n%s is not a file\n",
                         clip.c_str());
            return 2;
        }
    } else {
        char pattern[] = "/tmp/framelift-bench-XXXXXX";
        if (!mkdtemp(pattern)) {
            std::perror("mkdtemp");
            return 1;
        }
        tempDir = pattern;
        std::printf("encoding a 1920x1080 H.264 clip of 300 frames...\n");
        clip = makeClip(tempDir);
        if (clip.empty()) {
            std::fprintf(stderr, "could not encode the clip\n");
            fs::remove_all(tempDir);
            return 1;
        }
    }

    std::vector<double> reference, library, first;
    for (int run = 0; run < kRuns; ++run) {
        reference.push_back(referenceFps(clip));
        library.push_back(libraryFps(clip));
        first.push_back(firstTextureMs(clip));
        std::printf("run %d: reference %.1f fps, Framelift %.1f fps, first texture %.1f ms\n",
                    run + 1, reference.back(), library.back(), first.back());
    }
    // The best run of each is the one least disturbed by other work on the machine; the
    // medians are printed beside them.
    const double ref = best(reference), lib = best(library);
    std::printf("\nclip: %s\n", clip.c_str());
    std::printf("reference decode+convert to BGR into fakesink: best %.1f fps, median %.1f\n", ref,
                median(reference));
    std::printf("Framelift decode to texture, sync off:          best %.1f fps, median %.1f\n", lib,
                median(library));
    std::printf("ratio Framelift / reference: %.3f of the best runs, %.3f of the medians "
                "(goal: medians >= 1.0)\n",
                ref > 0 ? lib / ref : 0.0, median(reference) > 0 ? median(library) / median(reference) : 0.0);
    std::printf("LoadVideo to first texture: median %.1f ms of %d\n", median(first), kRuns);
    if (!tempDir.empty())
        fs::remove_all(tempDir);
    return ref > 0 && lib > 0 ? 0 : 1;
}
