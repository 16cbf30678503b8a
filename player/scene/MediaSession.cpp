#include "MediaSession.h"

#include <framelift.h>

namespace {

VideoFormat readFormat(VideoTexture* handle)
{
    VideoFormat f;
    GetTexScalMatrix(handle, f.scale.data());
    f.texWidth = GetTexWidth(handle);
    f.texHeight = GetTexHeight(handle);
    f.videoWidth = GetVideoWidth(handle);
    f.videoHeight = GetVideoHeight(handle);
    f.displayAspect = GetDisplayAspect(handle);
    return f;
}

}  // namespace

MediaSession::~MediaSession()
{
    deleteHandle(handle_);
}

void MediaSession::deleteHandle(VideoTexture* handle)
{
    if (handle)
        DeleteVideoTexture(handle);
}

void MediaSession::createHandle()
{
    if (!handle_)
        handle_ = CreateVideoTexture();
}

MediaSession::LoadResult MediaSession::load(VideoTexture* handle, const std::string& path,
                                            const std::function<bool()>& stillWanted)
{
    LoadResult result;
    if (path.find('\0') != std::string::npos) {
        // The library would open the name cut at the first zero byte: a different file.
        Stop(handle);
        FreeVideo(handle);
        result.failure = FRAMELIFT_LOAD_MISSING;
        return result;
    }
    if (!LoadVideo(handle, path.c_str(), FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0)) {
        result.failure = GetLoadFailure(handle);
        return result;
    }
    if (stillWanted && !stillWanted()) {
        // Nobody waits for it: it must not start playing its sound.
        FreeVideo(handle);
        return result;
    }
    Play(handle);
    // Waits for the first frame; null when none comes in time (no video stream, a decoder
    // that stalls), and such a file must not leave its sound playing behind a black picture.
    const uint8_t* frame = GetTexture(handle);
    const VideoFormat format = readFormat(handle);
    if (!frame || !format.usable()) {
        Stop(handle);
        FreeVideo(handle);
        result.failure = FRAMELIFT_LOAD_UNKNOWN;
        return result;
    }
    result.played = true;
    result.format = format;
    result.firstFrame = frame;
    return result;
}

bool MediaSession::open(const std::string& path)
{
    VideoTexture* handle = lend();
    adopt(handle, load(handle, path));
    return open_;
}

VideoTexture* MediaSession::lend()
{
    createHandle();
    // A load releases whatever was open, so no frame of it may be read from here on.
    open_ = false;
    format_ = VideoFormat{};
    // The load makes a new graph, which plays at the normal rate.
    rate_ = 1.0;
    if (observer_)
        observer_->videoSuspended();
    VideoTexture* handle = handle_;
    handle_ = nullptr;
    return handle;
}

void MediaSession::adopt(VideoTexture* handle, const LoadResult& result)
{
    if (handle_ != handle)
        deleteHandle(handle_);
    handle_ = handle;
    loadFailure_ = result.failure;
    if (!result.played) {
        closed();
        return;
    }
    open_ = true;
    format_ = result.format;
    if (observer_)
        observer_->videoOpened(format_, result.firstFrame);
}

void MediaSession::close()
{
    Stop(handle_);
    FreeVideo(handle_);
    closed();
}

void MediaSession::closed()
{
    open_ = false;
    format_ = VideoFormat{};
    if (observer_)
        observer_->videoClosed();
}

void MediaSession::pause() { Pause(handle_); }

void MediaSession::seek(double seconds) { GotoTime(handle_, seconds); }

bool MediaSession::stepFrame(int frames, double& seconds)
{
    return open_ && StepFrame(handle_, frames, &seconds);
}

bool MediaSession::loadSubtitleFile(const std::string& path)
{
    return open_ && path.find('\0') == std::string::npos && LoadSubtitleFile(handle_, path.c_str());
}

bool MediaSession::setSubtitleEncoding(const std::string& encoding)
{
    return SetSubtitleEncoding(encoding.c_str());
}

void MediaSession::showSubtitles(bool shown)
{
    if (open_)
        ShowSubtitles(handle_, shown ? 1 : 0);
}

void MediaSession::setRate(double rate)
{
    if (SetRate(handle_, rate))
        rate_ = rate;
}

void MediaSession::setSoundVolume(double factor) { SetSoundVolume(handle_, factor); }

MediaSession::Frame MediaSession::nextFrame()
{
    if (!open_)
        return {};
    UpdateEvent(handle_);
    copiedBeforeLastTake_ = GetFrameCounts(handle_).copied;
    const uint8_t* pixels = GetTexture(handle_);
    if (!pixels)
        return {};
    if (GetTexWidth(handle_) == format_.texWidth && GetTexHeight(handle_) == format_.texHeight)
        return {pixels, false};
    // The stream changed its picture size: the image has a new layout.
    const VideoFormat format = readFormat(handle_);
    if (!format.usable())
        return {};
    format_ = format;
    return {pixels, true};
}

void MediaSession::pollEvents()
{
    if (open_)
        UpdateEvent(handle_);
}

int MediaSession::frameNotifier() const
{
    return handle_ ? GetFrameNotifier(handle_) : -1;
}

MediaSession::FrameCounts MediaSession::frameCounts() const
{
    if (!open_)
        return {};
    const FrameliftFrameCounts c = GetFrameCounts(handle_);
    return {c.decoded, c.copied, c.dropped, c.taken};
}

bool MediaSession::hasNewerFrame() const
{
    // A new load starts the library's count again: a smaller count is a newer frame too.
    return open_ && GetFrameCounts(handle_).copied != copiedBeforeLastTake_;
}
