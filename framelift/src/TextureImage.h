// The texture image a texture filter fills: sizing by size mode, the row copy that turns a
// top-down frame into a bottom-up texture, and the buffers shared between the streaming thread
// (which copies) and the caller (which uploads).
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "FrameSignal.h"

namespace framelift {

enum SizeMode : int32_t {
    SizeExact = 0,
    SizePowerOfTwoUp = 1,
    SizePowerOfTwoDown = 2,
};

bool isValidSizeMode(int32_t mode);

// Smallest power of two not below a (a itself when it is one, or 0).
int32_t roundUpToPowerOfTwo(int32_t a);
// Largest power of two not above a (a itself when it is one, or 0).
int32_t roundDownToPowerOfTwo(int32_t a);

// Sizes of one connection. -1 everywhere while unconnected, and the texture sides stay -1 for a
// size mode outside 0 to 2.
struct TextureGeometry {
    int32_t videoWidth = -1;
    int32_t videoHeight = -1;
    int32_t texWidth = -1;
    int32_t texHeight = -1;
    int32_t texPitch = 0;  // texWidth * 3: rows are packed
    // The shape of one pixel on the screen (64:45 on a 16:9 PAL picture), from the caps.
    int32_t pixelAspectN = 1;
    int32_t pixelAspectD = 1;

    bool connected() const { return videoWidth > 0 && videoHeight > 0; }
    bool hasTexture() const { return texWidth > 0 && texHeight > 0; }
};

TextureGeometry geometryFor(int32_t videoWidth, int32_t videoHeight, int32_t sizeMode);

// The picture's width over its height as it is meant to be seen: the video's sides times the
// pixel aspect. 0 for a geometry that is not connected.
float displayAspect(const TextureGeometry& geometry);

// Writes the scale matrix (OpenGL element order) of a connected geometry.
void writeScaleMatrix(const TextureGeometry& geometry, float out[16]);

// Three buffers rotate so that neither side ever waits for the other's memory:
//   front   - what the last take() handed to the caller; never written until the next take();
//   ready   - the newest completed copy that the caller has not taken yet;
//   writing - the copy in progress on the streaming thread.
// A copy always goes into a buffer that is neither front nor ready.
class TextureImage {
public:
    explicit TextureImage(int32_t sizeMode);

    // Set once, before the filter joins a graph.
    void setSizeMode(int32_t sizeMode);
    // Told after every completed copy; may be null.
    void setSignal(std::shared_ptr<FrameSignal> signal);
    int32_t sizeMode() const;

    // Streaming thread: a new connection. Buffers of another size replace the old ones; the
    // old ones stay alive until the caller's next take(), so a pointer handed out earlier
    // never dangles while the caller may still read it.
    // The pixel aspect is that of the caps (1:1 when they give none or a senseless one).
    void resize(int32_t videoWidth, int32_t videoHeight, int32_t pixelAspectN = 1,
                int32_t pixelAspectD = 1);

    // Streaming thread: copies one frame. `top` is the picture's top row and `stride` the
    // bytes from one source row to the next; the texture's row 0 receives the bottom row.
    void copyFrame(const uint8_t* top, int32_t stride);

    // Caller: the newest completed frame, waiting up to `bound` for the first one. Null when
    // no frame came in time, when the filter was never connected, or when the size mode gave
    // no texture.
    uint8_t* take(std::chrono::milliseconds bound);

    TextureGeometry geometry() const;
    uint64_t framesCopied() const { return framesCopied_.load(std::memory_order_relaxed); }
    // Newer frames handed out by take(): each one a frame the caller could show.
    uint64_t framesTaken() const { return framesTaken_.load(std::memory_order_relaxed); }

private:
    int pickWriteTarget() const;  // mutex held

    mutable std::mutex mutex_;
    std::condition_variable frameDone_;

    // Protected by mutex_.
    int32_t sizeMode_;
    TextureGeometry geometry_;
    std::array<std::vector<uint8_t>, 3> buffers_;
    std::vector<std::vector<uint8_t>> retired_;  // previous size, freed by the next take()
    int front_ = -1;
    int ready_ = -1;

    std::shared_ptr<FrameSignal> signal_;  // set before streaming starts

    std::atomic<uint64_t> framesCopied_{0};
    std::atomic<uint64_t> framesTaken_{0};
};

}  // namespace framelift
