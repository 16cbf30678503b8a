// Clips for the library's tests, made at test time into the test-media folder.
#pragma once

#include <cstdint>
#include <string>

namespace clips {

struct Quadrants {
    std::string name;          // file name, e.g. "quad-mpeg4-mp3.avi"
    int width = 320;
    int height = 240;
    int frames = 50;           // at 25 frames a second
    std::string videoEncoder;  // gst-launch fragment, e.g. "avenc_mpeg4"
    std::string audioEncoder;  // empty: no sound
    std::string muxer;         // e.g. "avimux"
};

// A clip whose picture is split into four solid quadrants: top left blue, top right green,
// bottom left red, bottom right white.
std::string quadrants(const Quadrants& spec);

// A 64 by 48 clip whose every pixel is one grey level that grows with the frame's time
// (about 23 levels a second), so a texture tells the time it shows. Lossless video; with
// `withSound` a sine tone rides along.
std::string timeRamp(const std::string& name, int seconds, bool withSound);

// Seconds shown by a time-ramp texture (read from its first pixel).
double rampSeconds(const uint8_t* texture);

// A sound-only file.
std::string soundOnly();

struct Bgr {
    int b, g, r;
};
constexpr Bgr kBlue{255, 0, 0};
constexpr Bgr kGreen{0, 255, 0};  // videotestsrc's green is full green
constexpr Bgr kRed{0, 0, 255};
constexpr Bgr kWhite{255, 255, 255};
constexpr Bgr kBlack{0, 0, 0};

// Whether the texture pixel at (x, row) is within `tolerance` of `expected` in every channel.
bool pixelNear(const uint8_t* texture, int texWidth, int x, int row, Bgr expected,
               int tolerance = 40);
std::string describePixel(const uint8_t* texture, int texWidth, int x, int row);

}  // namespace clips
