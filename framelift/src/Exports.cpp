// The exported C interface: null handles answer with empty values here, everything else is
// forwarded to the handle's operations.
#include <cstdlib>
#include <new>

#include "Messages.h"
#include "PlaybackGraph.h"
#include "TextureFilter.h"
#include "VideoTexture.h"
#include "graph/FilterRegistry.h"
#include "graph/SubtitleFile.h"
#include "framelift.h"

using namespace framelift;

// The size modes a caller passes are the texture image's own.
static_assert(int32_t{FRAMELIFT_SIZE_EXACT} == int32_t{SizeExact});
static_assert(int32_t{FRAMELIFT_SIZE_POWER_OF_TWO_UP} == int32_t{SizePowerOfTwoUp});
static_assert(int32_t{FRAMELIFT_SIZE_POWER_OF_TWO_DOWN} == int32_t{SizePowerOfTwoDown});

namespace {

// Sizes of the connected texture filter; unconnected filters report -1, no filter 0.
TextureGeometry geometryOf(const VideoTexture* h)
{
    if (!h || !h->filter) {
        TextureGeometry none;
        none.videoWidth = none.videoHeight = none.texWidth = none.texHeight = 0;
        return none;
    }
    return textureImageOf(h->filter).geometry();
}

}  // namespace

extern "C" {

VideoTexture* CreateVideoTexture(void)
{
    ensureMediaPipeline();
    return new (std::nothrow) VideoTexture();
}

bool DeleteVideoTexture(VideoTexture* handle)
{
    if (!handle)
        return false;
    freeVideo(*handle);
    delete handle;
    return true;
}

bool LoadVideo(VideoTexture* handle, const char* path, int32_t sizeMode, int32_t insertFfdshow)
{
    return handle && loadVideo(*handle, path, sizeMode, insertFfdshow != 0);
}

bool LoadSubtitleFile(VideoTexture* handle, const char* path)
{
    return handle && loadSubtitleFile(*handle, path);
}

bool ShowSubtitles(VideoTexture* handle, int32_t show)
{
    return handle && showSubtitles(*handle, show != 0);
}

bool SetSubtitleEncoding(const char* encoding)
{
    return framelift::setSubtitleEncoding(encoding ? encoding : "");
}

int32_t GetLoadFailure(VideoTexture* handle)
{
    return handle ? handle->loadFailure : FRAMELIFT_LOAD_OK;
}

bool FreeVideo(VideoTexture* handle)
{
    if (!handle)
        return false;
    freeVideo(*handle);
    return true;
}

bool Play(VideoTexture* handle)
{
    if (!handle)
        return false;
    play(*handle);
    return true;
}

bool Pause(VideoTexture* handle)
{
    if (!handle)
        return false;
    pause(*handle);
    return true;
}

bool Stop(VideoTexture* handle)
{
    if (!handle)
        return false;
    stop(*handle);
    return true;
}

bool Restart(VideoTexture* handle)
{
    return GotoTime(handle, 0.0);
}

bool GotoTime(VideoTexture* handle, double seconds)
{
    if (!handle)
        return false;
    gotoTime(*handle, seconds);
    return true;
}

bool StepFrame(VideoTexture* handle, int32_t frames, double* seconds)
{
    return handle && stepFrame(*handle, frames, seconds);
}

bool UpdateEvent(VideoTexture* handle)
{
    return handle && updateEvent(*handle);
}

int32_t GetTexWidth(VideoTexture* handle)
{
    return geometryOf(handle).texWidth;
}

int32_t GetTexHeight(VideoTexture* handle)
{
    return geometryOf(handle).texHeight;
}

float GetVideoRatio(VideoTexture* handle)
{
    const TextureGeometry g = geometryOf(handle);
    if (!g.connected())
        return 1.0f;
    return static_cast<float>(g.videoWidth) / static_cast<float>(g.videoHeight);
}

float GetDisplayAspect(VideoTexture* handle)
{
    return displayAspect(geometryOf(handle));
}

uint8_t* GetTexture(VideoTexture* handle)
{
    if (!handle || !handle->filter)
        return nullptr;
    return textureImageOf(handle->filter).take(kFirstFrameBound);
}

int32_t GetFrameNotifier(VideoTexture* handle)
{
    if (!handle || !handle->frames)
        return -1;
    return handle->frames->fd();
}

FrameliftFrameCounts GetFrameCounts(VideoTexture* handle)
{
    FrameliftFrameCounts counts{};
    if (handle && handle->filter)
        counts = frameCountsOf(handle->filter);
    return counts;
}

bool GetTexScalMatrix(VideoTexture* handle, float* out)
{
    if (!handle)
        return false;
    const TextureGeometry g = geometryOf(handle);
    if (out && g.connected() && g.hasTexture())
        writeScaleMatrix(g, out);
    return true;
}

int32_t GetVideoWidth(VideoTexture* handle)
{
    return geometryOf(handle).videoWidth;
}

int32_t GetVideoHeight(VideoTexture* handle)
{
    return geometryOf(handle).videoHeight;
}

bool MuteSound(VideoTexture* handle)
{
    if (!handle)
        return false;
    muteSound(*handle);
    return true;
}

bool SetSoundVolume(VideoTexture* handle, double factor)
{
    return handle && setSoundVolume(*handle, factor);
}

bool SetRate(VideoTexture* handle, double rate)
{
    return handle && setRate(*handle, rate);
}

bool FullScreen(VideoTexture* handle)
{
    // The texture filter has no window: there is no full-screen mode to switch.
    return handle != nullptr;
}

ImageBmpInfo GetCurrentImageBmp(VideoTexture* handle)
{
    if (!handle)
        return ImageBmpInfo{};
    return currentImageBmp(*handle);
}

void FreeImageBmp(uint8_t* data)
{
    std::free(data);
}

void SetMessageReceiver(FrameliftMessageFn receiver, void* userData)
{
    setMessageReceiver(receiver, userData);
}

int32_t EnumerateFilters(int32_t category, FrameliftFilterFn receiver, void* userData)
{
    if (!receiver || !ensureMediaPipeline())
        return -1;
    FilterCategory which;
    switch (category) {
    case FRAMELIFT_CATEGORY_FILTERS: which = FilterCategory::Filters; break;
    case FRAMELIFT_CATEGORY_VIDEO_COMPRESSORS: which = FilterCategory::VideoCompressors; break;
    default: return -1;
    }
    const auto entries = filtersOf(which);
    if (!entries)
        return -1;
    for (const FilterEntry& entry : *entries)
        receiver(entry.friendlyName.c_str(), userData);
    return static_cast<int32_t>(entries->size());
}

}  // extern "C"
