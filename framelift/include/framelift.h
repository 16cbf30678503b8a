/*
 * Framelift: plays one video file and serves every presented frame as a texture image.
 *
 * Lifecycle
 *   CreateVideoTexture() makes an empty handle. LoadVideo() builds a stopped, prerolled
 *   playback graph for a file (its sizes are known from then on); Play() runs it and every
 *   frame the graph presents is copied into a texture image that GetTexture() returns.
 *   FreeVideo() releases the graph (another LoadVideo() may follow on the same handle),
 *   DeleteVideoTexture() releases the handle and everything it holds.
 *
 *   Typical use:
 *       VideoTexture* h = CreateVideoTexture();
 *       if (LoadVideo(h, path, FRAMELIFT_SIZE_POWER_OF_TWO_UP, 0)) {
 *           Play(h);
 *           uint8_t* pixels = GetTexture(h);     // first frame, or NULL after a few seconds
 *           ... every drawing tick: UpdateEvent(h); upload GetTexture(h) ...
 *           Stop(h);
 *           FreeVideo(h);
 *       }
 *       DeleteVideoTexture(h);
 *
 * Texture image
 *   texWidth by texHeight pixels of 3 bytes in blue, green, red order, rows packed without
 *   padding (texWidth * 3 bytes a row; a reader that expects 4-byte row alignment must allow
 *   for sides not a multiple of 4). Row 0 is the picture's bottom row (the row OpenGL expects
 *   at t = 0). The video fills the lower-left videoWidth by videoHeight part; in size mode 1
 *   the rest is black. In size mode 2 the texture holds the picture's lower-left part.
 *   The buffer is owned by the library. The pointer GetTexture() returns stays whole and
 *   valid until the next GetTexture() on the handle, or until FreeVideo(), LoadVideo() or
 *   DeleteVideoTexture(): the streaming thread never writes it in between.
 *
 * Null handle
 *   Every function given a null handle does nothing and returns its empty value: false,
 *   0, null, 1.0f for GetVideoRatio(), an all-zero record for GetCurrentImageBmp().
 *
 * Empty handle
 *   A handle with no video (new, after FreeVideo(), or after a LoadVideo() that failed before
 *   its graph existed) gives: true from Play, Pause, Stop, Restart, GotoTime, SetRate,
 *   MuteSound, FullScreen and GetTexScalMatrix (which then write nothing), false from
 *   UpdateEvent and StepFrame, 0 from the size accessors, 1.0f from GetVideoRatio(), NULL at once from
 *   GetTexture(). After a load that failed once the texture filter was in the graph, the size
 *   accessors answer -1 (the filter is not connected) until the next load or FreeVideo().
 *
 * Threads
 *   GStreamer's streaming threads copy frames; nothing is ever called back on them (they
 *   only make GetFrameNotifier()'s descriptor readable). Each
 *   loaded video has one control thread of its own: state changes, seeks, rate changes and
 *   the release of the graph run there, one after the other in the order they were called.
 *   Calls on one handle may come from several of the caller's threads, but FreeVideo(),
 *   LoadVideo() and DeleteVideoTexture() must not overlap any other call on the same handle;
 *   keeping them apart is the caller's duty. Different handles are independent (apart from
 *   the resume position below).
 *
 * Bounds
 *   No call blocks its caller for good, whatever the file. A control call (Play, Pause, Stop,
 *   Restart, GotoTime, StepFrame, SetRate, UpdateEvent's rewind) waits at most about four
 *   seconds for the graph; one the graph has not carried out by then still happens, in its
 *   turn (SetRate() and StepFrame() then report false). FreeVideo(), LoadVideo()'s release of the
 *   previous video and DeleteVideoTexture() wait as long for the graph to stop; a graph that
 *   does not stop in time is released by its control thread once it has. LoadVideo() itself
 *   is bounded as described there, GetTexture() as described there.
 *
 * Orientation
 *   A stream that says how it is to be shown (a phone's 90 degree turn, a mirrored camera)
 *   is turned upright before the copy: the texture image, the sizes, the scale matrix and the
 *   snapshot all describe the upright picture (a 640 by 480 stream turned by 90 degrees is a
 *   480 by 640 video).
 *
 * Subtitles
 *   Text subtitles are drawn into the picture before the copy, so the texture image and the
 *   snapshot carry them: those of a file beside the video with its base name and the ending
 *   .srt, .ass, .ssa or .vtt (small letters, capitals or capitalised), else the video's own first text stream
 *   (Matroska SubRip or SSA, MP4 timed text). A subtitle file that is empty, over 8 MiB, not
 *   text or without a cue is passed over; its faults never fail the load. Each frame shows
 *   the cue of its own time, so subtitles stay in time across seeks, pauses, steps and
 *   rates. LoadSubtitleFile() and ShowSubtitles() change them while the video plays.
 *
 * Resume position
 *   One position for the whole library (shared by all handles): Pause() stores the current
 *   position, StepFrame() the position of the frame it stepped to, Stop() resets it to 0,
 *   Play() seeks to it before running. GotoTime(), Restart()
 *   and the end-of-stream rewind of UpdateEvent() do not change it.
 *
 * Paths
 *   8-bit strings as the file system takes them (UTF-8 on usual Linux systems), at most
 *   PATH_MAX - 1 bytes; a longer path fails the load.
 */
