// Play, Pause, Stop, seeking, rate and the loop at the end, read back from the time each
// served frame shows (a time-ramp clip's grey level); loading again and freeing.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "FrameliftClips.h"

using clips::Handle;
using clips::feedUntil;
using clips::nextFrame;
using clips::rampSeconds;

namespace {

constexpr double kSlack = 0.5;  // seconds of tolerance when reading a frame's time

// Loads a time ramp and plays it from its start (the resume position is library-wide).
void playFromStart(VideoTexture* h, const std::string& path, int mode = FRAMELIFT_SIZE_EXACT)
{
    ASSERT_TRUE(LoadVideo(h, path.c_str(), mode, 0));
    Stop(h);
    ASSERT_TRUE(Play(h));
}

// Plays until a frame at `seconds` or later is served; returns that frame's time.
double playUntil(VideoTexture* h, double seconds)
{
    double shown = -1;
    feedUntil(h, [&](const uint8_t* t) { return (shown = rampSeconds(t)) >= seconds; });
    return shown;
}

// Takes whatever frame is waiting, so that the next new frame is one presented later.
const uint8_t* settle(VideoTexture* h)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return GetTexture(h);
}

// Pause holds the picture; a seek while paused is ignored and Play resumes where the pause
// was. GotoTime moves a playing video to the given second and it plays on from there; Restart
// and Stop then Play go back to the start.
TEST(Control, PauseSeekRestartAndStop)
{
    Handle h;
    playFromStart(h, clips::timeRamp("ramp-10s.mkv", 10, false));
    ASSERT_GE(playUntil(h, 2.0), 2.0);
    ASSERT_TRUE(Pause(h));
    const uint8_t* paused = settle(h);
    ASSERT_NE(paused, nullptr);
    const double pausedAt = rampSeconds(paused);
    EXPECT_EQ(settle(h), paused) << "a paused graph serves no new frame";
    GotoTime(h, 7.0);
    const uint8_t* before = settle(h);
    ASSERT_TRUE(Play(h));
    const uint8_t* resumed = nextFrame(h, before);
    ASSERT_NE(resumed, nullptr);
    EXPECT_NEAR(rampSeconds(resumed), pausedAt, kSlack);

    ASSERT_TRUE(GotoTime(h, 6.0));
    double shown = -1;
    ASSERT_TRUE(feedUntil(h, [&](const uint8_t* t) {
        shown = rampSeconds(t);
        return shown >= 6.0 - kSlack;
    }));
    EXPECT_LT(shown, 6.0 + 2 * kSlack) << "a seek, not fast playback";
    ASSERT_TRUE(Restart(h));
    ASSERT_TRUE(feedUntil(h, [](const uint8_t* t) { return rampSeconds(t) < 1.0; }));
    ASSERT_GE(playUntil(h, 2.0), 2.0);
    ASSERT_TRUE(Stop(h));
    const uint8_t* stopped = settle(h);
    Play(h);
    const uint8_t* first = nextFrame(h, stopped);
    ASSERT_NE(first, nullptr);
    EXPECT_LT(rampSeconds(first), kSlack);
}

// How far the video's time moves while the wall clock moves about two seconds.
double mediaSecondsPerSecond(VideoTexture* h)
{
    const double from = rampSeconds(settle(h));
    const auto began = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    double to = from;
    feedUntil(h, [&](const uint8_t* t) {
        to = rampSeconds(t);
        return true;
    });
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return (to - from) / wall;
}

// SetRate speeds a video up and back down, with or without sound in the graph (the sound is
// stretched to keep its pitch).
TEST(Control, RateChanges)
{
    for (bool withSound : {false, true}) {
        SCOPED_TRACE(withSound ? "with sound" : "silent");
        Handle h;
        playFromStart(h, clips::timeRamp(withSound ? "ramp-20s-sound.mkv" : "ramp-20s.mkv", 20,
                                         withSound));
        // Past the start, where a sound server may still be filling its buffers.
        ASSERT_GE(playUntil(h, 2.0), 2.0);
        ASSERT_TRUE(SetRate(h, 2.5));
        // Rate 2.5: far more than normal speed even on a busy machine.
        EXPECT_GT(mediaSecondsPerSecond(h), 1.6);
        ASSERT_TRUE(SetRate(h, 1.0));
        ASSERT_TRUE(GotoTime(h, 0.0));
        EXPECT_LT(mediaSecondsPerSecond(h), 1.4);
    }
}

// At the end of the stream UpdateEvent rewinds to the start and the video plays on.
TEST(Control, LoopsAtTheEnd)
{
    Handle h;
    playFromStart(h, clips::timeRamp("ramp-2s.mkv", 2, false));
    ASSERT_GE(playUntil(h, 1.6), 1.6);
    EXPECT_TRUE(feedUntil(h, [](const uint8_t* t) { return rampSeconds(t) < 0.5; }))
        << "no rewind after the end";
    EXPECT_GE(playUntil(h, 1.0), 1.0) << "does not play on after the rewind";
}

void expectNoVideo(VideoTexture* h)
{
    EXPECT_LE(GetVideoWidth(h), 0);
    EXPECT_LE(GetTexHeight(h), 0);
    EXPECT_EQ(GetVideoRatio(h), 1.0f);
    EXPECT_EQ(GetTexture(h), nullptr);
    EXPECT_FALSE(UpdateEvent(h));
}

// A second load on the same handle replaces the running video; a failed load leaves no trace of
// the one before; FreeVideo empties the handle. Repeated with new handles, with sound and video
// and a snapshot, so that the sanitizer build's leak checker reports anything left behind.
TEST(Lifecycle, SecondLoadFailedLoadFreeAndRepeat)
{
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        Handle h;
        playFromStart(h, clips::timeRamp("ramp-2s.mkv", 2, false), FRAMELIFT_SIZE_POWER_OF_TWO_UP);
        EXPECT_EQ(GetVideoWidth(h), 64);
        ASSERT_NE(GetTexture(h), nullptr);

        playFromStart(h, clips::h264Mp4(), FRAMELIFT_SIZE_POWER_OF_TWO_UP);
        EXPECT_EQ(GetVideoWidth(h), 320);
        EXPECT_EQ(GetVideoHeight(h), 240);
        EXPECT_EQ(GetTexWidth(h), 512);
        const uint8_t* t = GetTexture(h);
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(clips::pixelNear(t, 512, 80, 60, clips::kRed));
        FreeImageBmp(GetCurrentImageBmp(h).data);

        ASSERT_FALSE(LoadVideo(h, "/nonexistent/clip.avi", 1, 0));
        expectNoVideo(h);
        playFromStart(h, clips::mpeg4Avi());
        ASSERT_TRUE(FreeVideo(h));
        expectNoVideo(h);
    }
}

}  // namespace
