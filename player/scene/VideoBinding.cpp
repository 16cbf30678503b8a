// The video texture: made from the first frame of each open, then fed every frame with the
// media session's newest one.
#include "SceneRendererImpl.h"
#include "TexelWidening.h"

#include <algorithm>

void SceneRenderer::Impl::videoOpened(const VideoFormat& format, const uint8_t* firstFrame)
{
    format_ = format;
    lastFrame_ = firstFrame;
    setViewport(0, 0, format.videoWidth - 1, format.videoHeight - 1);
    textureStale_ = true;  // made from this frame by the next drawFrame
    changed_ = true;
    // A new video starts flat and without a shape until its viewer sets them again.
    surfaceMode_ = SurfaceMode::Normal;
    shapeKind_ = ShapeKind::Flat;
    videoReady_ = true;
}

void SceneRenderer::Impl::videoClosed()
{
    // The frame buffers went with the video: nothing of it may be read from here on.
    videoReady_ = false;
    lastFrame_ = nullptr;
    texels_ = {};
    changed_ = true;
}

void SceneRenderer::Impl::videoSuspended()
{
    // While a file loads the picture stays as it was: the texture holds the last frame, and
    // no frame is read until the load is done.
    lastFrame_ = nullptr;
}

void SceneRenderer::Impl::defineTextureImage()
{
    // The texture takes the image in 4-byte texels, opaque: the picture is the same as from
    // the 3-byte pixels, and a software OpenGL, which keeps 4-byte texels in this order for an
    // unsized RGBA texture given BGRA data, copies each upload instead of converting it.
    const int texWidth = format_.texWidth;
    const int texHeight = format_.texHeight;
    std::vector<uint8_t> whole(static_cast<size_t>(texWidth) * texHeight * 4, 0);
    if (lastFrame_)
        scene::widenBgrToBgra(lastFrame_, 3L * texWidth, whole.data(), texWidth, texHeight);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texWidth, texHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 whole.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    uploadedBytesLastFrame_ += 3LL * texWidth * texHeight;
    // Later frames change only the video's part: its texels are all that is kept.
    texels_.assign(static_cast<size_t>(videoPartWidth()) * videoPartHeight() * 4, 0);
}

int SceneRenderer::Impl::videoPartWidth() const
{
    return std::max(0, std::min(format_.videoWidth, format_.texWidth));
}

int SceneRenderer::Impl::videoPartHeight() const
{
    return std::max(0, std::min(format_.videoHeight, format_.texHeight));
}

void SceneRenderer::Impl::createVideoTexture()
{
    // One texture object per open: the previous open's goes.
    if (textureName_ != 0)
        glDeleteTextures(1, &textureName_);
    glGenTextures(1, &textureName_);
    glBindTexture(GL_TEXTURE_2D, textureName_);
    defineTextureImage();
    textureStale_ = false;
    ++framesShown_;
}

void SceneRenderer::Impl::feedVideoTexture()
{
    glBindTexture(GL_TEXTURE_2D, textureName_);
    const MediaSession::Frame frame = media_.nextFrame();
    // No frame in time, or the one the texture already holds: nothing to upload.
    if (!frame.pixels || (frame.pixels == lastFrame_ && !frame.formatChanged))
        return;
    lastFrame_ = frame.pixels;
    ++framesShown_;
    if (frame.formatChanged) {
        // The stream changed its picture size: the image has a new layout.
        format_ = media_.format();
        defineTextureImage();
        if (drawsMesh(surfaceMode_))
            refitSurface();
        return;
    }
    // Only the video's part of the image changes; the black margin went in at creation.
    const int width = videoPartWidth();
    const int height = videoPartHeight();
    scene::widenBgrToBgra(frame.pixels, 3L * format_.texWidth, texels_.data(), width, height);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE,
                    texels_.data());
    uploadedBytesLastFrame_ += 3LL * width * height;
}