#ifndef FRAMELIFT_H
#define FRAMELIFT_H

#include <stdbool.h>
#include <stdint.h>

#if defined(FRAMELIFT_BUILDING)
#define FRAMELIFT_API __attribute__((visibility("default")))
#else
#define FRAMELIFT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque handle. */
typedef struct VideoTexture VideoTexture;

/* Texture size modes for LoadVideo(). */
enum {
    FRAMELIFT_SIZE_EXACT = 0,           /* texture sides equal the video's */
    FRAMELIFT_SIZE_POWER_OF_TWO_UP = 1, /* each side rounded up to a power of two */
    FRAMELIFT_SIZE_POWER_OF_TWO_DOWN = 2 /* each side rounded down to a power of two */
};

/* Snapshot returned by GetCurrentImageBmp(). */
typedef struct ImageBmpInfo {
    int32_t width;      /* video width in pixels */
    int32_t height;     /* video height in pixels */
    int32_t byteCount;  /* size of data in bytes */
    uint8_t* data;      /* 40-byte BITMAPINFOHEADER followed by bottom-up 24-bit rows;
                           owned by the caller, release with FreeImageBmp() */
} ImageBmpInfo;

/* Receives the library's user-facing messages (ffdshow path). Called on the thread that
 * called LoadVideo(). With no receiver installed, messages go to standard error. */
typedef void (*FrameliftMessageFn)(const char* text, void* userData);

/*
 * Creates an empty handle. Initialises GStreamer the first time (it then stays initialised
 * for the life of the process).
 *
 * Result: the new handle, owned by the caller until DeleteVideoTexture(); NULL when memory
 *         runs out.
 * Thread: any.
 */
FRAMELIFT_API VideoTexture* CreateVideoTexture(void);

/*
 * Releases the loaded video (as FreeVideo()) and destroys the handle. The handle and every
 * pointer obtained from it (GetTexture()) are invalid afterwards. Snapshots from
 * GetCurrentImageBmp() belong to the caller and stay valid.
 *
 * Result: true; false for a null handle.
 * Thread: any, but no other call on the handle may overlap it.
 */
FRAMELIFT_API bool DeleteVideoTexture(VideoTexture* handle);

