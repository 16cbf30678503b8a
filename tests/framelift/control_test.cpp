// Play, Pause, Stop, seeking, rate and the loop at the end, read back from the time each
// served frame shows (a time-ramp clip's grey level).
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "FrameliftClips.h"
#include "Playback.h"

using playback::Handle;
using playback::feedUntil;
using playback::nextFrame;

namespace {

constexpr double kSlack = 0.5;  // seconds of tolerance when reading a frame's time

std::string ramp()
{
    return clips::timeRamp("ramp-10s.mkv", 10, false);
}

// Plays until a frame at `seconds` or later is served; returns that frame's time.
double playUntil(VideoTexture* h, double seconds)
{
    double shown = -1;
    feedUntil(h, [&](const uint8_t* t) {
        shown = clips::rampSeconds(t);
        return shown >= seconds;
    });
    return shown;
}

// Takes whatever frame is waiting, so that the next new frame is one presented later.
const uint8_t* settle(VideoTexture* h)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return GetTexture(h);
}

// Pause then Play resumes where the pause was.
TEST(Control, PauseThenPlayResumes)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, ramp().c_str(), FRAMELIFT_SIZE_EXACT, 0));
    Stop(h);  // the resume position is library-wide: start from 0
    ASSERT_TRUE(Play(h));
    ASSERT_GE(playUntil(h, 2.0), 2.0);
    ASSERT_TRUE(Pause(h));
    const uint8_t* paused = settle(h);
    ASSERT_NE(paused, nullptr);
    const double pausedAt = clips::rampSeconds(paused);
    // A paused graph serves no new frame.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(GetTexture(h), paused);

    ASSERT_TRUE(Play(h));
    const uint8_t* resumed = nextFrame(h, paused);
    ASSERT_NE(resumed, nullptr);
    EXPECT_NEAR(clips::rampSeconds(resumed), pausedAt, kSlack);
}

// Pause, then GotoTime elsewhere, then Play: playback resumes at the paused position.
TEST(Control, PlayAfterPauseIgnoresAnInterveningSeek)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, ramp().c_str(), FRAMELIFT_SIZE_EXACT, 0));
    Stop(h);
    Play(h);
    ASSERT_GE(playUntil(h, 1.5), 1.5);
    Pause(h);
    const uint8_t* paused = settle(h);
    const double pausedAt = clips::rampSeconds(paused);
    GotoTime(h, 7.0);
    const uint8_t* before = settle(h);
    Play(h);
    const uint8_t* resumed = nextFrame(h, before);
    ASSERT_NE(resumed, nullptr);
    EXPECT_NEAR(clips::rampSeconds(resumed), pausedAt, kSlack);
}

// Stop then Play starts from the beginning.
TEST(Control, StopThenPlayStartsOver)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, ramp().c_str(), FRAMELIFT_SIZE_EXACT, 0));
    Play(h);
    ASSERT_GE(playUntil(h, 2.0), 2.0);
    ASSERT_TRUE(Stop(h));
    const uint8_t* stopped = settle(h);
    Play(h);
    const uint8_t* first = nextFrame(h, stopped);
    ASSERT_NE(first, nullptr);
    EXPECT_LT(clips::rampSeconds(first), kSlack);
}

// GotoTime moves a playing video to the given second and it plays on from there.
TEST(Control, GotoTimeSeeks)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, ramp().c_str(), FRAMELIFT_SIZE_EXACT, 0));
    Stop(h);  // resume position 0
    Play(h);
    ASSERT_NE(GetTexture(h), nullptr);
    ASSERT_TRUE(GotoTime(h, 6.0));
    double shown = -1;
    ASSERT_TRUE(feedUntil(h, [&](const uint8_t* t) {
        shown = clips::rampSeconds(t);
        return shown >= 6.0 - kSlack;
    }));
    EXPECT_LT(shown, 6.0 + 2 * kSlack) << "a seek, not fast playback";
    ASSERT_TRUE(Restart(h));
    ASSERT_TRUE(feedUntil(h, [](const uint8_t* t) { return clips::rampSeconds(t) < 1.0; }));
}

// Measures how far the video's time moves while the wall clock moves about two seconds.
double mediaSecondsPerSecond(VideoTexture* h)
{
    const uint8_t* start = settle(h);
    const double from = clips::rampSeconds(start);
    const auto began = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    double to = from;
    feedUntil(h, [&](const uint8_t* t) {
        to = clips::rampSeconds(t);
        return true;
    });
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return (to - from) / wall;
}

