// Real files in several containers, codecs and sizes: the sizes, the scale matrix and the
// copied pixels with their orientation (row 0 of the texture is the picture's bottom).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FrameliftClips.h"
#include "Playback.h"
#include "TestMedia.h"

using clips::kBlack;
using clips::kBlue;
using clips::kGreen;
using clips::kRed;
using clips::kWhite;
using playback::Handle;

namespace {

// Checks the four quadrants of a quadrant clip in a texture whose row 0 is the picture's
// bottom row, sampling well inside each quadrant.
void expectQuadrants(const uint8_t* t, int texWidth, int videoWidth, int videoHeight)
{
    const int left = videoWidth / 4, right = videoWidth * 3 / 4;
    const int bottom = videoHeight / 4, top = videoHeight * 3 / 4;
    EXPECT_TRUE(clips::pixelNear(t, texWidth, left, bottom, kRed))
        << "bottom left " << clips::describePixel(t, texWidth, left, bottom);
    EXPECT_TRUE(clips::pixelNear(t, texWidth, right, bottom, kWhite))
        << "bottom right " << clips::describePixel(t, texWidth, right, bottom);
    EXPECT_TRUE(clips::pixelNear(t, texWidth, left, top, kBlue))
        << "top left " << clips::describePixel(t, texWidth, left, top);
    EXPECT_TRUE(clips::pixelNear(t, texWidth, right, top, kGreen))
        << "top right " << clips::describePixel(t, texWidth, right, top);
}

struct Format {
    const char* name;
    const char* videoEncoder;
    const char* audioEncoder;
    const char* muxer;
};

void PrintTo(const Format& f, std::ostream* os)
{
    *os << f.name;
}

class Containers : public testing::TestWithParam<Format> {};

// Each container and codec loads, sizes a power-of-two texture and serves the picture the
// right way up, with black beyond the video.
TEST_P(Containers, LoadPlayAndCopyThePictureBottomUp)
{
    const Format f = GetParam();
    const std::string path =
        clips::quadrants({f.name, 320, 240, 50, f.videoEncoder, f.audioEncoder, f.muxer});
    Handle h;
    ASSERT_TRUE(LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
    EXPECT_EQ(GetVideoWidth(h), 320);
    EXPECT_EQ(GetVideoHeight(h), 240);
    EXPECT_EQ(GetTexWidth(h), 512);
    EXPECT_EQ(GetTexHeight(h), 256);
    EXPECT_FLOAT_EQ(GetVideoRatio(h), 320.0f / 240.0f);
    float m[16];
    ASSERT_TRUE(GetTexScalMatrix(h, m));
    EXPECT_FLOAT_EQ(m[0], 0.625f);
    EXPECT_FLOAT_EQ(m[5], 0.9375f);
    EXPECT_FLOAT_EQ(m[10], 1.0f);
    EXPECT_FLOAT_EQ(m[15], 1.0f);
    EXPECT_EQ(m[1] + m[2] + m[3] + m[4] + m[6] + m[7] + m[8] + m[9] + m[11] + m[12] + m[13] +
                  m[14],
              0.0f);

    ASSERT_TRUE(Play(h));
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    expectQuadrants(t, 512, 320, 240);
    EXPECT_TRUE(clips::pixelNear(t, 512, 400, 10, kBlack, 0)) << "right of the video";
    EXPECT_TRUE(clips::pixelNear(t, 512, 10, 250, kBlack, 0)) << "above the video";
    EXPECT_TRUE(Stop(h));
}

INSTANTIATE_TEST_SUITE_P(
    Framelift, Containers,
    testing::Values(Format{"quad-mpeg4-mp3.avi", "avenc_mpeg4", "lamemp3enc", "avimux"},
                    Format{"quad-h264-aac.mp4", "x264enc", "avenc_aac", "mp4mux"},
                    Format{"quad-vp8-vorbis.mkv", "vp8enc", "vorbisenc", "matroskamux"},
                    Format{"quad-mjpeg.mov", "jpegenc", "", "qtmux"},
                    Format{"quad-h264-silent.mp4", "x264enc", "", "mp4mux"}),
    [](const testing::TestParamInfo<Format>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

std::string vga()
{
    return clips::quadrants({"quad-640x480.avi", 640, 480, 50, "avenc_mpeg4", "", "avimux"});
}

// Size mode 0 gives the video's own sides and a unit matrix.
TEST(SizeModes, ExactKeepsTheVideoSides)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, vga().c_str(), FRAMELIFT_SIZE_EXACT, 0));
    EXPECT_EQ(GetTexWidth(h), 640);
    EXPECT_EQ(GetTexHeight(h), 480);
    float m[16];
    GetTexScalMatrix(h, m);
    EXPECT_FLOAT_EQ(m[0], 1.0f);
    EXPECT_FLOAT_EQ(m[5], 1.0f);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    expectQuadrants(t, 640, 640, 480);
}

// Size mode 1 rounds up: 640 by 480 gives 1024 by 512 with factors 0.625 and 0.9375.
TEST(SizeModes, PowerOfTwoUpPlacesTheVideoLowerLeft)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, vga().c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
    EXPECT_EQ(GetTexWidth(h), 1024);
    EXPECT_EQ(GetTexHeight(h), 512);
    EXPECT_FLOAT_EQ(GetVideoRatio(h), 4.0f / 3.0f);
    float m[16];
    GetTexScalMatrix(h, m);
    EXPECT_FLOAT_EQ(m[0], 0.625f);
    EXPECT_FLOAT_EQ(m[5], 0.9375f);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    expectQuadrants(t, 1024, 640, 480);
    EXPECT_TRUE(clips::pixelNear(t, 1024, 700, 100, kBlack, 0));
    EXPECT_TRUE(clips::pixelNear(t, 1024, 100, 500, kBlack, 0));
}

