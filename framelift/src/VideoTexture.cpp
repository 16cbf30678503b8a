#include "VideoTexture.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "TextureFilter.h"
#include "graph/SoundOutput.h"
#include "graph/SubtitleFile.h"

namespace framelift {
namespace {

std::atomic<int64_t> libraryResumePosition{0};

constexpr std::chrono::milliseconds kEventWait{1};
constexpr double kMediaUnitsPerSecond = 1e7;

}  // namespace

bool ensureMediaPipeline()
{
    // gst_init_check is idempotent; GStreamer stays initialised for the life of the process.
    static const bool ready = gst_init_check(nullptr, nullptr, nullptr);
    return ready;
}

int64_t resumePosition()
{
    return libraryResumePosition.load();
}

void setResumePosition(int64_t mediaTime)
{
    libraryResumePosition.store(mediaTime);
}

void play(VideoTexture& h)
{
    if (!h.servicesHeld)
        return;
    h.graph->setCurrentPosition(resumePosition());
    h.graph->run();
}

void pause(VideoTexture& h)
{
    if (!h.servicesHeld)
        return;
    h.graph->pause();
    int64_t position = 0;
    if (h.graph->currentPosition(position))
        setResumePosition(position);
}

void stop(VideoTexture& h)
{
    if (!h.servicesHeld)
        return;
    h.graph->stop();
    setResumePosition(0);
}

void gotoTime(VideoTexture& h, double seconds)
{
    if (h.servicesHeld)
        h.graph->setCurrentSeconds(seconds);
}

bool stepFrame(VideoTexture& h, int32_t frames, double* seconds)
{
    int64_t frameStart = 0;
    if (!h.servicesHeld || !h.graph->stepFrames(frames, frameStart))
        return false;
    // Play goes on from the frame stepped to, as it goes on from where a pause stood.
    int64_t position = 0;
    if (h.graph->currentPosition(position))
        setResumePosition(position);
    if (seconds)
        *seconds = static_cast<double>(frameStart) / kMediaUnitsPerSecond;
    return true;
}

bool updateEvent(VideoTexture& h)
{
    if (!h.servicesHeld)
        return false;
    int32_t code = 0;
    while (h.graph->nextEvent(code, kEventWait)) {
        if (code == EventComplete)
            h.graph->setCurrentSeconds(0.0);  // loop: the graph keeps running
    }
    return true;
}

void muteSound(VideoTexture& h)
{
    int32_t level = 0;
    if (!h.servicesHeld || !h.graph->volume(level))
        return;  // a graph without sound refuses the read
    h.graph->setVolume(level == 0 ? kSilenceHundredthsDb : 0);
}

bool setSoundVolume(VideoTexture& h, double factor)
{
    if (!std::isfinite(factor) || factor < 0.0 || factor > 1.0)
        return false;
    if (h.servicesHeld)
        h.graph->setVolumeFactor(factor);  // a graph without sound has nothing to set
    return true;
}

bool setRate(VideoTexture& h, double rate)
{
    return !h.servicesHeld || h.graph->setRate(rate);
}

bool loadSubtitleFile(VideoTexture& h, const char* path)
{
    return h.servicesHeld && path && subtitleFileLooksSane(path) && h.graph->useSubtitleFile(path);
}

bool showSubtitles(VideoTexture& h, bool shown)
{
    if (!h.servicesHeld)
        return false;
    h.graph->showSubtitles(shown);
    return true;
}

ImageBmpInfo currentImageBmp(VideoTexture& h)
{
    ImageBmpInfo info{};
    if (!h.servicesHeld || !h.filter)
        return info;
    const TextureGeometry g = textureImageOf(h.filter).geometry();
    info.width = g.videoWidth;
    info.height = g.videoHeight;
    const std::vector<uint8_t> dib = lastFrameAsDib(h.filter);
    if (dib.empty())
        return info;  // nothing presented yet
    info.data = static_cast<uint8_t*>(std::malloc(dib.size()));
    if (!info.data)
        return info;
    std::memcpy(info.data, dib.data(), dib.size());
    info.byteCount = static_cast<int32_t>(dib.size());
    return info;
}

}  // namespace framelift
