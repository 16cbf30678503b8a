// The view's arithmetic: picture placement, time text, progress and seek targets, and the
// full-screen bar's band.
#include "ViewLayout.h"

#include <gtest/gtest.h>

using namespace view_layout;

TEST(ViewLayout, PlacesThePictureForEachSizeMode)
{
    // Full view: the whole area above the 60-pixel bar.
    EXPECT_EQ(fullView(1000, 800), (Viewport{0, 60, 1000, 740}));
    // A 320 x 240 video at proportion 400 in a 1000 x 800 client area.
    EXPECT_EQ(proportional(1000, 800, 320, 240, 400), (Viewport{340, 310, 320, 240}));
    EXPECT_EQ(originalSize(1000, 800, 320, 240), (Viewport{340, 310, 320, 240}));
    // 640 x 480 in 600 x 500: cut to the width; y = (500 - 480 - 60) / 2 + 60, -20 truncated.
    EXPECT_EQ(originalSize(600, 500, 640, 480), (Viewport{0, 40, 600, 480}));
    // Taller than the whole client area: fills it from the bottom edge.
    EXPECT_EQ(originalSize(600, 400, 320, 480), (Viewport{140, 0, 320, 400}));
    // Twice the size, and nothing at all at 0.
    EXPECT_EQ(proportional(1000, 800, 320, 240, 800), (Viewport{180, 190, 640, 480}));
    EXPECT_EQ(proportional(1000, 800, 320, 240, 0), (Viewport{500, 430, 0, 0}));
}

TEST(ViewLayout, FormatsElapsedAndTotalTime)
{
    EXPECT_EQ(timeText(0, 0), "00:00:00-00:00:00");
    EXPECT_EQ(timeText(7, 5700), "00:00:07-01:35:00");
    EXPECT_EQ(timeText(3725, 36000), "01:02:05-10:00:00");
}

TEST(ViewLayout, ProgressAndSeekTargets)
{
    EXPECT_EQ(progressPercent(1, 3), 33);
    EXPECT_EQ(progressPercent(5, 0), 0);  // unknown duration: no division
    // 3 601 000 ms at 50 %: 1 800.5 s, truncated.
    EXPECT_EQ(secondsForPercent(3601000, 50), 1800);
    EXPECT_EQ(secondsForPercent(3601000, 100), 3601);
    EXPECT_EQ(secondsForPercent(0, 70), 0);
}

TEST(ViewLayout, BarRisesWhenThePointerNearsTheBottom)
{
    // A client area 1069 high (screen 1000 plus the 69 hidden below and above).
    EXPECT_FALSE(barRaisedFor(1069, 900));
    EXPECT_FALSE(barRaisedFor(1069, 942));
    EXPECT_TRUE(barRaisedFor(1069, 943));
    EXPECT_TRUE(barRaisedFor(1069, 1000));
}
