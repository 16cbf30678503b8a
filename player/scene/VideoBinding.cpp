// The video texture: made from the first frame of each open, then fed every frame with the
// media session's newest one.
#include "SceneRendererImpl.h"

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
    // Rows of 3-byte pixels are packed without padding.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, format_.texWidth, format_.texHeight, 0, GL_BGR,
                 GL_UNSIGNED_BYTE, lastFrame_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    uploadedBytesLastFrame_ += 3LL * format_.texWidth * format_.texHeight;
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
        return;
    }
    // Only the video's part of the image changes; the black margin went in at creation.
    const int width = std::min(format_.videoWidth, format_.texWidth);
    const int height = std::min(format_.videoHeight, format_.texHeight);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, format_.texWidth);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, frame.pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    uploadedBytesLastFrame_ += 3LL * width * height;
}
