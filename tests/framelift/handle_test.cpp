// The exports' answers for a null handle and for a handle with nothing loaded.
#include <gtest/gtest.h>

#include "framelift.h"

namespace {

// Every export given a null handle returns its empty value.
TEST(NullHandle, EveryExportReturnsItsEmptyValue)
{
    float matrix[16];
    for (float& m : matrix)
        m = 7.0f;
    EXPECT_FALSE(DeleteVideoTexture(nullptr));
    EXPECT_FALSE(LoadVideo(nullptr, "/nonexistent.avi", 1, 0));
    EXPECT_FALSE(FreeVideo(nullptr));
    EXPECT_FALSE(Play(nullptr));
    EXPECT_FALSE(Pause(nullptr));
    EXPECT_FALSE(Stop(nullptr));
    EXPECT_FALSE(Restart(nullptr));
    EXPECT_FALSE(GotoTime(nullptr, 1.0));
    EXPECT_FALSE(UpdateEvent(nullptr));
    EXPECT_EQ(GetTexWidth(nullptr), 0);
    EXPECT_EQ(GetTexHeight(nullptr), 0);
    EXPECT_EQ(GetVideoRatio(nullptr), 1.0f);
    EXPECT_EQ(GetTexture(nullptr), nullptr);
    EXPECT_FALSE(GetTexScalMatrix(nullptr, matrix));
    EXPECT_EQ(matrix[0], 7.0f);
    EXPECT_EQ(GetVideoWidth(nullptr), 0);
    EXPECT_EQ(GetVideoHeight(nullptr), 0);
    EXPECT_FALSE(MuteSound(nullptr));
    EXPECT_FALSE(SetRate(nullptr, 2.0));
    EXPECT_FALSE(FullScreen(nullptr));
    const ImageBmpInfo bmp = GetCurrentImageBmp(nullptr);
    EXPECT_EQ(bmp.width, 0);
    EXPECT_EQ(bmp.height, 0);
    EXPECT_EQ(bmp.byteCount, 0);
    EXPECT_EQ(bmp.data, nullptr);
    FreeImageBmp(nullptr);
}

// A new handle does nothing for the control calls and answers no-video values at once.
TEST(EmptyHandle, ControlsSucceedAndAccessorsAnswerNoVideo)
{
    VideoTexture* h = CreateVideoTexture();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(Play(h));
    EXPECT_TRUE(Pause(h));
    EXPECT_TRUE(Stop(h));
    EXPECT_TRUE(Restart(h));
    EXPECT_TRUE(GotoTime(h, 3.0));
    EXPECT_TRUE(SetRate(h, 2.0));
    EXPECT_TRUE(MuteSound(h));
    EXPECT_TRUE(FullScreen(h));
    EXPECT_FALSE(UpdateEvent(h));
    EXPECT_EQ(GetTexWidth(h), 0);
    EXPECT_EQ(GetTexHeight(h), 0);
    EXPECT_EQ(GetVideoWidth(h), 0);
    EXPECT_EQ(GetVideoHeight(h), 0);
    EXPECT_EQ(GetVideoRatio(h), 1.0f);

    float matrix[16];
    for (float& m : matrix)
        m = 7.0f;
    EXPECT_TRUE(GetTexScalMatrix(h, matrix));
    for (float m : matrix)
        EXPECT_EQ(m, 7.0f);
    EXPECT_TRUE(GetTexScalMatrix(h, nullptr));

    EXPECT_EQ(GetTexture(h), nullptr);

    const ImageBmpInfo bmp = GetCurrentImageBmp(h);
    EXPECT_EQ(bmp.byteCount, 0);
    EXPECT_EQ(bmp.data, nullptr);
    EXPECT_TRUE(FreeVideo(h));
    EXPECT_TRUE(DeleteVideoTexture(h));
}

}  // namespace
