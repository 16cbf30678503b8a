// The mixer objects against a real PulseAudio server of the test's own, read back with pactl:
// the mute switch, per-channel volumes and their bounds, following the default sink onto a
// mono one, no server at all, a server that goes away and comes back, and one that hangs.
#include "Eventually.h"
#include "MixerControls.h"
#include "PrivatePulseServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Volumes = std::vector<int>;

class MixerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        pulse = new PrivatePulseServer;
        ASSERT_TRUE(pulse->start());
    }
    static void TearDownTestSuite()
    {
        delete pulse;
        pulse = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(pulse->start());
        pulse->useForThisProcess();
        pulse->pactl({QStringLiteral("set-default-sink"), QString::fromLatin1(PrivatePulseServer::kSink)});
        pulse->setMuted(false);
        pulse->setVolumes({QStringLiteral("65536"), QStringLiteral("65536")});
    }

    static PrivatePulseServer* pulse;
};

PrivatePulseServer* MixerTest::pulse = nullptr;

TEST_F(MixerTest, MuteSwitchesTheDefaultSink)
{
    CMixerMuteControl mute;
    EXPECT_EQ(mute.Open(), 0);
    EXPECT_TRUE(mute.isOpen());
    EXPECT_TRUE(mute.SetMute(1));
    EXPECT_TRUE(pulse->isMuted());
    EXPECT_TRUE(mute.SetMute(1));  // muting a muted sink leaves it muted
    EXPECT_TRUE(pulse->isMuted());
    EXPECT_TRUE(mute.SetMute(0));
    EXPECT_FALSE(pulse->isMuted());
}

TEST_F(MixerTest, VolumesAreReadAndWrittenPerChannelWithinTheBounds)
{
    CMixerVolumeControl volume;
    EXPECT_EQ(volume.Open(), 0);
    EXPECT_EQ(volume.minimum(), 0);
    EXPECT_EQ(volume.maximum(), 65536);

    pulse->setVolumes({QStringLiteral("20000"), QStringLiteral("40000")});
    int left = 0, right = 0;
    ASSERT_EQ(volume.GetValues(left, right), 1);
    EXPECT_EQ(left, 20000);
    EXPECT_EQ(right, 40000);
    EXPECT_EQ(volume.channels(), 2);
    EXPECT_EQ(volume.name(), PrivatePulseServer::kSink);

    EXPECT_EQ(volume.SetValues(30000, 50000), 0);
    EXPECT_EVENTUALLY(pulse->volumes() == (Volumes{30000, 50000}));
    // Out of range, each channel is held at its bound.
    EXPECT_EQ(volume.SetValues(70000, -5), 0);
    EXPECT_EVENTUALLY(pulse->volumes() == (Volumes{65536, 0}));
}

TEST_F(MixerTest, FollowsTheDefaultSinkOntoAMonoLine)
{
    const QString mono = QStringLiteral("velmora_mono");
    const QString module = pulse->pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                         QStringLiteral("sink_name=velmora_mono"),
                                         QStringLiteral("channels=1")})
                               .trimmed();
    ASSERT_FALSE(module.isEmpty());
    CMixerMuteControl mute;
    CMixerVolumeControl volume;
    mute.Open();
    volume.Open();

    pulse->pactl({QStringLiteral("set-default-sink"), mono});
    pulse->setVolumes({QStringLiteral("30000")}, mono);
    EXPECT_TRUE(mute.SetMute(1));
    EXPECT_TRUE(pulse->isMuted(mono));
    EXPECT_FALSE(pulse->isMuted());
    int left = 0, right = 0;
    ASSERT_EQ(volume.GetValues(left, right), 1);
    EXPECT_EQ(left, 30000);
    EXPECT_EQ(right, -1);  // a mono line has no right channel
    EXPECT_EQ(volume.channels(), 1);
    EXPECT_EQ(volume.SetValues(12345, 60000), 0);
    EXPECT_EVENTUALLY(pulse->volumes(mono) == (Volumes{12345}));
    EXPECT_EQ(pulse->volumes(), (Volumes{65536, 65536}));

    // Back on the stereo sink, without reading first: writes follow the default there.
    pulse->pactl({QStringLiteral("set-default-sink"), QString::fromLatin1(PrivatePulseServer::kSink)});
    // Until the client hears of the change, a write may still reach the mono line.
    EXPECT_EVENTUALLY((volume.SetValues(1000, 2000), pulse->volumes() == (Volumes{1000, 2000})));
    pulse->pactl({QStringLiteral("unload-module"), module});
}

TEST_F(MixerTest, WithNoServerNothingHappensAndNothingBreaks)
{
    pulse->useNoServer();
    CMixerMuteControl mute;
    CMixerVolumeControl volume;
    EXPECT_NE(mute.Open(), 0);
    EXPECT_NE(volume.Open(), 0);
    EXPECT_FALSE(mute.isOpen());
    EXPECT_FALSE(mute.SetMute(1));
    int left = 0, right = 0;
    EXPECT_EQ(volume.GetValues(left, right), -1);
    EXPECT_EQ(left, -1);
    EXPECT_EQ(right, -1);
    EXPECT_EQ(volume.SetValues(100, 100), -1);
    EXPECT_FALSE(pulse->isMuted());

    // Objects that were never opened hold nothing either.
    CMixerMuteControl unopened;
    EXPECT_FALSE(unopened.SetMute(1));
    CMixerVolumeControl unopenedVolume;
    EXPECT_EQ(unopenedVolume.GetValues(left, right), -1);
}

TEST_F(MixerTest, AServerThatGoesAwayAndComesBackIsUsedAgain)
{
    CMixerMuteControl mute;
    CMixerVolumeControl volume;
    ASSERT_EQ(mute.Open(), 0);
    ASSERT_EQ(volume.Open(), 0);

    pulse->stop();
    EXPECT_FALSE(mute.SetMute(1));
    int left = 0, right = 0;
    EXPECT_EQ(volume.GetValues(left, right), -1);
    EXPECT_EVENTUALLY(!mute.isOpen() && !volume.isOpen());
    EXPECT_EQ(volume.SetValues(100, 100), -1);

    ASSERT_TRUE(pulse->start());
    EXPECT_EVENTUALLY(mute.isOpen() && volume.isOpen());
    EXPECT_TRUE(mute.SetMute(1));
    EXPECT_TRUE(pulse->isMuted());
    pulse->setVolumes({QStringLiteral("22222"), QStringLiteral("33333")});
    ASSERT_EQ(volume.GetValues(left, right), 1);
    EXPECT_EQ(left, 22222);
    EXPECT_EQ(right, 33333);
}

TEST_F(MixerTest, AHungServerCostsOnlyABoundedWait)
{
    CMixerMuteControl mute;
    CMixerVolumeControl volume;
    ASSERT_EQ(mute.Open(), 0);
    ASSERT_EQ(volume.Open(), 0);
    int left = 0, right = 0;
    ASSERT_EQ(volume.GetValues(left, right), 1);

    pulse->freeze();
    // Both calls come back although the server answers nothing. The mute request was sent,
    // so it counts as done; a reading that never came is none.
    EXPECT_TRUE(mute.SetMute(1));
    EXPECT_EQ(volume.GetValues(left, right), -1);
    pulse->thaw();

    // The server carries out what it was sent, and answers again.
    EXPECT_EVENTUALLY(pulse->isMuted());
    EXPECT_EVENTUALLY(volume.GetValues(left, right) == 1);
}

}  // namespace
