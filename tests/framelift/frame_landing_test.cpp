// Where a frame step lands: the frame after or before the one that shows at the position, on
// the frame grid of the stream's rate, with a seek target well inside it, so that neither a
// container's rounded timestamps nor a position in the middle of a frame give a neighbour.
#include <gtest/gtest.h>

#include <climits>

#include "graph/FrameStep.h"

using framelift::stepLanding;

namespace {

constexpr gint64 kMs = GST_MSECOND;
constexpr gint64 k25 = 40 * kMs;
constexpr gint64 kNtsc = 33366667;  // 1001/30000 s, rounded as the caps' rate gives it

// The target lies in the middle half of the frame landed on.
testing::AssertionResult insideFrame(const framelift::StepLanding& landing, gint64 length)
{
    if (landing.seekTarget >= landing.frameStart + length / 4 &&
        landing.seekTarget <= landing.frameStart + 3 * length / 4)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "target " << landing.seekTarget << " for the frame at "
                                       << landing.frameStart;
}

}  // namespace

TEST(FrameLanding, FromAnywhereInAFrameToItsNeighbour)
{
    EXPECT_EQ(stepLanding(0, k25, 1, -1).frameStart, k25);
    // Paused while playing: the clock stood somewhere inside frame 5.
    EXPECT_EQ(stepLanding(210 * kMs, k25, 1, -1).frameStart, 6 * k25);
    EXPECT_EQ(stepLanding(210 * kMs, k25, -1, -1).frameStart, 4 * k25);
    EXPECT_EQ(stepLanding(238 * kMs, k25, -3, -1).frameStart, 2 * k25);
    // Within the tolerance of the next frame's start the position is taken as that frame.
    EXPECT_EQ(stepLanding(239500 * GST_USECOND, k25, -3, -1).frameStart, 3 * k25);
    EXPECT_TRUE(insideFrame(stepLanding(210 * kMs, k25, 1, -1), k25));
    EXPECT_TRUE(insideFrame(stepLanding(210 * kMs, k25, -1, -1), k25));
}

// Matroska keeps milliseconds: frame 3 of a 29.97 rate stream begins at 100 ms, not 100.1.
TEST(FrameLanding, ARoundedFrameStartCountsAsThatFrame)
{
    const auto forward = stepLanding(100 * kMs, kNtsc, 1, -1);
    EXPECT_EQ(forward.frameStart, 4 * kNtsc);
    EXPECT_TRUE(insideFrame(forward, kNtsc));
    EXPECT_EQ(stepLanding(100 * kMs, kNtsc, -1, -1).frameStart, 2 * kNtsc);
    // A target in the middle of a frame stays in it whichever way the stream rounds: a
    // millisecond either side of the grid is still the same frame.
    const auto back = stepLanding(100 * kMs, kNtsc, -1, -1);
    EXPECT_GT(back.seekTarget - kMs, 2 * kNtsc);
    EXPECT_LT(back.seekTarget + kMs, 3 * kNtsc - kMs);
}

TEST(FrameLanding, StopsAtTheFirstAndTheLastFrame)
{
    EXPECT_EQ(stepLanding(0, k25, -1, -1).frameStart, 0);
    EXPECT_EQ(stepLanding(-5 * kMs, k25, -1, -1).frameStart, 0);
    EXPECT_EQ(stepLanding(90 * kMs, k25, INT32_MIN, -1).frameStart, 0);
    EXPECT_TRUE(insideFrame(stepLanding(0, k25, -1, -1), k25));

    const gint64 threeSeconds = 3 * GST_SECOND;
    const gint64 tenth = 100 * kMs;
    EXPECT_EQ(stepLanding(2950 * kMs, tenth, 1, threeSeconds).frameStart, 29 * tenth);
    EXPECT_EQ(stepLanding(0, tenth, INT32_MAX, threeSeconds).frameStart, 29 * tenth);
    // An end inside the last frame: the target stays before it.
    const auto shortLast = stepLanding(0, tenth, 100, 2920 * kMs);
    EXPECT_EQ(shortLast.frameStart, 29 * tenth);
    EXPECT_LT(shortLast.seekTarget, 2920 * kMs);
    EXPECT_GE(shortLast.seekTarget, shortLast.frameStart);
    // With no duration known a large step is not cut short, and nothing overflows.
    EXPECT_EQ(stepLanding(0, tenth, INT32_MAX, -1).frameStart, gint64{INT32_MAX} * tenth);
}

TEST(FrameLanding, WithoutARateAFrameIsATwentyFifthOfASecond)
{
    EXPECT_EQ(stepLanding(0, 0, 1, -1).frameStart, framelift::kFallbackFrameLength);
    EXPECT_EQ(framelift::frameLength(nullptr), framelift::kFallbackFrameLength);
}