/*
 * Releases any loaded video, then builds a playback graph for the file and leaves it stopped
 * and prerolled: on success the size accessors already answer, but no frame has been copied.
 *
 * path:          the file; NULL, a missing, empty, unreadable or undecodable file, a file
 *                without a video stream, one that is not a regular file (a folder, a FIFO,
 *                a device), or a path of PATH_MAX bytes or more fail the load.
 *                The string is only read during the call.
 * sizeMode:      FRAMELIFT_SIZE_EXACT, FRAMELIFT_SIZE_POWER_OF_TWO_UP or
 *                FRAMELIFT_SIZE_POWER_OF_TWO_DOWN; any other value fails the load.
 * insertFfdshow: 0 for the normal path. Non-zero puts the installed video encoder whose
 *                long name is exactly "ffdshow video encoder" in front of the texture filter;
 *                when none is installed, the load fails with the message
 *                "can not file ffdshow Video Codec filter" (see SetMessageReceiver()). The
 *                other messages of that path are "SystemDeviceEnum CreateInstance Failed!",
 *                "can not and ffdshow Video Codec filter" and "renderfile error".
 *
 * Result: true when the graph is built and prerolled with a picture: the size accessors then
 *         answer the video's sizes. False otherwise: at once for a path that is not a
 *         regular file, within about a second for a file no demuxer takes or whose streams
 *         cannot be decoded, and within about ten seconds for files that demux but never
 *         bring a first frame; the handle stays usable (another LoadVideo() may follow).
 *         False for a null handle.
 * Thread: any, but no other call on the handle may overlap it. Messages of the ffdshow path
 *         reach the receiver on this thread.
 */
FRAMELIFT_API bool LoadVideo(VideoTexture* handle, const char* path, int32_t sizeMode,
                             int32_t insertFfdshow);

/*
 * Draws the text subtitles of the file at `path` (SubRip, WebVTT, SSA or ASS) into the loaded
 * video's picture from its next frame on, in place of the subtitles it had, and shows them.
 *
 * Result: true when the file held subtitles; false, with the subtitles as they were, for a
 *         file without any (missing, empty, over 8 MiB, not text, no cue), for a NULL path,
 *         with no video and for a null handle.
 * Thread: any. Reads the file on the calling thread.
 * Since:  1.3.
 */
FRAMELIFT_API bool LoadSubtitleFile(VideoTexture* handle, const char* path);

/*
 * Shows (non-zero) or hides (0) the loaded video's subtitles from its next frame on. A new
 * LoadVideo() shows them again.
 *
 * Result: true with a video loaded; false otherwise and for a null handle.
 * Thread: any.
 * Since:  1.3.
 */
FRAMELIFT_API bool ShowSubtitles(VideoTexture* handle, int32_t show);

/*
 * The encoding assumed for the text of subtitle files that is neither UTF-8 nor UTF-16 with a
 * byte order mark, for the whole library, from the next subtitle file read on: a name the
 * system's iconv knows, such as "WINDOWS-1251" for Cyrillic. NULL or "" gives back the
 * default, "WINDOWS-1252".
 *
 * Result: true; false for an encoding the system cannot convert from (the setting stays).
 * Thread: any.
 * Since:  1.3.
 */
FRAMELIFT_API bool SetSubtitleEncoding(const char* encoding);

/* Why a LoadVideo() failed, for a message that says what happened (see GetLoadFailure()). */
#define FRAMELIFT_LOAD_OK 0          /* it succeeded, or there was none */
#define FRAMELIFT_LOAD_UNKNOWN 1     /* no cause known: no first frame in time, a graph not built */
#define FRAMELIFT_LOAD_MISSING 2     /* no such file, not a regular file, or not readable */
#define FRAMELIFT_LOAD_EMPTY 3       /* a file of zero bytes */
#define FRAMELIFT_LOAD_NOT_MEDIA 4   /* no media format recognised in it (text, a program, noise) */
#define FRAMELIFT_LOAD_DAMAGED 5     /* a known format whose streams cannot be read (truncated) */
#define FRAMELIFT_LOAD_NO_DECODER 6  /* a picture stream no installed decoder takes */
#define FRAMELIFT_LOAD_NO_PICTURE 7  /* sound, but no picture to show */