// Size mode 2 rounds down: 512 by 256 holding the picture's lower-left part, factors 1.25 and
// 1.875.
TEST(SizeModes, PowerOfTwoDownKeepsTheLowerLeftPart)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, vga().c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_DOWN, 0));
    EXPECT_EQ(GetTexWidth(h), 512);
    EXPECT_EQ(GetTexHeight(h), 256);
    float m[16];
    GetTexScalMatrix(h, m);
    EXPECT_FLOAT_EQ(m[0], 1.25f);
    EXPECT_FLOAT_EQ(m[5], 1.875f);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    // Rows 0 to 255 are the picture's bottom 256 rows: all in its bottom half.
    EXPECT_TRUE(clips::pixelNear(t, 512, 100, 10, kRed));
    EXPECT_TRUE(clips::pixelNear(t, 512, 100, 230, kRed));
    EXPECT_TRUE(clips::pixelNear(t, 512, 480, 10, kWhite));
}

// An odd width packs rows without padding: 641 pixels give rows of 1923 bytes, and every row
// still starts with the picture's left edge.
TEST(OddSizes, OddWidthRowsArePacked)
{
    const std::string path =
        clips::quadrants({"quad-641x480.mkv", 641, 480, 25, "avenc_ffv1", "", "matroskamux"});
    Handle h;
    ASSERT_TRUE(LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_EXACT, 0));
    EXPECT_EQ(GetTexWidth(h), 641);
    EXPECT_EQ(GetTexHeight(h), 480);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    expectQuadrants(t, 641, 641, 480);
    for (int row : {0, 1, 2, 239, 240, 241, 479}) {
        const clips::Bgr left = row < 240 ? kRed : kBlue;
        const clips::Bgr right = row < 240 ? kWhite : kGreen;
        EXPECT_TRUE(clips::pixelNear(t, 641, 0, row, left, 60))
            << clips::describePixel(t, 641, 0, row);
        EXPECT_TRUE(clips::pixelNear(t, 641, 640, row, right, 60))
            << clips::describePixel(t, 641, 640, row);
    }
}

