// Clips for the library's tests, made at test time into the test-media folder, and helpers to
// own a handle and wait, with a bound, for the frames a playing handle serves.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "framelift.h"

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
std::string quadrants(const Quadrants& clip);
// The 320 by 240 quadrant clips with sound: MPEG-4 and MP3 in AVI, H.264 and AAC in MP4.
std::string mpeg4Avi();
std::string h264Mp4();

// A 64 by 48 clip whose every pixel is one grey level that grows with the frame's time
// (about 23 levels a second), so a texture tells the time it shows. Lossless video; with
// `withSound` a sine tone rides along.
std::string timeRamp(const std::string& name, int seconds, bool withSound);
// Seconds shown by a time-ramp texture (read from its first pixel).
double rampSeconds(const uint8_t* texture);

// A 64 by 48 clip of three seconds at 10 frames a second whose every pixel is one grey level,
// six luma steps brighter in each frame than in the one before, so a texture tells which
// frame it shows. `codecs` are ffmpeg's output options ("-c:v ffv1"); with `withSound` a sine
// tone rides along (`codecs` then names its codec too).
std::string frameRamp(const std::string& name, const std::string& codecs, bool withSound);
constexpr int kFrameRampFrames = 30;
constexpr double kFrameRampLength = 0.1;  // seconds a frame
// The frame a frame-ramp texture shows (read from a block at its centre), 0 for the first.
int rampFrame(const uint8_t* texture, int texWidth);

struct Bgr {
    int b, g, r;
};
constexpr Bgr kBlue{255, 0, 0};
constexpr Bgr kGreen{0, 255, 0};  // videotestsrc's green is full green
constexpr Bgr kRed{0, 0, 255};
constexpr Bgr kWhite{255, 255, 255};
constexpr Bgr kBlack{0, 0, 0};

// The quadrant clip's colour at texture pixel (x, row) of a video of w by h, row 0 being the
// picture's bottom row.
Bgr quadrantAt(int x, int row, int w, int h);

// Whether the texture pixel at (x, row) is within `tolerance` of `expected` in every channel.
testing::AssertionResult pixelNear(const uint8_t* texture, int texWidth, int x, int row,
                                   Bgr expected, int tolerance = 40);

struct Handle {
    VideoTexture* h = CreateVideoTexture();
    ~Handle() { DeleteVideoTexture(h); }
    operator VideoTexture*() const { return h; }
};

// Feeds the handle as a player's drawing tick does (UpdateEvent, GetTexture) until `done`
// holds for a served texture, or gives up after a generous time. Returns whether it held.
bool feedUntil(VideoTexture* h, const std::function<bool(const uint8_t*)>& done,
               std::chrono::seconds patience = std::chrono::seconds(20));
// The next texture newer than `previous` (null after a generous wait).
const uint8_t* nextFrame(VideoTexture* h, const uint8_t* previous);

}  // namespace clips
