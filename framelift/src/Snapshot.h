// The snapshot format: a device-independent bitmap, bottom-up, 24 bits a pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace framelift {

constexpr int32_t kDibHeaderBytes = 40;

// Bytes of one DIB row: width * 3 rounded up to a multiple of 4.
int32_t dibRowBytes(int32_t width);

// A 40-byte BITMAPINFOHEADER followed by the rows bottom row first. `top` is the picture's top
// row of BGR pixels, `stride` the bytes between source rows.
std::vector<uint8_t> encodeBottomUpDib(const uint8_t* top, int32_t stride, int32_t width,
                                       int32_t height);

}  // namespace framelift
