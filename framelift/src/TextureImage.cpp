#include "TextureImage.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace framelift {

bool isValidSizeMode(int32_t mode)
{
    return mode == SizeExact || mode == SizePowerOfTwoUp || mode == SizePowerOfTwoDown;
}

int32_t roundUpToPowerOfTwo(int32_t a)
{
    if (a <= 0 || (a & (a - 1)) == 0)
        return a;
    int32_t upper = 2;
    while (upper < a && upper <= (INT32_MAX >> 1))
        upper <<= 1;
    return upper;
}

int32_t roundDownToPowerOfTwo(int32_t a)
{
    if (a <= 0 || (a & (a - 1)) == 0)
        return a;
    int32_t lower = 1;
    while ((lower << 1) < a)
        lower <<= 1;
    return lower;
}

TextureGeometry geometryFor(int32_t videoWidth, int32_t videoHeight, int32_t sizeMode)
{
    TextureGeometry g;
    g.videoWidth = videoWidth;
    g.videoHeight = videoHeight;
    switch (sizeMode) {
    case SizeExact:
        g.texWidth = videoWidth;
        g.texHeight = videoHeight;
        break;
    case SizePowerOfTwoUp:
        g.texWidth = roundUpToPowerOfTwo(videoWidth);
        g.texHeight = roundUpToPowerOfTwo(videoHeight);
        break;
    case SizePowerOfTwoDown:
        g.texWidth = roundDownToPowerOfTwo(videoWidth);
        g.texHeight = roundDownToPowerOfTwo(videoHeight);
        break;
    default:
        return g;  // no texture size for an unknown mode
    }
    g.texPitch = g.texWidth * 3;
    return g;
}

void writeScaleMatrix(const TextureGeometry& g, float out[16])
{
    std::fill(out, out + 16, 0.0f);
    out[0] = static_cast<float>(g.videoWidth) / static_cast<float>(g.texWidth);
    out[5] = static_cast<float>(g.videoHeight) / static_cast<float>(g.texHeight);
    out[10] = 1.0f;
    out[15] = 1.0f;
}

TextureImage::TextureImage(int32_t sizeMode) : sizeMode_(sizeMode) {}

void TextureImage::setSizeMode(int32_t sizeMode)
{
    std::lock_guard<std::mutex> lock(mutex_);
    sizeMode_ = sizeMode;
}

void TextureImage::setSignal(std::shared_ptr<FrameSignal> signal)
{
    std::lock_guard<std::mutex> lock(mutex_);
    signal_ = std::move(signal);
}

int32_t TextureImage::sizeMode() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sizeMode_;
}

float displayAspect(const TextureGeometry& g)
{
    if (!g.connected())
        return 0.0f;
    return static_cast<float>(static_cast<double>(g.videoWidth) * g.pixelAspectN /
                              (static_cast<double>(g.videoHeight) * g.pixelAspectD));
}

void TextureImage::resize(int32_t videoWidth, int32_t videoHeight, int32_t pixelAspectN,
                          int32_t pixelAspectD)
{
    std::lock_guard<std::mutex> lock(mutex_);
    TextureGeometry next = geometryFor(videoWidth, videoHeight, sizeMode_);
    if (pixelAspectN > 0 && pixelAspectD > 0) {
        next.pixelAspectN = pixelAspectN;
        next.pixelAspectD = pixelAspectD;
    }
    const bool sameTexture = next.texWidth == geometry_.texWidth &&
                             next.texHeight == geometry_.texHeight &&
                             !buffers_[0].empty();
    if (sameTexture && next.videoWidth == geometry_.videoWidth &&
        next.videoHeight == geometry_.videoHeight) {
        // The same sizes again (after a seek): keep the frames.
        geometry_.pixelAspectN = next.pixelAspectN;
        geometry_.pixelAspectD = next.pixelAspectD;
        return;
    }
    geometry_ = next;
    for (auto& buffer : buffers_) {
        if (!buffer.empty())
            retired_.push_back(std::move(buffer));
        buffer.clear();
        if (next.hasTexture())
            buffer.assign(static_cast<size_t>(next.texPitch) * next.texHeight, 0);
    }
    front_ = -1;
    ready_ = -1;
}

int TextureImage::pickWriteTarget() const
{
    for (int i = 0; i < 3; ++i) {
        if (i != front_ && i != ready_)
            return i;
    }
    return 0;  // unreachable: three buffers, at most two taken
}

void TextureImage::copyFrame(const uint8_t* top, int32_t stride)
{
    int target;
    TextureGeometry g;
    uint8_t* dst = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        target = pickWriteTarget();
        g = geometry_;
        if (!buffers_[target].empty())
            dst = buffers_[target].data();
    }
    if (dst && top && g.connected()) {
        // Up and Exact copy the whole picture; Down keeps its lower-left texWidth by
        // texHeight part.
        const int32_t rows = std::min(g.texHeight, g.videoHeight);
        const size_t rowBytes = static_cast<size_t>(std::min(g.texWidth, g.videoWidth)) * 3;
        for (int32_t r = 0; r < rows; ++r) {
            const uint8_t* src = top + static_cast<ptrdiff_t>(g.videoHeight - 1 - r) * stride;
            std::memcpy(dst + static_cast<size_t>(r) * g.texPitch, src, rowBytes);
        }
    }
    FrameSignal* signal;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // A resize between the two locks cannot happen: both run on the streaming thread.
        ready_ = target;
        signal = signal_.get();  // lives as long as this image
    }
    framesCopied_.fetch_add(1, std::memory_order_relaxed);
    frameDone_.notify_all();
    if (signal)
        signal->notify();
}

uint8_t* TextureImage::take(std::chrono::milliseconds bound)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (!geometry_.connected())
        return nullptr;  // nothing was ever negotiated: no frame can come
    const bool arrived =
        frameDone_.wait_for(lock, bound, [this] { return ready_ >= 0 || front_ >= 0; });
    retired_.clear();
    if (!arrived)
        return nullptr;
    if (ready_ >= 0) {
        front_ = ready_;
        ready_ = -1;
        framesTaken_.fetch_add(1, std::memory_order_relaxed);
    }
    auto& buffer = buffers_[front_];
    return buffer.empty() ? nullptr : buffer.data();
}

TextureGeometry TextureImage::geometry() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return geometry_;
}

}  // namespace framelift