/*
 * Why the handle's last LoadVideo() failed. FreeVideo() leaves the answer as it is; the next
 * LoadVideo() replaces it.
 *
 * Result: one of FRAMELIFT_LOAD_*: FRAMELIFT_LOAD_OK after a load that succeeded, for a
 *         handle never loaded and for a null handle.
 * Thread: any, but not while a LoadVideo() on the handle is under way.
 * Since:  1.3.
 */
FRAMELIFT_API int32_t GetLoadFailure(VideoTexture* handle);

/*
 * Stops and releases the graph, the texture filter and its texture image. Pointers from
 * GetTexture() become invalid. Afterwards the handle is empty.
 *
 * Result: true; false for a null handle.
 * Thread: any, but no other call on the handle may overlap it.
 */
FRAMELIFT_API bool FreeVideo(VideoTexture* handle);

/*
 * Seeks to the library-wide resume position (see above) and runs the graph. Frames are then
 * copied as the graph presents them, at the video's own pace.
 *
 * Result: true (the graph's own result is not reported); false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool Play(VideoTexture* handle);

/*
 * Pauses the graph and stores its current position as the library-wide resume position. A
 * paused graph copies no frame (but the one StepFrame() steps to); the texture keeps the last
 * copied one.
 *
 * Result: true; false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool Pause(VideoTexture* handle);

/*
 * Stops the graph (it stays prerolled where it was) and resets the resume position to 0, so
 * the next Play() starts from the beginning.
 *
 * Result: true; false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool Stop(VideoTexture* handle);

/*
 * GotoTime(handle, 0.0).
 *
 * Result: true; false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool Restart(VideoTexture* handle);

/*
 * Moves playback to `seconds` from the start (negative values mean 0, values past the end
 * mean the end; values that are not finite are ignored). A running graph keeps running; the
 * resume position is not changed. A seek given while an earlier seek or a Play is still
 * under way waits for it. An end of stream reached before the seek no longer counts: the
 * next UpdateEvent() does not rewind for it.
 *
 * Result: true; false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool GotoTime(VideoTexture* handle, double seconds);

/*
 * Steps a paused video by whole frames, as a player's frame-by-frame keys do: `frames` frames
 * forward, or back when negative, from the frame the paused picture stands at (the one shown
 * last, or the one a seek while paused went to). The frame stepped to is copied into the
 * texture image although the video stays paused (GetFrameNotifier()'s descriptor becomes
 * readable), and its position becomes the resume position, so Play() goes on from it. A step
 * back is an accurate seek; a frame's length is taken from the stream's frame rate, 1/25 s
 * when it gives none. A step never goes before the first frame nor past the last one: there
 * the picture stays on that frame (and the result is still true). A step given while an earlier
 * seek or step is still under way waits for it.
 *
 * frames:  frames to step, forward when positive, back when negative; 0 is refused.
 * seconds: receives where the frame stepped to begins, in seconds from the start; NULL
 *          receives nothing. Written only when the result is true.
 * Result:  true when the video stands on the new frame; false while it plays (from Play()
 *          until the next Pause() or Stop()), for 0 frames, with no video or after a failed load,
 *          when the step was not carried out within the bound (it still happens, in its turn),
 *          and for a null handle.
 * Thread:  any. Waits at most about four seconds for the graph, as the other control calls.
 * Since:   1.2.
 */
FRAMELIFT_API bool StepFrame(VideoTexture* handle, int32_t frames, double* seconds);

/*
 * Drains the graph's pending events, waiting about 1 ms for each. At the end of the stream
 * it rewinds to 0 and the graph plays on, so a video loops for as long as the caller keeps
 * calling this. Meant to be called on every drawing tick.
 *
 * Result: true when a video is loaded; false otherwise and for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool UpdateEvent(VideoTexture* handle);

/*
 * Texture width in pixels (the video's width, or rounded to a power of two by the size mode).
 *
 * Result: the width; 0 with no video or a null handle; -1 after a failed load (see above).
 * Thread: any.
 */
FRAMELIFT_API int32_t GetTexWidth(VideoTexture* handle);

