// The texture image on its own: the bottom-up row copy and the buffer hand-over
// between the streaming thread and the caller.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "TextureImage.h"

using namespace framelift;
using namespace std::chrono_literals;

namespace {

// Mode 1: the picture's bottom row lands in row 0, padding bytes of the source are dropped,
// and the part beyond the video stays black.
TEST(Copy, BottomUpIntoTheLowerLeftCorner)
{
    // A top-down frame whose every pixel encodes its row (blue, green) and column (red), rows
    // padded to 1924 bytes with 0xEE.
    const int stride = 1924;
    std::vector<uint8_t> frame(static_cast<size_t>(stride) * 480, 0xEE);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 641; ++x) {
            uint8_t* p = frame.data() + y * stride + x * 3;
            p[0] = static_cast<uint8_t>(y);
            p[1] = static_cast<uint8_t>(y >> 8);
            p[2] = static_cast<uint8_t>(x);
        }
    TextureImage image(SizePowerOfTwoUp);
    image.resize(641, 480);
    image.copyFrame(frame.data(), stride);
    const uint8_t* t = image.take(1s);
    ASSERT_NE(t, nullptr);
    const int pitch = 1024 * 3;
    auto pictureRow = [&](int row, int x) { return t[row * pitch + x * 3] | (t[row * pitch + x * 3 + 1] << 8); };
    EXPECT_EQ(pictureRow(0, 0), 479);
    EXPECT_EQ(pictureRow(479, 640), 0);
    EXPECT_EQ(t[100 * pitch + 640 * 3 + 2], 640 % 256) << "last column of a row";
    EXPECT_EQ(t[100 * pitch + 641 * 3], 0) << "padding not copied, black beyond";
    for (int row : {480, 511})
        EXPECT_EQ(t[row * pitch + 5], 0) << "rows above the video stay black";
}

// The buffer take() handed out is never written until the next take(), however many frames
// arrive meanwhile, nor freed by a new size; the next take() gives the newest frame.
TEST(Take, HandedBufferStaysUntouchedUntilTheNextTake)
{
    TextureImage image(SizeExact);
    image.resize(4, 4);
    std::vector<uint8_t> frame(48);
    auto fill = [&](uint8_t v) {
        std::memset(frame.data(), v, frame.size());
        image.copyFrame(frame.data(), 12);
    };
    fill(1);
    const uint8_t* first = image.take(1s);
    ASSERT_NE(first, nullptr);
    for (uint8_t v = 2; v < 10; ++v)
        fill(v);
    for (int i = 0; i < 48; ++i)
        ASSERT_EQ(first[i], 1);
    EXPECT_EQ(image.take(1s)[0], 9);
    const uint8_t* again = image.take(1s);
    EXPECT_EQ(again[0], 9) << "no newer frame: the same one again";
    image.resize(8, 8);
    EXPECT_EQ(again[47], 9);  // still readable (the address sanitizer flags a use after free)
    EXPECT_EQ(image.geometry().texWidth, 8);
}

// The streaming thread copies frames while the caller takes and reads them: every buffer the
// caller reads holds one whole frame.
TEST(Threads, CallerNeverSeesAHalfCopiedFrame)
{
    TextureImage image(SizePowerOfTwoUp);
    const int w = 320, h = 240;
    image.resize(w, h);
    std::atomic<bool> stop{false};
    std::thread streaming([&] {
        std::vector<uint8_t> frame(static_cast<size_t>(w) * 3 * h);
        for (uint8_t v = 1; !stop.load(); ++v) {
            std::memset(frame.data(), v ? v : 1, frame.size());
            image.copyFrame(frame.data(), w * 3);
        }
    });
    const int pitch = 512 * 3;
    for (int i = 0; i < 2000; ++i) {
        const uint8_t* t = image.take(5s);
        ASSERT_NE(t, nullptr);
        const uint8_t first = t[0];
        std::this_thread::yield();
        for (int row = 0; row < h; row += 7)
            ASSERT_EQ(t[row * pitch + (w - 1) * 3], first) << "torn frame at row " << row;
        ASSERT_EQ(t[(h - 1) * pitch], first);
    }
    stop.store(true);
    streaming.join();
    EXPECT_GT(image.framesCopied(), 0u);
}

}  // namespace
