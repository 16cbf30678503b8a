// StepFrame on a paused video: a frame forward and back from where the picture stands, the
// frame stepped to reaching the texture image and the frame descriptor although the video stays
// paused, Play going on from it, steps that stop at the first and the last frame, and the
// refusals (a playing video, no video, a failed load, a null handle). The frame a texture shows
// is read from a frame-ramp clip's grey level.
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <string>

#include "BoundedCall.h"
#include "FrameliftClips.h"
#include "TestMedia.h"

namespace {

bool readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

void drain(int fd)
{
    uint64_t count = 0;
    while (read(fd, &count, sizeof count) == static_cast<ssize_t>(sizeof count)) {
    }
}

struct Ramp {
    const char* name;
    const char* codecs;
    bool sound;
};

void PrintTo(const Ramp& ramp, std::ostream* os)
{
    *os << ramp.name;
}

// Lossless frames with a sound stream beside them; and MPEG-4 with a key frame every eighth
// frame and none between, so that a step back decodes its frame from an earlier key frame.
const Ramp kRamps[] = {
    {"frame-ramp-ffv1-flac.mkv", "-c:v ffv1 -c:a flac", true},
    {"frame-ramp-mpeg4.avi", "-c:v mpeg4 -q:v 1 -g 8 -bf 0", false},
};

// What one StepFrame did.
struct Stepped {
    bool result = false;
    bool woke = false;   // the frame descriptor was readable when StepFrame returned
    bool fresh = false;  // GetTexture then gave a newer frame
    int frame = -1;      // the frame the texture shows
    double seconds = -1;
};

class FrameStep : public testing::TestWithParam<Ramp> {
protected:
    void SetUp() override
    {
        const Ramp& ramp = GetParam();
        const std::string path = clips::frameRamp(ramp.name, ramp.codecs, ramp.sound);
        ASSERT_TRUE(LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_EXACT, 0));
        texWidth = GetTexWidth(h);
        fd = GetFrameNotifier(h);
        ASSERT_GE(fd, 0);
    }

    Stepped step(int32_t frames)
    {
        drain(fd);
        Stepped s;
        VideoTexture* handle = h;
        double seconds = -1;
        s.result = bounded::call("StepFrame(" + std::to_string(frames) + ")",
                                 [handle, frames, &seconds] {
                                     return StepFrame(handle, frames, &seconds);
                                 });
        s.seconds = seconds;
        s.woke = readable(fd);
        const uint8_t* texture = GetTexture(h);
        s.fresh = texture && texture != last;
        last = texture;
        if (texture)
            s.frame = clips::rampFrame(texture, texWidth);
        return s;
    }

    clips::Handle h;
    int texWidth = 0;
    int fd = -1;
    const uint8_t* last = nullptr;
};

testing::AssertionResult landedOn(const char*, const char*, const Stepped& s,
                                  int frame)
{
    if (s.result && s.woke && s.fresh && s.frame == frame &&
        std::abs(s.seconds - frame * clips::kFrameRampLength) < 1e-6)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "expected frame " << frame << "; StepFrame gave " << s.result << " at "
           << s.seconds << " s, the descriptor " << (s.woke ? "woke" : "stayed quiet")
           << ", the texture " << (s.fresh ? "is new" : "is not new") << " and shows frame "
           << s.frame;
}

}  // namespace

// Paused while playing, the picture steps to the next frame and back, a frame at a time and
// several at once; Play then goes on from the frame stepped to.
TEST_P(FrameStep, StepsFromThePausedFrameAndPlayGoesOnFromThere)
{
    ASSERT_TRUE(Stop(h));
    ASSERT_TRUE(Play(h));
    ASSERT_TRUE(clips::feedUntil(h, [&](const uint8_t* t) { return clips::rampFrame(t, texWidth) >= 8; }));
    ASSERT_TRUE(Pause(h));
    last = GetTexture(h);
    ASSERT_NE(last, nullptr);
    const int paused = clips::rampFrame(last, texWidth);
    ASSERT_LE(paused, 20) << "played on too far to step around";

    const Stepped first = step(1);
    if (GetFrameCounts(h).dropped == 0) {
        EXPECT_PRED_FORMAT2(landedOn, first, paused + 1);
    } else {
        // A frame dropped as too late leaves the picture a frame behind the paused position.
        EXPECT_TRUE(first.result && first.fresh);
        EXPECT_TRUE(first.frame == paused + 1 || first.frame == paused + 2) << first.frame;
    }
    const int at = first.frame;
    EXPECT_PRED_FORMAT2(landedOn, step(1), at + 1);
    EXPECT_PRED_FORMAT2(landedOn, step(-1), at);
    EXPECT_PRED_FORMAT2(landedOn, step(-3), at - 3);
    EXPECT_PRED_FORMAT2(landedOn, step(5), at + 2);

    // A seek while paused moves where the next step starts from, not the picture.
    ASSERT_TRUE(GotoTime(h, 0.55));
    EXPECT_EQ(GetTexture(h), last) << "a seek while paused showed a frame";
    EXPECT_PRED_FORMAT2(landedOn, step(1), 6);

    ASSERT_TRUE(Play(h));
    const uint8_t* resumed = clips::nextFrame(h, last);
    ASSERT_NE(resumed, nullptr);
    const int played = clips::rampFrame(resumed, texWidth);
    EXPECT_GE(played, 6) << "Play went back to where the pause was";
    EXPECT_LE(played, 9);
}