/*
 * Texture height in pixels.
 *
 * Result: the height; 0 with no video or a null handle; -1 after a failed load.
 * Thread: any.
 */
FRAMELIFT_API int32_t GetTexHeight(VideoTexture* handle);

/*
 * videoWidth / videoHeight.
 *
 * Result: the ratio; 1.0f with no video or a null handle.
 * Thread: any.
 */
FRAMELIFT_API float GetVideoRatio(VideoTexture* handle);

/*
 * The picture's width over its height as it is meant to be seen: videoWidth / videoHeight
 * times the shape of its pixels. The same as GetVideoRatio() for square pixels; about 1.78
 * for a 720 by 576 picture of 64:45 pixels (16:9 PAL), 1.25 for its 1:1 reading.
 *
 * Result: the aspect, known once LoadVideo() succeeded; 0 with no video, after a failed load
 *         and for a null handle.
 * Thread: any.
 * Since:  1.1.
 */
FRAMELIFT_API float GetDisplayAspect(VideoTexture* handle);

/*
 * The newest copied frame as a texture image (see "Texture image" above). Returns at once
 * once a frame has been copied; before the first frame it waits for one, at most about five
 * seconds. A result different from the previous call's means a newer frame.
 *
 * Result: texWidth * texHeight * 3 bytes owned by the library, valid and unchanged until the
 *         next GetTexture(), FreeVideo(), LoadVideo() or DeleteVideoTexture() on the handle.
 *         NULL with no video, when no frame came in time (for example the graph was never
 *         run), and for a null handle. Do not free it.
 * Thread: any.
 */
FRAMELIFT_API uint8_t* GetTexture(VideoTexture* handle);

/*
 * Writes the scale matrix into out[0..15] (OpenGL element order): out[0] = videoWidth /
 * texWidth, out[5] = videoHeight / texHeight, out[10] = out[15] = 1, the rest 0. Loaded as
 * the texture matrix it maps 0..1 onto the part of the texture that holds the video.
 *
 * out:    16 floats owned by the caller; NULL writes nothing.
 * Result: true for any non-null handle (nothing is written without a connected video);
 *         false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool GetTexScalMatrix(VideoTexture* handle, float* out);

/*
 * Video width in pixels.
 *
 * Result: the width; 0 with no video or a null handle; -1 after a failed load.
 * Thread: any.
 */
FRAMELIFT_API int32_t GetVideoWidth(VideoTexture* handle);

/*
 * Video height in pixels.
 *
 * Result: the height; 0 with no video or a null handle; -1 after a failed load.
 * Thread: any.
 */
FRAMELIFT_API int32_t GetVideoHeight(VideoTexture* handle);

/*
 * Toggles the sound between full volume and silence: a volume of exactly 0 dB becomes
 * silence, anything else (silence or an attenuated level) becomes full volume. A video
 * without sound is left alone.
 *
 * Result: true; false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool MuteSound(VideoTexture* handle);

/*
 * Sets the open video's sound to a linear amplitude factor: 1 is the file's own level (full
 * volume, as after every load), 0.5 half the amplitude, 0 silence. A player's own volume
 * control, apart from the desktop's output level. MuteSound() afterwards toggles between full
 * volume and silence as it always does. A new load starts at full volume again.
 *
 * Result: true when the level is set, and with no video loaded or a video without sound
 *         (nothing to set). False for a factor below 0, above 1 or not finite (the level then
 *         stays as it was), and for a null handle.
 * Thread: any.
 * Since:  1.1.
 */
FRAMELIFT_API bool SetSoundVolume(VideoTexture* handle, double factor);

/*
 * Sets the play rate (1.0 is normal speed), from where the video stands, the same way for
 * every container: the graph flushes and goes on at the new rate. The sound keeps its pitch.
 * Rates from 0.01 to 16 are taken; others (and values that are not finite) are refused.
 *
 * Result: true when the rate is set, or with no video loaded. False for a rate outside 0.01
 *         to 16, for one the graph does not apply or does not apply within the bound (the rate
 *         and the playback then stay as they were), and for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool SetRate(VideoTexture* handle, double rate);

/*
 * The texture filter has no window, so there is no full-screen mode to switch: does nothing.
 *
 * Result: true; false for a null handle.
 * Thread: any.
 */
