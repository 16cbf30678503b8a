// A clip with sound and video plays through the library while the sound server of the test's
// own is killed and started again on the same socket: the frames go on arriving and the
// mixer objects reach the new server.
#include "Eventually.h"
#include "FrameliftClips.h"
#include "MixerControls.h"
#include "PrivatePulseServer.h"

#include <gtest/gtest.h>

namespace {

// Whether the player's stream is one of the server's sink inputs.
bool playsOn(const PrivatePulseServer& pulse)
{
    return !pulse.pactl({QStringLiteral("list"), QStringLiteral("short"),
                         QStringLiteral("sink-inputs")})
                .trimmed()
                .isEmpty();
}

// Waits for `count` new frames in turn; false when one does not come.
bool framesKeepComing(VideoTexture* h, const uint8_t*& last, int count)
{
    for (int i = 0; i < count; ++i) {
        const uint8_t* next = clips::nextFrame(h, last);
        if (!next)
            return false;
        last = next;
    }
    return true;
}

class SoundServerRestart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pulse.start());
        pulse.useForThisProcess();
        pulse.setMuted(false);
    }

    PrivatePulseServer pulse;
};

TEST_F(SoundServerRestart, PictureGoesOnAndSoundAndMixerComeBack)
{
    clips::Handle h;
    ASSERT_TRUE(LoadVideo(h, clips::timeRamp("ramp-sound-40s.mkv", 40, true).c_str(), 1, 0));
    ASSERT_TRUE(Play(h));
    const uint8_t* last = GetTexture(h);
    ASSERT_NE(last, nullptr);
    ASSERT_EVENTUALLY(playsOn(pulse));

    CMixerMuteControl mute;
    ASSERT_EQ(mute.Open(), 0);

    // The server dies under the playing clip: no frame is lost for it.
    pulse.stop();
    const double killedAt = clips::rampSeconds(last);
    EXPECT_TRUE(framesKeepComing(h, last, 25));
    EXPECT_TRUE(clips::feedUntil(
        h, [&](const uint8_t* t) { return clips::rampSeconds(t) > killedAt + 1.0; }));
    EXPECT_EVENTUALLY(!mute.isOpen());
    EXPECT_TRUE(framesKeepComing(h, last, 10));

    // A new server on the same socket: the mixer reaches it, and the picture never stopped.
    ASSERT_TRUE(pulse.start());
    EXPECT_EVENTUALLY(mute.isOpen());
    EXPECT_TRUE(mute.SetMute(1));
    EXPECT_TRUE(pulse.isMuted());
    EXPECT_TRUE(framesKeepComing(h, last, 25));
    EXPECT_TRUE(Stop(h));
}

}  // namespace
