/*
 * Framelift: plays one video file and serves every presented frame as a texture image.
 *
 * Lifecycle
 *   CreateVideoTexture() makes an empty handle. LoadVideo() builds a stopped, prerolled
 *   playback graph for a file; Play() runs it and every frame the graph presents is copied
 *   into a texture image that GetTexture() returns. FreeVideo() releases the graph (another
 *   LoadVideo() may follow), DeleteVideoTexture() releases the handle.
 *
 * Texture image
 *   texWidth by texHeight pixels of 3 bytes in blue, green, red order, rows packed without
 *   padding. Row 0 is the picture's bottom row (the row OpenGL expects at t = 0). The video
 *   fills the lower-left videoWidth by videoHeight part; in size mode 1 the rest is black.
 *   The buffer is owned by the library.
 *
 * Null handle
 *   Every function given a null handle does nothing and returns its empty value: false,
 *   0, null, 1.0f for GetVideoRatio(), an all-zero record for GetCurrentImageBmp().
 *
 * Threads
 *   The library's own streaming threads copy frames; nothing is ever called back on them
 *   except the message receiver (see below). Calls on one handle may come from several of
 *   the caller's threads, but FreeVideo(), LoadVideo() and DeleteVideoTexture() must not
 *   overlap any other call on the same handle.
 *
 * Resume position
 *   One position for the whole library (shared by all handles): Pause() stores the current
 *   position, Stop() resets it to 0, Play() seeks to it before running.
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

FRAMELIFT_API VideoTexture* CreateVideoTexture(void);
FRAMELIFT_API bool DeleteVideoTexture(VideoTexture* handle);
FRAMELIFT_API bool LoadVideo(VideoTexture* handle, const char* path, int32_t sizeMode,
                             int32_t insertFfdshow);
FRAMELIFT_API bool FreeVideo(VideoTexture* handle);
FRAMELIFT_API bool Play(VideoTexture* handle);
FRAMELIFT_API bool Pause(VideoTexture* handle);
FRAMELIFT_API bool Stop(VideoTexture* handle);
FRAMELIFT_API bool Restart(VideoTexture* handle);
FRAMELIFT_API bool GotoTime(VideoTexture* handle, double seconds);
FRAMELIFT_API bool UpdateEvent(VideoTexture* handle);
FRAMELIFT_API int32_t GetTexWidth(VideoTexture* handle);
FRAMELIFT_API int32_t GetTexHeight(VideoTexture* handle);
FRAMELIFT_API float GetVideoRatio(VideoTexture* handle);
FRAMELIFT_API uint8_t* GetTexture(VideoTexture* handle);
FRAMELIFT_API bool GetTexScalMatrix(VideoTexture* handle, float* out);
FRAMELIFT_API int32_t GetVideoWidth(VideoTexture* handle);
FRAMELIFT_API int32_t GetVideoHeight(VideoTexture* handle);
FRAMELIFT_API bool MuteSound(VideoTexture* handle);
FRAMELIFT_API bool SetRate(VideoTexture* handle, double rate);
FRAMELIFT_API bool FullScreen(VideoTexture* handle);
FRAMELIFT_API ImageBmpInfo GetCurrentImageBmp(VideoTexture* handle);

FRAMELIFT_API void FreeImageBmp(uint8_t* data);
FRAMELIFT_API void SetMessageReceiver(FrameliftMessageFn receiver, void* userData);

#ifdef __cplusplus
}
#endif

#endif /* FRAMELIFT_H */
