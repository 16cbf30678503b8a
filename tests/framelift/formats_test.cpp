// Real files in several containers, codecs and sizes: the sizes, the scale matrix and the
// copied pixels with their orientation (row 0 of the texture is the picture's bottom).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FrameliftClips.h"
#include "TestMedia.h"

using clips::Handle;

namespace {

struct Case {
    clips::Quadrants clip;
    int mode;
    int texWidth, texHeight;
    float scaleX, scaleY;
    bool lossless;  // sharp quadrant borders: sample right next to them too
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.clip.name << " mode " << c.mode;
}

class Pictures : public testing::TestWithParam<Case> {};

// Loads, sizes the texture for the mode, serves the picture the right way up from its
// lower-left corner, rows packed, black beyond the video, and takes a snapshot of it.
TEST_P(Pictures, SizesMatrixAndBottomUpPixels)
{
    const Case& c = GetParam();
    const int w = c.clip.width, h = c.clip.height;
    Handle handle;
    ASSERT_TRUE(LoadVideo(handle, clips::quadrants(c.clip).c_str(), c.mode, 0));
    EXPECT_EQ(GetVideoWidth(handle), w);
    EXPECT_EQ(GetVideoHeight(handle), h);
    EXPECT_EQ(GetTexWidth(handle), c.texWidth);
    EXPECT_EQ(GetTexHeight(handle), c.texHeight);
    EXPECT_FLOAT_EQ(GetVideoRatio(handle), float(w) / float(h));
    float m[16];
    ASSERT_TRUE(GetTexScalMatrix(handle, m));
    for (int i = 0; i < 16; ++i) {
        const float want = i == 0 ? c.scaleX : i == 5 ? c.scaleY : i % 5 == 0 ? 1.0f : 0.0f;
        EXPECT_FLOAT_EQ(m[i], want) << "matrix element " << i;
    }

    EXPECT_EQ(GetCurrentImageBmp(handle).data, nullptr) << "no snapshot before a frame is shown";

    ASSERT_TRUE(Play(handle));
    const uint8_t* t = GetTexture(handle);
    ASSERT_NE(t, nullptr);
    auto sample = [&](int x, int row) {
        if (x >= c.texWidth || row >= c.texHeight)
            return;  // cut off by rounding down
        const bool beyond = x >= w || row >= h;  // black beyond the video
        EXPECT_TRUE(clips::pixelNear(t, c.texWidth, x, row,
                                     beyond ? clips::kBlack : clips::quadrantAt(x, row, w, h),
                                     beyond ? 0 : 40));
    };
    std::vector<int> xs = {w / 4, w * 3 / 4, w, c.texWidth - 1};
    std::vector<int> rows = {h / 4, h * 3 / 4, h, c.texHeight - 1};
    if (c.lossless) {
        xs.insert(xs.end(), {0, w / 2 - 1, w / 2, w - 1});
        rows.insert(rows.end(), {0, h - h / 2 - 1, h - h / 2, h - 1});
    }
    for (int x : xs)
        for (int row : rows)
            sample(x, row);

    // The snapshot: the whole picture last shown, as a bottom-up 24-bit DIB with rows padded to
    // four bytes (read through their own offsets).
    const ImageBmpInfo bmp = GetCurrentImageBmp(handle);
    ASSERT_NE(bmp.data, nullptr);
    EXPECT_EQ(bmp.width, w);
    EXPECT_EQ(bmp.height, h);
    const int rowBytes = (w * 3 + 3) / 4 * 4;
    ASSERT_EQ(bmp.byteCount, 40 + rowBytes * h);
    int32_t header[3];  // header size, width, height (positive: bottom-up)
    std::memcpy(header, bmp.data, sizeof header);
    EXPECT_EQ(std::vector<int32_t>(header, header + 3), (std::vector<int32_t>{40, w, h}));
    EXPECT_EQ(bmp.data[14] | bmp.data[15] << 8, 24) << "bits a pixel";
    for (int x : {w / 4, w * 3 / 4, w - 1})
        for (int row : {h / 4, h * 3 / 4, h - 1})
            EXPECT_TRUE(clips::pixelNear(bmp.data + 40 + row * rowBytes, 0, x, 0,
                                         clips::quadrantAt(x, row, w, h), c.lossless ? 40 : 60));
    FreeImageBmp(bmp.data);
    EXPECT_TRUE(Stop(handle));
}

constexpr int kUp = FRAMELIFT_SIZE_POWER_OF_TWO_UP;
const clips::Quadrants kVga{"quad-640x480.avi", 640, 480, 50, "avenc_mpeg4", "", "avimux"};

// A 320 by 240 clip in mode 1: a 512 by 256 texture.
Case container(const char* name, const char* video, const char* sound, const char* muxer)
{
    return {{name, 320, 240, 50, video, sound, muxer}, kUp, 512, 256, 0.625f, 0.9375f, false};
}

INSTANTIATE_TEST_SUITE_P(
    Framelift, Pictures,
    testing::Values(
        container("quad-mpeg4-mp3.avi", "avenc_mpeg4", "lamemp3enc", "avimux"),
        container("quad-h264-aac.mp4", "x264enc", "avenc_aac", "mp4mux"),
        container("quad-vp8-vorbis.mkv", "vp8enc", "vorbisenc", "matroskamux"),
        container("quad-mjpeg.mov", "jpegenc", "", "qtmux"),
        container("quad-h264-silent.mp4", "x264enc", "", "mp4mux"),
        Case{kVga, FRAMELIFT_SIZE_EXACT, 640, 480, 1.0f, 1.0f, false},
        Case{kVga, kUp, 1024, 512, 0.625f, 0.9375f, false},
        // Rounding down keeps the picture's lower-left part.
        Case{kVga, FRAMELIFT_SIZE_POWER_OF_TWO_DOWN, 512, 256, 1.25f, 1.875f, false},
        // 641 pixels give rows of 1923 bytes, without padding.
        Case{{"quad-641x480.mkv", 641, 480, 25, "avenc_ffv1", "", "matroskamux"},
             FRAMELIFT_SIZE_EXACT, 641, 480, 1.0f, 1.0f, true},
        Case{{"quad-1920x1080.mp4", 1920, 1080, 25, "x264enc", "", "mp4mux"}, kUp, 2048, 2048,
             0.9375f, 1080.0f / 2048.0f, false}),
    [](const testing::TestParamInfo<Case>& info) {
        std::string name = info.param.clip.name + "_mode" + std::to_string(info.param.mode);
        for (char& c : name)
            c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// A 2 by 2 video gives a 2 by 2 texture in every mode (2 is a power of two), all of it red.
TEST(OddSizes, TwoByTwoInEveryMode)
{
    const std::string path = testmedia::custom(
        "red-2x2-i420.mkv", "videotestsrc pattern=red num-buffers=25 ! "
                            "video/x-raw,width=2,height=2,framerate=25/1 ! videoconvert ! "
                            "video/x-raw,format=I420 ! avenc_ffv1 ! matroskamux ! "
                            "filesink location=@OUT@");
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Handle h;
        ASSERT_TRUE(LoadVideo(h, path.c_str(), mode, 0));
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
            EXPECT_TRUE(clips::pixelNear(t, 2, i % 2, i / 2, clips::kRed));
    }
}

// The other containers a user's files come in, as ffmpeg writes them. Its RealMedia files
// carry no index, so their demuxer cannot seek: the first Play must not need a seek.
TEST(Containers, MpegOggWebmAndRealMediaPlay)
{
    const std::string source = "-f lavfi -i testsrc=size=320x240:rate=25:duration=3 "
                               "-f lavfi -i sine=duration=3 -shortest ";
    struct Kind {
        const char* name;
        const char* codecs;
    };
    for (const Kind& kind : {Kind{"ff-mpeg2-mp2.mpg", "-c:v mpeg2video -c:a mp2 -f vob"},
                             Kind{"ff-h264-aac.ts", "-c:v libx264 -c:a aac"},
                             Kind{"ff-theora-vorbis.ogv", "-c:v libtheora -c:a libvorbis"},
                             Kind{"ff-vp9-opus.webm",
                                  "-c:v libvpx-vp9 -deadline realtime -c:a libopus"},
                             Kind{"ff-rv20-ac3.rm", "-c:v rv20 -c:a ac3"}}) {
        SCOPED_TRACE(kind.name);
        const std::string path = testmedia::byFfmpeg(kind.name, source + kind.codecs);
        Handle h;
        ASSERT_TRUE(LoadVideo(h, path.c_str(), kUp, 0));
        EXPECT_EQ(GetVideoWidth(h), 320);
        EXPECT_EQ(GetVideoHeight(h), 240);
        ASSERT_TRUE(Play(h));
        const uint8_t* first = GetTexture(h);
        ASSERT_NE(first, nullptr);
        const std::vector<uint8_t> seen(first, first + 512 * 256 * 3);
        EXPECT_TRUE(clips::feedUntil(h, [&](const uint8_t* t) {
            return std::memcmp(t, seen.data(), seen.size()) != 0;
        })) << "the picture never moved";
    }
}

// A stream's display matrix turns or mirrors the picture: the library serves it upright, with
// the sizes and the matrix of the upright picture. The quadrant clip is blue, green over red,
// white; each case lists the colours the upright picture shows top left, top right, bottom
// left and bottom right.
TEST(Orientation, EachTurnAndMirrorIsServedUpright)
{
    using testmedia::Orientation;
    using clips::Bgr;
    struct Turn {
        Orientation orientation;
        const char* name;
        Bgr topLeft, topRight, bottomLeft, bottomRight;
    };
    const std::string stored = clips::quadrants({"quad-320x240-h264.mp4", 320, 240, 25, "x264enc", "", "mp4mux"});
    for (const Turn& turn :
         {Turn{Orientation::Rotate90, "rotate-90", clips::kRed, clips::kBlue, clips::kWhite, clips::kGreen},
          Turn{Orientation::Rotate180, "rotate-180", clips::kWhite, clips::kRed, clips::kGreen, clips::kBlue},
          Turn{Orientation::Rotate270, "rotate-270", clips::kGreen, clips::kWhite, clips::kBlue, clips::kRed},
          Turn{Orientation::FlipRotate0, "flip-rotate-0", clips::kGreen, clips::kBlue, clips::kWhite, clips::kRed},
          Turn{Orientation::FlipRotate180, "flip-rotate-180", clips::kRed, clips::kWhite, clips::kBlue, clips::kGreen},
          Turn{Orientation::FlipRotate270, "flip-rotate-270", clips::kBlue, clips::kRed, clips::kGreen, clips::kWhite}}) {
        SCOPED_TRACE(turn.name);
        const std::string path =
            testmedia::withOrientation(stored, std::string("quad-") + turn.name + ".mp4", turn.orientation);
        const bool quarter = turn.orientation == Orientation::Rotate90 ||
                             turn.orientation == Orientation::Rotate270 ||
                             turn.orientation == Orientation::FlipRotate270;
        const int w = quarter ? 240 : 320, h = quarter ? 320 : 240;
        Handle handle;
        ASSERT_TRUE(LoadVideo(handle, path.c_str(), FRAMELIFT_SIZE_EXACT, 0));
        EXPECT_EQ(GetVideoWidth(handle), w);
        EXPECT_EQ(GetVideoHeight(handle), h);
        EXPECT_EQ(GetTexWidth(handle), w);
        EXPECT_EQ(GetTexHeight(handle), h);
        EXPECT_FLOAT_EQ(GetDisplayAspect(handle), float(w) / float(h));
        ASSERT_TRUE(Play(handle));
        const uint8_t* t = GetTexture(handle);
        ASSERT_NE(t, nullptr);
        // Row 0 is the bottom.
        EXPECT_TRUE(clips::pixelNear(t, w, w / 4, h * 3 / 4, turn.topLeft, 60));
        EXPECT_TRUE(clips::pixelNear(t, w, w * 3 / 4, h * 3 / 4, turn.topRight, 60));
        EXPECT_TRUE(clips::pixelNear(t, w, w / 4, h / 4, turn.bottomLeft, 60));
        EXPECT_TRUE(clips::pixelNear(t, w, w * 3 / 4, h / 4, turn.bottomRight, 60));
        const ImageBmpInfo bmp = GetCurrentImageBmp(handle);
        EXPECT_EQ(bmp.width, w);
        EXPECT_EQ(bmp.height, h);
        FreeImageBmp(bmp.data);
    }
}

// Pixels that are not square: 720 by 576 of 64:45 (16:9 PAL) is seen 16:9, 720 by 480 of
// 8:9 (4:3 NTSC) 4:3, and square pixels give the plain ratio.
TEST(DisplayAspect, FollowsThePixelShape)
{
    struct Shape {
        const char* name;
        int width, height, parN, parD;
        const char* muxer;
        float aspect;
    };
    for (const Shape& shape : {Shape{"par-720x576-64to45.mp4", 720, 576, 64, 45, "mp4mux", 16.0f / 9.0f},
                               Shape{"par-720x576-64to45.mkv", 720, 576, 64, 45, "matroskamux", 16.0f / 9.0f},
                               Shape{"par-720x480-8to9.mp4", 720, 480, 8, 9, "mp4mux", 4.0f / 3.0f},
                               Shape{"par-640x480-1to1.mp4", 640, 480, 1, 1, "mp4mux", 4.0f / 3.0f}}) {
        SCOPED_TRACE(shape.name);
        const std::string path = testmedia::custom(
            shape.name, "videotestsrc num-buffers=10 ! video/x-raw,width=" +
                            std::to_string(shape.width) + ",height=" + std::to_string(shape.height) +
                            ",pixel-aspect-ratio=" + std::to_string(shape.parN) + "/" +
                            std::to_string(shape.parD) + ",framerate=25/1 ! x264enc ! " +
                            shape.muxer + " ! filesink location=@OUT@");
        Handle handle;
        EXPECT_EQ(GetDisplayAspect(handle), 0.0f) << "no video yet";
        ASSERT_TRUE(LoadVideo(handle, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0));
        EXPECT_EQ(GetVideoWidth(handle), shape.width) << "the stored pixels are served as they are";
        EXPECT_NEAR(GetDisplayAspect(handle), shape.aspect, 0.002f);
        EXPECT_FLOAT_EQ(GetVideoRatio(handle), float(shape.width) / float(shape.height));
    }
    EXPECT_EQ(GetDisplayAspect(nullptr), 0.0f);
}

}  // namespace