// A 2 by 2 video gives a 2 by 2 texture in every mode (2 is a power of two), all of it red.
TEST(OddSizes, TwoByTwoInEveryMode)
{
    const std::string path = testmedia::custom(
        "red-2x2-i420.mkv", "videotestsrc pattern=red num-buffers=25 ! "
                       "video/x-raw,width=2,height=2,framerate=25/1 ! videoconvert ! "
                       "video/x-raw,format=I420 ! avenc_ffv1 ! "
                       "matroskamux ! filesink location=@OUT@");
    for (int mode : {0, 1, 2}) {
        Handle h;
        ASSERT_TRUE(LoadVideo(h, path.c_str(), mode, 0)) << "mode " << mode;
        EXPECT_EQ(GetTexWidth(h), 2);
        EXPECT_EQ(GetTexHeight(h), 2);
        float m[16];
        GetTexScalMatrix(h, m);
        EXPECT_FLOAT_EQ(m[0], 1.0f);
        EXPECT_FLOAT_EQ(m[5], 1.0f);
        Play(h);
        const uint8_t* t = GetTexture(h);
        ASSERT_NE(t, nullptr);
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(clips::pixelNear(t, 2, i % 2, i / 2, kRed))
                << "mode " << mode << " " << clips::describePixel(t, 2, i % 2, i / 2);
    }
}

// A full-HD clip: 2048 by 2048 texture and the picture the right way up.
TEST(LargeSizes, FullHd)
{
    const std::string path =
        clips::quadrants({"quad-1920x1080.mp4", 1920, 1080, 25, "x264enc", "", "mp4mux"});
    Handle h;
    ASSERT_TRUE(LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
    EXPECT_EQ(GetVideoWidth(h), 1920);
    EXPECT_EQ(GetVideoHeight(h), 1080);
    EXPECT_EQ(GetTexWidth(h), 2048);
    EXPECT_EQ(GetTexHeight(h), 2048);
    float m[16];
    GetTexScalMatrix(h, m);
    EXPECT_FLOAT_EQ(m[0], 0.9375f);
    EXPECT_FLOAT_EQ(m[5], 1080.0f / 2048.0f);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    expectQuadrants(t, 2048, 1920, 1080);
}

// The snapshot is the whole last presented picture as a bottom-up 24-bit DIB.
TEST(Snapshot, LastFrameAsBottomUpBitmap)
{
    const std::string path =
        clips::quadrants({"quad-322x240.avi", 322, 240, 50, "avenc_mpeg4", "", "avimux"});
    Handle h;
    ASSERT_TRUE(LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_DOWN, 0));
    const ImageBmpInfo before = GetCurrentImageBmp(h);
    EXPECT_EQ(before.byteCount, 0) << "nothing presented yet";
    EXPECT_EQ(before.data, nullptr);

    Play(h);
    ASSERT_NE(GetTexture(h), nullptr);
    const ImageBmpInfo bmp = GetCurrentImageBmp(h);
    ASSERT_NE(bmp.data, nullptr);
    EXPECT_EQ(bmp.width, 322);
    EXPECT_EQ(bmp.height, 240);
    const int rowBytes = (322 * 3 + 3) & ~3;  // 968: rows padded to 4 bytes
    ASSERT_EQ(bmp.byteCount, 40 + rowBytes * 240);
    int32_t header[3];
    std::memcpy(header, bmp.data, sizeof header);
    EXPECT_EQ(header[0], 40);
    EXPECT_EQ(header[1], 322);
    EXPECT_EQ(header[2], 240) << "positive height: bottom-up";
    uint16_t bits;
    std::memcpy(&bits, bmp.data + 14, 2);
    EXPECT_EQ(bits, 24);
    // Seen as a texture of rowBytes / 3 pixels a row (968 is not a multiple of 3, so read
    // rows through their own offsets).
    const uint8_t* rows = bmp.data + 40;
    auto at = [&](int x, int row) { return rows + row * rowBytes + x * 3; };
    EXPECT_NEAR(at(60, 30)[2], 255, 40) << "bottom left is red";
    EXPECT_NEAR(at(60, 30)[0], 0, 40);
    EXPECT_NEAR(at(60, 200)[0], 255, 40) << "top left is blue";
    EXPECT_NEAR(at(300, 200)[1], 255, 40) << "top right is green";
    EXPECT_NEAR(at(300, 200)[2], 0, 40);
    FreeImageBmp(bmp.data);
}

}  // namespace
