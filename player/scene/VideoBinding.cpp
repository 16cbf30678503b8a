// The renderer's use of Framelift: opening a file, the texture made from its frames, and the
// thin operations the view drives playback with.
#include "SceneState.h"

#include <framelift.h>

#include <algorithm>

namespace {

// What Framelift reports about a loaded video.
struct VideoGeometry {
    std::array<float, 16> scale{};
    int texWidth = 0, texHeight = 0, videoWidth = 0, videoHeight = 0;

    // The frame feed reads videoHeight rows of texWidth pixels from the texture image.
    bool usable() const
    {
        return texWidth > 0 && texHeight > 0 && videoWidth > 0 && videoHeight > 0 &&
               videoWidth <= texWidth && videoHeight <= texHeight;
    }
};

VideoGeometry readGeometry(VideoTexture* handle)
{
    VideoGeometry g;
    GetTexScalMatrix(handle, g.scale.data());
    g.texWidth = GetTexWidth(handle);
    g.texHeight = GetTexHeight(handle);
    g.videoWidth = GetVideoWidth(handle);
    g.videoHeight = GetVideoHeight(handle);
    return g;
}

void adopt(SceneRenderer::State& s, const VideoGeometry& g)
{
    s.texScale = g.scale;
    s.texWidth = g.texWidth;
    s.texHeight = g.texHeight;
    s.videoWidth = g.videoWidth;
    s.videoHeight = g.videoHeight;
}

}  // namespace

bool SceneRenderer::OpenVideo(const std::string& path)
{
    State& s = *d;
    // LoadVideo releases whatever was open, so nothing of it may be drawn from here on.
    s.videoReady = false;
    s.lastFrame = nullptr;
    if (path.find('\0') != std::string::npos) {
        // The library would open the name cut at the first zero byte: a different file.
        CloseVideo();
        return false;
    }
    // The handle needs no GL context: a file may be opened before the window has one.
    if (!s.videoHandle)
        s.videoHandle = CreateVideoTexture();
    if (!LoadVideo(s.videoHandle, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0))
        return false;
    Play(s.videoHandle);
    // Waits for the first frame; null when none comes in time (no video stream, a decoder
    // that stalls), and such a file must not leave its sound playing behind a black picture.
    const uint8_t* frame = GetTexture(s.videoHandle);
    const VideoGeometry geometry = readGeometry(s.videoHandle);
    if (!frame || !geometry.usable()) {
        CloseVideo();
        return false;
    }
    adopt(s, geometry);
    SetViewport(0, 0, s.videoWidth - 1, s.videoHeight - 1);
    s.lastFrame = frame;
    s.textureStale = true;  // made from this frame by the next DrawFrame
    s.surfaceMode = SurfaceMode::Normal;
    s.shapeKind = ShapeKind::Flat;
    s.videoReady = true;
    return true;
}

void SceneRenderer::CloseVideo()
{
    Stop(d->videoHandle);
    FreeVideo(d->videoHandle);
    d->videoReady = false;
    d->lastFrame = nullptr;
}

void SceneRenderer::PauseVideo() { Pause(d->videoHandle); }

void SceneRenderer::SeekTo(double seconds) { GotoTime(d->videoHandle, seconds); }

void SceneRenderer::ChangeRate(double rate) { SetRate(d->videoHandle, rate); }

int SceneRenderer::QueryVideoWidth() const { return GetVideoWidth(d->videoHandle); }

int SceneRenderer::QueryVideoHeight() const { return GetVideoHeight(d->videoHandle); }

namespace scene {

namespace {

// Gives the bound texture the image's size and contents, black margin included.
void defineTextureImage(SceneRenderer::State& s)
{
    // Rows of 3-byte pixels are packed without padding.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, s.texWidth, s.texHeight, 0, GL_BGR,
                 GL_UNSIGNED_BYTE, s.lastFrame);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    s.uploadedBytesLastFrame += 3LL * s.texWidth * s.texHeight;
}

}  // namespace

void createVideoTexture(SceneRenderer::State& s)
{
    // One texture object per open: the previous open's goes.
    if (s.textureName != 0)
        glDeleteTextures(1, &s.textureName);
    glGenTextures(1, &s.textureName);
    glBindTexture(GL_TEXTURE_2D, s.textureName);
    defineTextureImage(s);
    s.textureStale = false;
}

void feedVideoTexture(SceneRenderer::State& s)
{
    glBindTexture(GL_TEXTURE_2D, s.textureName);
    UpdateEvent(s.videoHandle);  // rewinds the video at its end
    const uint8_t* frame = GetTexture(s.videoHandle);
    if (!frame)
        return;  // no frame in time: the texture keeps the last one
    s.lastFrame = frame;

    if (GetTexWidth(s.videoHandle) != s.texWidth || GetTexHeight(s.videoHandle) != s.texHeight) {
        // The stream changed its picture size: the image has a new layout.
        const VideoGeometry geometry = readGeometry(s.videoHandle);
        if (!geometry.usable())
            return;
        adopt(s, geometry);
        defineTextureImage(s);
        return;
    }

    // Only the video's part of the image changes; the black margin went in at creation.
    const int width = std::min(s.videoWidth, s.texWidth);
    const int height = std::min(s.videoHeight, s.texHeight);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, s.texWidth);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, frame);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    s.uploadedBytesLastFrame += 3LL * width * height;
}

}  // namespace scene
