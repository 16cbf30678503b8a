// Widening the library's 3-byte texture image to 4-byte texels for the upload. A software
// OpenGL keeps textures in 4-byte texels and converts 3-byte uploads pixel by pixel, which
// cost more than the rest of the frame's drawing; 4-byte data in its own layout is copied.
#pragma once

#include <cstdint>

namespace scene {

// Turns height rows of width pixels, each 3 bytes (blue, green, red) and srcRowBytes apart,
// into rows of 4-byte texels (blue, green, red, 255) packed at width * 4 bytes. Reads no byte
// past a row's width * 3.
void widenBgrToBgra(const uint8_t* src, long srcRowBytes, uint8_t* dst, int width, int height);

}  // namespace scene
