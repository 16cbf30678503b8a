// MediaSession: the player's one Framelift handle and the video open on it. It opens a file
// (load, play, wait for the first frame), pauses, seeks, sets the rate and closes, and serves
// the newest frame to whoever draws. It makes no GL call: the scene asks it for a frame on
// every tick and uploads it.
//
// Threading: the session lives on the UI thread. load() may run on another thread with a
// handle that thread owns alone (see lend() and adopt()); nothing else touches the handle
// while it is lent.
#pragma once

#include <framelift.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

struct VideoTexture;

// What Framelift reports about a loaded video.
struct VideoFormat {
    std::array<float, 16> scale{};  // the texture matrix that crops to the video's part
    int texWidth = 0, texHeight = 0, videoWidth = 0, videoHeight = 0;
    // Width over height as the picture is meant to be seen (its pixels need not be square);
    // 0 when the library does not say.
    float displayAspect = 0.0f;

    // How much wider than its stored pixels the picture is seen: exactly 1 for square pixels
    // (and when the shape is unknown), 1.42 for 64:45 ones.
    float pixelWidening() const
    {
        if (!(displayAspect > 0.0f) || videoWidth <= 0 || videoHeight <= 0)
            return 1.0f;
        const float widening = displayAspect * static_cast<float>(videoHeight) /
                               static_cast<float>(videoWidth);
        return (widening > 0.999f && widening < 1.001f) ? 1.0f : widening;
    }
    // The width the picture is seen at, in pixels of its height.
    int displayWidth() const
    {
        return static_cast<int>(static_cast<float>(videoWidth) * pixelWidening() + 0.5f);
    }

    // A frame feed reads videoHeight rows of texWidth pixels from the texture image.
    bool usable() const
    {
        return texWidth > 0 && texHeight > 0 && videoWidth > 0 && videoHeight > 0 &&
               videoWidth <= texWidth && videoHeight <= texHeight;
    }
};

class MediaSession {
public:
    // Told on the UI thread when a video is ready to be drawn and when it goes.
    class Observer {
    public:
        virtual ~Observer() = default;
        // firstFrame is valid until the next frame is asked for or the video goes.
        virtual void videoOpened(const VideoFormat& format, const uint8_t* firstFrame) = 0;
        virtual void videoClosed() = 0;
        // The handle went to a load: no frame comes until the load's result is adopted, and
        // the frames handed out so far are gone (what was uploaded of them may still show).
        virtual void videoSuspended() = 0;
    };

    // The outcome of loading a file on a handle.
    struct LoadResult {
        bool played = false;
        VideoFormat format;
        const uint8_t* firstFrame = nullptr;
        // Why the file did not play (a FRAMELIFT_LOAD_* value); FRAMELIFT_LOAD_UNKNOWN when
        // it loaded but brought no picture in time.
        int32_t failure = FRAMELIFT_LOAD_OK;
    };

    // A newer frame for the texture; formatChanged when the stream changed its picture size.
    struct Frame {
        const uint8_t* pixels = nullptr;
        bool formatChanged = false;
    };

    MediaSession() = default;
    ~MediaSession();  // deletes the handle, which stops and releases any video
    MediaSession(const MediaSession&) = delete;
    MediaSession& operator=(const MediaSession&) = delete;

    void setObserver(Observer* observer) { observer_ = observer; }

    // Makes the handle when there is none. A file may be opened before the scene has a GL
    // context: the handle needs none.
    void createHandle();
    VideoTexture* handle() const { return handle_; }

    // Opens and plays a UTF-8 path here and now; false when it cannot be played (the session
    // is then closed).
    bool open(const std::string& path);
    // Stop and FreeVideo: nothing is open afterwards.
    void close();
    void pause();
    void seek(double seconds);
    // Steps the paused video by frames (back when negative) and shows the frame stepped to;
    // false, and nothing moves, while it plays or with nothing open. `seconds` gets where
    // that frame begins.
    bool stepFrame(int frames, double& seconds);
    void setRate(double rate);
    // Draws the subtitles of the file at path over the open video, in place of its own; false
    // when the file holds none or nothing is open.
    bool loadSubtitleFile(const std::string& path);
    // Shows or hides the open video's subtitles (a new load shows them).
    void showSubtitles(bool shown);
    // The encoding subtitle files are read in when they are not Unicode, for every session;
    // empty for the library's default. False for one the system does not know.
    static bool setSubtitleEncoding(const std::string& encoding);
    // The open video's own sound as a linear amplitude factor, 0 (silence) to 1 (full
    // volume); a new load starts at full volume. A video without sound is left alone.
    void setSoundVolume(double factor);
    // The rate the library last took for the open video (1.0 after each load); a rate it
    // refused leaves it.
    double rate() const { return rate_; }

    bool isOpen() const { return open_; }
    const VideoFormat& format() const { return format_; }
    // Why the last open did not play (a FRAMELIFT_LOAD_* value); FRAMELIFT_LOAD_OK when it did.
    int32_t loadFailure() const { return loadFailure_; }

    // Every draw: UpdateEvent (which rewinds the video at its end), then GetTexture.
    // No frame (pixels null) when nothing is open or none came in time.
    Frame nextFrame();
    // Every tick, drawn or not: UpdateEvent, so that the video loops at its end even while
    // nothing is drawn.
    void pollEvents();
    // The handle's descriptor that is readable when a new frame was copied (-1 when there is
    // no handle, or it gave none). The same for the handle's life; lend() and adopt() may
    // bring another handle.
    int frameNotifier() const;
    // What the library did with the open video's frames (decoded, copied, dropped, taken);
    // zeros when nothing is open.
    struct FrameCounts {
        unsigned long long decoded = 0, copied = 0, dropped = 0, taken = 0;
    };
    FrameCounts frameCounts() const;
    // Whether a frame was copied since the last nextFrame(): a wake-up of the frame
    // descriptor that the last draw already answered asks for nothing.
    bool hasNewerFrame() const;

    // The open's work on a handle the caller owns alone: load, play, wait for the first frame;
    // a file that loads but brings no frame is released again, and so is one that nobody wants
    // any more once it has loaded (stillWanted returns false). Any thread.
    static LoadResult load(VideoTexture* handle, const std::string& path,
                           const std::function<bool()>& stillWanted = {});
    // Deletes a handle nobody adopts. Any thread that owns it alone.
    static void deleteHandle(VideoTexture* handle);
    // Gives the handle away for a load elsewhere (made first when there is none). The session
    // is closed and holds no handle until adopt().
    VideoTexture* lend();
    // Takes a handle back with what load() made of it.
    void adopt(VideoTexture* handle, const LoadResult& result);

private:
    void closed();

    VideoTexture* handle_ = nullptr;  // owned: DeleteVideoTexture in the destructor
    Observer* observer_ = nullptr;
    bool open_ = false;
    int32_t loadFailure_ = FRAMELIFT_LOAD_OK;
    VideoFormat format_;
    unsigned long long copiedBeforeLastTake_ = 0;  // the library's copy count then
    double rate_ = 1.0;
};
