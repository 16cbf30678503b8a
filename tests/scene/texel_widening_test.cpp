// Widening the 3-byte texture image to opaque 4-byte texels: every width, also those that
// leave a tail after the wide steps, rows read at their stride, and nothing read or written
// past a row (the source rows are allocations of their exact size, for the address checker).
#include "TexelWidening.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

TEST(TexelWidening, EveryWidthKeepsBlueGreenRedAndMakesTexelsOpaque)
{
    std::mt19937 random(11);
    for (int width : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17, 639, 640, 1920, 2048}) {
        SCOPED_TRACE(width);
        std::vector<uint8_t> bgr(static_cast<size_t>(width) * 3);
        for (uint8_t& b : bgr)
            b = static_cast<uint8_t>(random());
        // One guard texel past the row: exactly width * 4 bytes are written.
        std::vector<uint8_t> bgra(static_cast<size_t>(width) * 4 + 4, 0xA5);
        scene::widenBgrToBgra(bgr.data(), static_cast<long>(bgr.size()), bgra.data(), width, 1);
        for (int i = 0; i < width; ++i) {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(bgra[i * 4 + c], bgr[i * 3 + c]) << "pixel " << i << " byte " << c;
            ASSERT_EQ(bgra[i * 4 + 3], 0xFF) << "pixel " << i;
        }
        for (int g = 0; g < 4; ++g)
            EXPECT_EQ(bgra[static_cast<size_t>(width) * 4 + g], 0xA5);
    }
}

// The image's rows are a power-of-two texture's width apart; only the video's part is taken,
// and its rows come out packed.
TEST(TexelWidening, RowsAreTakenAtTheirStrideAndPacked)
{
    const int texWidth = 16, width = 11, height = 5;
    std::vector<uint8_t> image(static_cast<size_t>(texWidth) * 3 * height);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    std::vector<uint8_t> texels(static_cast<size_t>(width) * 4 * height);
    scene::widenBgrToBgra(image.data(), 3L * texWidth, texels.data(), width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* in = &image[(static_cast<size_t>(y) * texWidth + x) * 3];
            const uint8_t* out = &texels[(static_cast<size_t>(y) * width + x) * 4];
            ASSERT_EQ(out[0], in[0]) << x << "," << y;
            ASSERT_EQ(out[1], in[1]) << x << "," << y;
            ASSERT_EQ(out[2], in[2]) << x << "," << y;
            ASSERT_EQ(out[3], 0xFF) << x << "," << y;
        }
    }
}

}  // namespace
