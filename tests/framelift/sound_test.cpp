// The sound branch: the volume scale, the mute toggle, and video playing on a machine with no
// sound device.
#include <gtest/gtest.h>

#include <cstdlib>

#include "FrameliftClips.h"
#include "PlaybackGraph.h"
#include "VideoTexture.h"
#include "framelift.h"
#include "graph/SoundOutput.h"

using namespace framelift;

namespace {

std::string withSound()
{
    return clips::quadrants({"quad-h264-aac.mp4", 320, 240, 50, "x264enc", "avenc_aac", "mp4mux"});
}

// Hundredths of a decibel to the linear factor and back.
TEST(VolumeScale, HundredthsOfADecibel)
{
    EXPECT_DOUBLE_EQ(linearFromHundredthsDb(0), 1.0);
    EXPECT_NEAR(linearFromHundredthsDb(-2000), 0.1, 1e-12);
    EXPECT_EQ(linearFromHundredthsDb(-10000), 0.0);
    EXPECT_EQ(linearFromHundredthsDb(-20000), 0.0);
    EXPECT_EQ(hundredthsDbFromLinear(1.0), 0);
    EXPECT_EQ(hundredthsDbFromLinear(0.1), -2000);
    EXPECT_EQ(hundredthsDbFromLinear(0.0), -10000);
    EXPECT_EQ(hundredthsDbFromLinear(1e-9), -10000);
}

// MuteSound toggles full volume and silence; an attenuated level goes to full volume.
TEST(Mute, TogglesBetweenFullAndSilence)
{
    VideoTexture h;
    ASSERT_TRUE(loadVideo(h, withSound().c_str(), 1, false));
    int32_t level = 1;
    ASSERT_TRUE(h.graph->volume(level));
    EXPECT_EQ(level, 0);
    EXPECT_TRUE(MuteSound(&h));
    h.graph->volume(level);
    EXPECT_EQ(level, -10000);
    MuteSound(&h);
    h.graph->volume(level);
    EXPECT_EQ(level, 0);
    h.graph->setVolume(-2000);
    MuteSound(&h);
    h.graph->volume(level);
    EXPECT_EQ(level, 0);
    freeVideo(h);
}

// A video without sound refuses the volume read, and MuteSound leaves it alone.
TEST(Mute, SilentVideoHasNoVolume)
{
    VideoTexture h;
    ASSERT_TRUE(loadVideo(h, clips::timeRamp("ramp-2s.mkv", 2, false).c_str(), 1, false));
    int32_t level = 1;
    EXPECT_FALSE(h.graph->volume(level));
    EXPECT_TRUE(MuteSound(&h));
    EXPECT_FALSE(h.graph->hasSound());
    freeVideo(h);
}

// With no sound server and no sound device the video still loads and plays.
TEST(NoSoundDevice, VideoStillPlays)
{
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse", 1);
    setenv("ALSA_CONFIG_PATH", "/nonexistent/alsa.conf", 1);
    setenv("PIPEWIRE_REMOTE", "/nonexistent/pipewire", 1);
    VideoTexture* h = CreateVideoTexture();
    ASSERT_TRUE(LoadVideo(h, withSound().c_str(), 1, 0));
    Stop(h);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(clips::pixelNear(t, 512, 80, 60, clips::kRed));
    DeleteVideoTexture(h);
}

}  // namespace