// The picture stands on the first frame after a load; steps back stay there, steps forward
// stop at the last frame, however many frames they ask for.
TEST_P(FrameStep, StepsStopAtTheFirstAndTheLastFrame)
{
    EXPECT_PRED_FORMAT2(landedOn, step(-1), 0);
    EXPECT_PRED_FORMAT2(landedOn, step(1), 1);
    EXPECT_PRED_FORMAT2(landedOn, step(-5), 0);
    EXPECT_PRED_FORMAT2(landedOn, step(3), 3);
    EXPECT_PRED_FORMAT2(landedOn, step(INT32_MIN), 0);

    const int lastFrame = clips::kFrameRampFrames - 1;
    ASSERT_TRUE(GotoTime(h, 2.95));
    EXPECT_PRED_FORMAT2(landedOn, step(1), lastFrame);
    EXPECT_PRED_FORMAT2(landedOn, step(-1), lastFrame - 1);
    EXPECT_PRED_FORMAT2(landedOn, step(INT32_MAX), lastFrame);
    EXPECT_PRED_FORMAT2(landedOn, step(2), lastFrame);
    EXPECT_PRED_FORMAT2(landedOn, step(-2), lastFrame - 2);

    // Played from the last frame, the video reaches its end and loops as usual.
    ASSERT_TRUE(GotoTime(h, 2.95));
    EXPECT_PRED_FORMAT2(landedOn, step(1), lastFrame);
    ASSERT_TRUE(Play(h));
    EXPECT_TRUE(clips::feedUntil(h, [&](const uint8_t* t) { return clips::rampFrame(t, texWidth) < 10; }));
}

INSTANTIATE_TEST_SUITE_P(Ramps, FrameStep, testing::ValuesIn(kRamps),
                         [](const testing::TestParamInfo<Ramp>& info) {
                             return info.param.sound ? std::string("Ffv1WithSound")
                                                     : std::string("Mpeg4KeyFrames");
                         });

// Only a paused video steps: a playing one, an empty handle, a failed load and a null handle
// are refused, and so is a step of no frames; `seconds` is left alone then.
TEST(FrameStepRefusals, OnlyAPausedVideoSteps)
{
    double seconds = -7;
    EXPECT_FALSE(StepFrame(nullptr, 1, &seconds));
    clips::Handle h;
    EXPECT_FALSE(StepFrame(h, 1, &seconds)) << "an empty handle";
    const std::string text = testmedia::writeFile("frame-step-text.avi", "not a video\n");
    ASSERT_FALSE(LoadVideo(h, text.c_str(), FRAMELIFT_SIZE_EXACT, 0));
    EXPECT_FALSE(StepFrame(h, -1, &seconds)) << "after a failed load";

    const std::string path = clips::frameRamp(kRamps[0].name, kRamps[0].codecs, kRamps[0].sound);
    ASSERT_TRUE(LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_EXACT, 0));
    const int texWidth = GetTexWidth(h);
    ASSERT_TRUE(Stop(h));
    ASSERT_TRUE(Play(h));
    const uint8_t* playing = GetTexture(h);
    ASSERT_NE(playing, nullptr);
    // Read before the next take: the buffer handed back then is the one being filled.
    const int playingFrame = clips::rampFrame(playing, texWidth);
    EXPECT_FALSE(StepFrame(h, 1, &seconds)) << "while playing";
    EXPECT_FALSE(StepFrame(h, -1, &seconds)) << "while playing";
    const uint8_t* later = clips::nextFrame(h, playing);
    ASSERT_NE(later, nullptr) << "a refused step stopped the playback";
    EXPECT_GE(clips::rampFrame(later, texWidth), playingFrame);

    ASSERT_TRUE(Pause(h));
    EXPECT_FALSE(StepFrame(h, 0, &seconds)) << "no frames to step";
    EXPECT_EQ(seconds, -7) << "a refused step wrote the time";
    EXPECT_TRUE(StepFrame(h, 1, nullptr)) << "the time is not needed";

    ASSERT_TRUE(FreeVideo(h));
    EXPECT_FALSE(StepFrame(h, 1, &seconds)) << "after FreeVideo";
    EXPECT_EQ(seconds, -7);
}