FRAMELIFT_API bool FullScreen(VideoTexture* handle);

/*
 * A snapshot of the last presented frame as a device-independent bitmap: a 40-byte
 * BITMAPINFOHEADER (little-endian, biHeight > 0, 24 bits, no compression) followed by the
 * rows bottom row first, each padded to a multiple of 4 bytes. The whole picture is taken
 * whatever the size mode.
 *
 * Result: width and height of the video; byteCount and data of the bitmap. data is owned by
 *         the caller and released with FreeImageBmp(). Before the first presented frame
 *         byteCount is 0 and data NULL; with no video, or for a null handle, all zeros.
 * Thread: any.
 */
FRAMELIFT_API ImageBmpInfo GetCurrentImageBmp(VideoTexture* handle);

/*
 * Releases the data of a GetCurrentImageBmp() result. NULL is allowed and does nothing.
 * Thread: any.
 */
FRAMELIFT_API void FreeImageBmp(uint8_t* data);

/*
 * Installs the receiver of the library's user-facing messages (the ffdshow path's texts).
 * The receiver is called on the thread that called LoadVideo(), with no library lock held;
 * `text` is valid only during the call. NULL restores the default: the text and a newline
 * on standard error. Process-wide.
 * Thread: any.
 */
FRAMELIFT_API void SetMessageReceiver(FrameliftMessageFn receiver, void* userData);

/* Filter categories for EnumerateFilters(). */
enum {
    FRAMELIFT_CATEGORY_FILTERS = 0,          /* every installed element */
    FRAMELIFT_CATEGORY_VIDEO_COMPRESSORS = 1 /* elements whose class names Encoder and Video */
};

/* Receives one installed filter's friendly name (its element's long name). */
typedef void (*FrameliftFilterFn)(const char* friendlyName, void* userData);

/*
 * Lists the installed filters of a category: receiver is called once per filter, in the
 * order the media pipeline's registry keeps them. `friendlyName` is valid only during the
 * call. Initialises GStreamer the first time, as CreateVideoTexture() does.
 *
 * Result: the number of filters passed to receiver (0 for an empty category); -1 for an
 *         unknown category, a NULL receiver or a registry that cannot be read.
 * Thread: any; receiver runs on the calling thread with no library lock held.
 */
FRAMELIFT_API int32_t EnumerateFilters(int32_t category, FrameliftFilterFn receiver,
                                       void* userData);

/*
 * A file descriptor that becomes readable when a frame has been copied into the handle's
 * texture image, for a caller that draws only when there is something new: watch it in the
 * event loop (poll, select, a socket notifier), read its 8-byte counter to reset it, then
 * call GetTexture(). It belongs to the handle and stays the same across loads; it is closed
 * by DeleteVideoTexture(). Do not close it, and do not write to it.
 *
 * Result: the descriptor; -1 for a null handle or when the system gave none (the caller
 *         then has to ask on a timer).
 * Thread: any.
 */
FRAMELIFT_API int32_t GetFrameNotifier(VideoTexture* handle);

/* What happened to the frames of the loaded video since its LoadVideo(). */
typedef struct FrameliftFrameCounts {
    uint64_t decoded; /* frames that reached the texture filter */
    uint64_t copied;  /* frames copied into the texture image */
    uint64_t dropped; /* frames the texture filter dropped because they came too late */
    uint64_t taken;   /* newer frames handed out by GetTexture() */
} FrameliftFrameCounts;

/*
 * The frame counts of the loaded video, for statistics.
 *
 * Result: the counts; all zeros with no video or for a null handle.
 * Thread: any.
 */
FRAMELIFT_API FrameliftFrameCounts GetFrameCounts(VideoTexture* handle);

#ifdef __cplusplus
}
#endif

#endif /* FRAMELIFT_H */
