// The frame descriptor and the frame counts: what a player that draws only when a frame came
// relies on.
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "FrameliftClips.h"
#include "framelift.h"

namespace {

bool readable(int fd, int waitMs)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, waitMs) == 1 && (p.revents & POLLIN);
}

void drain(int fd)
{
    uint64_t count = 0;
    while (read(fd, &count, sizeof count) == static_cast<ssize_t>(sizeof count)) {
    }
}

bool allZero(const FrameliftFrameCounts& c)
{
    return c.decoded == 0 && c.copied == 0 && c.dropped == 0 && c.taken == 0;
}

}  // namespace

TEST(FrameNotifier, NullAndEmptyHandles)
{
    EXPECT_EQ(GetFrameNotifier(nullptr), -1);
    EXPECT_TRUE(allZero(GetFrameCounts(nullptr)));
    clips::Handle h;
    const int fd = GetFrameNotifier(h);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(readable(fd, 0));
    EXPECT_TRUE(allZero(GetFrameCounts(h)));
}

// Playing makes the descriptor readable; a paused video leaves it quiet; every newer frame
// handed out is counted once, and a repeated GetTexture of the same frame is not.
TEST(FrameNotifier, WakesForFramesOnlyWhileTheyCome)
{
    clips::Handle h;
    const int fd = GetFrameNotifier(h);
    ASSERT_TRUE(LoadVideo(h, clips::mpeg4Avi().c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
    EXPECT_EQ(GetFrameNotifier(h), fd);
    EXPECT_FALSE(readable(fd, 300)) << "a loaded, stopped video copies nothing";
    ASSERT_TRUE(Play(h));
    EXPECT_TRUE(readable(fd, 10000));
    ASSERT_NE(GetTexture(h), nullptr);
    ASSERT_TRUE(clips::feedUntil(h, [&](const uint8_t*) { return GetFrameCounts(h).copied >= 5; }));

    ASSERT_TRUE(Pause(h));
    drain(fd);
    EXPECT_FALSE(readable(fd, 500)) << "a paused video still woke the caller";
    const uint8_t* newest = GetTexture(h);
    const FrameliftFrameCounts paused = GetFrameCounts(h);
    EXPECT_EQ(GetTexture(h), newest);
    const FrameliftFrameCounts again = GetFrameCounts(h);
    EXPECT_EQ(again.taken, paused.taken);
    EXPECT_EQ(again.copied, paused.copied);
    EXPECT_GE(again.copied, 5u);
    EXPECT_GE(again.decoded, again.copied);
    EXPECT_LE(again.taken, again.copied);
    EXPECT_GE(again.taken, 1u);

    // Another load on the same handle keeps the descriptor and starts the counts again.
    ASSERT_TRUE(LoadVideo(h, clips::mpeg4Avi().c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
    EXPECT_EQ(GetFrameNotifier(h), fd);
    EXPECT_EQ(GetFrameCounts(h).copied, 0u);
    ASSERT_TRUE(Play(h));
    EXPECT_TRUE(readable(fd, 10000));
    FreeVideo(h);
    EXPECT_TRUE(allZero(GetFrameCounts(h)));
}