void expectRateChange(const std::string& path)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_EXACT, 0));
    Stop(h);
    Play(h);
    // Past the start, where a sound server may still be filling its buffers.
    ASSERT_GE(playUntil(h, 2.0), 2.0);
    ASSERT_TRUE(SetRate(h, 2.5));
    // Rate 2.5: far more than normal speed even on a busy machine.
    EXPECT_GT(mediaSecondsPerSecond(h), 1.6);
    ASSERT_TRUE(SetRate(h, 1.0));
    ASSERT_TRUE(GotoTime(h, 0.0));
    EXPECT_LT(mediaSecondsPerSecond(h), 1.4);
}

// SetRate speeds a video without sound up and back down.
TEST(Control, RateChangesSilentVideo)
{
    expectRateChange(clips::timeRamp("ramp-20s.mkv", 20, false));
}

// SetRate works with sound in the graph too (the sound is stretched to keep its pitch).
TEST(Control, RateChangesVideoWithSound)
{
    expectRateChange(clips::timeRamp("ramp-20s-sound.mkv", 20, true));
}

// At the end of the stream UpdateEvent rewinds to the start and the video plays on.
TEST(Control, LoopsAtTheEnd)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, clips::timeRamp("ramp-2s.mkv", 2, false).c_str(),
                          FRAMELIFT_SIZE_EXACT, 0));
    Stop(h);
    Play(h);
    ASSERT_GE(playUntil(h, 1.6), 1.6);
    EXPECT_TRUE(feedUntil(h, [](const uint8_t* t) { return clips::rampSeconds(t) < 0.5; }))
        << "no rewind after the end";
    EXPECT_GE(playUntil(h, 1.0), 1.0) << "does not play on after the rewind";
}

// A second load on the same handle replaces the first video; FreeVideo empties the handle.
TEST(Lifecycle, SecondLoadThenFree)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, clips::timeRamp("ramp-2s.mkv", 2, false).c_str(),
                          FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
    EXPECT_EQ(GetVideoWidth(h), 64);
    Play(h);
    ASSERT_NE(GetTexture(h), nullptr);

    const std::string second =
        clips::quadrants({"quad-mpeg4-mp3.avi", 320, 240, 50, "avenc_mpeg4", "lamemp3enc", "avimux"});
    ASSERT_TRUE(LoadVideo(h, second.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
    EXPECT_EQ(GetVideoWidth(h), 320);
    EXPECT_EQ(GetVideoHeight(h), 240);
    EXPECT_EQ(GetTexWidth(h), 512);
    Stop(h);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(clips::pixelNear(t, 512, 80, 60, clips::kRed));

    ASSERT_TRUE(FreeVideo(h));
    EXPECT_EQ(GetVideoWidth(h), 0);
    EXPECT_EQ(GetTexHeight(h), 0);
    EXPECT_EQ(GetVideoRatio(h), 1.0f);
    EXPECT_EQ(GetTexture(h), nullptr);
    EXPECT_FALSE(UpdateEvent(h));
}

// A failed second load leaves no trace of the first video.
TEST(Lifecycle, FailedSecondLoadForgetsTheFirst)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, clips::timeRamp("ramp-2s.mkv", 2, false).c_str(), 1, 0));
    ASSERT_FALSE(LoadVideo(h, "/nonexistent/clip.avi", 1, 0));
    EXPECT_NE(GetVideoWidth(h), 64);
    EXPECT_LE(GetTexWidth(h), 0);
    EXPECT_EQ(GetTexture(h), nullptr);
    EXPECT_FALSE(UpdateEvent(h));
}

// Repeated create, load, play and free cycles with sound and video: the sanitizer build's
// leak checker reports anything left behind at exit.
TEST(Lifecycle, RepeatedCyclesReleaseEverything)
{
    const std::string path =
        clips::quadrants({"quad-h264-aac.mp4", 320, 240, 50, "x264enc", "avenc_aac", "mp4mux"});
    for (int i = 0; i < 4; ++i) {
        VideoTexture* h = CreateVideoTexture();
        ASSERT_TRUE(LoadVideo(h, path.c_str(), 1, 0));
        Play(h);
        ASSERT_NE(GetTexture(h), nullptr);
        UpdateEvent(h);
        const ImageBmpInfo bmp = GetCurrentImageBmp(h);
        FreeImageBmp(bmp.data);
        ASSERT_TRUE(LoadVideo(h, path.c_str(), 0, 0));  // replaces the running graph
        Play(h);
        ASSERT_NE(GetTexture(h), nullptr);
        Stop(h);
        FreeVideo(h);
        DeleteVideoTexture(h);
    }
}

}  // namespace
