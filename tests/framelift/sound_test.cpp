// The sound branch: the volume scale, the mute toggle, and video playing on a machine with no
// sound device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "FrameliftClips.h"
#include "PlaybackGraph.h"
#include "VideoTexture.h"
#include "graph/SoundOutput.h"

using namespace framelift;

namespace {

// Hundredths of a decibel to the linear factor and back; -100 dB and below is silence.
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

// MuteSound toggles full volume and silence, and an attenuated level goes to full volume. A
// video without sound refuses the volume read and MuteSound leaves it alone.
TEST(Mute, TogglesBetweenFullAndSilence)
{
    VideoTexture h;
    ASSERT_TRUE(loadVideo(h, clips::h264Mp4().c_str(), 1, false));
    int32_t level = 1;
    for (int32_t expected : {0, -10000, 0}) {
        ASSERT_TRUE(h.graph->volume(level));
        EXPECT_EQ(level, expected);
        EXPECT_TRUE(MuteSound(&h));
    }
    h.graph->setVolume(-2000);
    MuteSound(&h);
    h.graph->volume(level);
    EXPECT_EQ(level, 0);

    ASSERT_TRUE(loadVideo(h, clips::timeRamp("ramp-2s.mkv", 2, false).c_str(), 1, false));
    EXPECT_FALSE(h.graph->hasSound());
    EXPECT_FALSE(h.graph->volume(level));
    EXPECT_TRUE(MuteSound(&h));
    freeVideo(h);
}

// SetSoundVolume scales the sound by a linear factor, refuses factors outside 0 to 1 and
// leaves the level as it was then; MuteSound still restores full volume, and a new load
// starts at full volume. Without video or sound there is nothing to set and it says yes.
TEST(SoundVolume, ALinearFactorWithinZeroToOne)
{
    clips::Handle h;
    EXPECT_TRUE(SetSoundVolume(h, 0.5)) << "nothing loaded";
    ASSERT_TRUE(LoadVideo(h, clips::h264Mp4().c_str(), 1, 0));
    VideoTexture& t = *h;
    int32_t level = 1;
    ASSERT_TRUE(SetSoundVolume(h, 0.1));
    ASSERT_TRUE(t.graph->volume(level));
    EXPECT_EQ(level, -2000);
    for (double bad : {-0.01, 1.01, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(SetSoundVolume(h, bad)) << bad;
    t.graph->volume(level);
    EXPECT_EQ(level, -2000) << "a refused factor leaves the level";
    EXPECT_TRUE(SetSoundVolume(h, 0.0));
    t.graph->volume(level);
    EXPECT_EQ(level, -10000);
    MuteSound(h);
    t.graph->volume(level);
    EXPECT_EQ(level, 0) << "from silence MuteSound gives full volume";

    SetSoundVolume(h, 0.1);
    ASSERT_TRUE(LoadVideo(h, clips::h264Mp4().c_str(), 1, 0));
    t.graph->volume(level);
    EXPECT_EQ(level, 0) << "a new load starts at full volume";

    ASSERT_TRUE(LoadVideo(h, clips::timeRamp("ramp-2s.mkv", 2, false).c_str(), 1, 0));
    EXPECT_TRUE(SetSoundVolume(h, 0.5)) << "a video without sound";
    EXPECT_FALSE(SetSoundVolume(nullptr, 0.5));
}

// With no sound server and no sound device the video still loads and plays.
TEST(NoSoundDevice, VideoStillPlays)
{
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse", 1);
    setenv("ALSA_CONFIG_PATH", "/nonexistent/alsa.conf", 1);
    setenv("PIPEWIRE_REMOTE", "/nonexistent/pipewire", 1);
    clips::Handle h;
    ASSERT_TRUE(LoadVideo(h, clips::h264Mp4().c_str(), 1, 0));
    Stop(h);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(clips::pixelNear(t, 512, 80, 60, clips::kRed));
}

}  // namespace
