#include "TextureFilter.h"

#include <gst/video/gstvideosink.h>
#include <gst/video/video.h>

#include <atomic>
#include <mutex>

#include "Snapshot.h"
#include "ThreadHandOver.h"

namespace framelift {
namespace {

std::atomic<bool> clockSyncForNewFilters{true};

// C++ state of one filter, allocated in instance init and deleted in finalize.
struct FilterState {
    // Streaming thread only (set_info and show_frame run there, one after the other).
    GstVideoInfo info;

    // Locked internally; shared with the caller.
    TextureImage image{SizePowerOfTwoUp};

    // Frame counts, written on the streaming thread and read by the caller: frames that
    // reached the sink pad, frames shown, and whether the newest one is still held (being
    // prerolled or shown). Whatever arrived and is neither shown nor held was dropped: late,
    // or flushed by a seek.
    std::atomic<uint64_t> arrived{0};
    std::atomic<uint64_t> shown{0};
    std::atomic<uint64_t> held{0};

    // Protected by lastMutex: the last presented frame, kept for snapshots.
    std::mutex lastMutex;
    GstBuffer* lastBuffer = nullptr;
    GstVideoInfo lastInfo;
};

}  // namespace
}  // namespace framelift

struct D4100TextureFilter {
    GstVideoSink parent;
    framelift::FilterState* state;  // set once in init
};

struct D4100TextureFilterClass {
    GstVideoSinkClass parent_class;
};

G_DEFINE_TYPE(D4100TextureFilter, d4100_texture_filter, GST_TYPE_VIDEO_SINK)

namespace {

framelift::FilterState* stateOf(gpointer object)
{
    return reinterpret_cast<D4100TextureFilter*>(object)->state;
}

gboolean textureFilterSetInfo(GstVideoSink* sink, GstCaps*, const GstVideoInfo* info)
{
    framelift::markReceived(sink);
    framelift::FilterState* state = stateOf(sink);
    state->info = *info;
    state->image.resize(GST_VIDEO_INFO_WIDTH(info), GST_VIDEO_INFO_HEIGHT(info),
                        GST_VIDEO_INFO_PAR_N(info), GST_VIDEO_INFO_PAR_D(info));
    framelift::markHandedOver(sink);
    return TRUE;
}

GstFlowReturn textureFilterShowFrame(GstVideoSink* sink, GstBuffer* buffer)
{
    framelift::markReceived(sink);
    framelift::FilterState* state = stateOf(sink);
    GstVideoFrame frame;
    if (!gst_video_frame_map(&frame, &state->info, buffer, GST_MAP_READ)) {
        GST_ELEMENT_ERROR(sink, RESOURCE, READ, ("Could not read a video frame."), (nullptr));
        return GST_FLOW_ERROR;
    }
    {
        // Kept before the copy completes, so a caller who sees the new texture also gets
        // this frame as the snapshot.
        std::lock_guard<std::mutex> lock(state->lastMutex);
        gst_buffer_replace(&state->lastBuffer, buffer);
        state->lastInfo = state->info;
    }
    state->image.copyFrame(static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                           GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0));
    gst_video_frame_unmap(&frame);
    state->shown.fetch_add(1, std::memory_order_relaxed);
    state->held.store(0, std::memory_order_relaxed);
    framelift::markHandedOver(sink);
    return GST_FLOW_OK;
}

GstPadProbeReturn countArrival(GstPad*, GstPadProbeInfo*, gpointer filter)
{
    framelift::markReceived(filter);
    framelift::FilterState* state = stateOf(filter);
    state->arrived.fetch_add(1, std::memory_order_relaxed);
    state->held.store(1, std::memory_order_relaxed);
    framelift::markHandedOver(filter);
    return GST_PAD_PROBE_OK;
}

void textureFilterConstructed(GObject* object)
{
    G_OBJECT_CLASS(d4100_texture_filter_parent_class)->constructed(object);
    GstPad* sinkPad = GST_BASE_SINK_PAD(object);
    gst_pad_add_probe(sinkPad, GST_PAD_PROBE_TYPE_BUFFER, countArrival, object, nullptr);
    // Set after construction: the base sets its construct properties after instance init.
    // A paused graph copies nothing: only frames presented while running reach the image,
    // and the frame a step lands on, for which the graph turns the preroll frame on.
    // The snapshot keeps its own reference, so the base's last-sample is not needed.
    g_object_set(object, "show-preroll-frame", FALSE, "enable-last-sample", FALSE, "sync",
                 framelift::clockSyncForNewFilters.load() ? TRUE : FALSE, nullptr);
}

void textureFilterFinalize(GObject* object)
{
    framelift::markReceived(object);
    framelift::FilterState* state = stateOf(object);
    gst_buffer_replace(&state->lastBuffer, nullptr);
    delete state;
    G_OBJECT_CLASS(d4100_texture_filter_parent_class)->finalize(object);
}

}  // namespace

static void d4100_texture_filter_class_init(D4100TextureFilterClass* klass)
{
    G_OBJECT_CLASS(klass)->constructed = textureFilterConstructed;
    G_OBJECT_CLASS(klass)->finalize = textureFilterFinalize;
    GstElementClass* elementClass = GST_ELEMENT_CLASS(klass);
    gst_element_class_set_static_metadata(elementClass, "D4100TextureFilter", "Sink/Video",
                                          "Copies each presented frame into a texture image",
                                          "Framelift");
    static GstStaticPadTemplate sinkTemplate = GST_STATIC_PAD_TEMPLATE(
        "sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS(GST_VIDEO_CAPS_MAKE("BGR")));
    gst_element_class_add_static_pad_template(elementClass, &sinkTemplate);
    GstVideoSinkClass* sinkClass = GST_VIDEO_SINK_CLASS(klass);
    sinkClass->set_info = textureFilterSetInfo;
    sinkClass->show_frame = textureFilterShowFrame;
}

static void d4100_texture_filter_init(D4100TextureFilter* self)
{
    self->state = new framelift::FilterState();
    gst_video_info_init(&self->state->info);
    gst_video_info_init(&self->state->lastInfo);
}

namespace framelift {

GstElement* createTextureFilter(int32_t sizeMode)
{
    auto* filter = static_cast<D4100TextureFilter*>(
        g_object_new(d4100_texture_filter_get_type(), nullptr));
    if (!filter)
        return nullptr;
    filter->state->image.setSizeMode(sizeMode);
    markHandedOver(filter);  // streaming threads size and fill it
    return GST_ELEMENT(filter);
}

bool isTextureFilter(GstElement* element)
{
    return element && G_TYPE_CHECK_INSTANCE_TYPE(element, d4100_texture_filter_get_type());
}

TextureImage& textureImageOf(GstElement* filter)
{
    return stateOf(filter)->image;
}

FrameliftFrameCounts frameCountsOf(GstElement* filter)
{
    FrameliftFrameCounts counts{};
    FilterState* state = stateOf(filter);
    counts.copied = state->image.framesCopied();
    counts.taken = state->image.framesTaken();
    // Arrivals first: a frame that comes and is shown while these are read can then only
    // lower the dropped count for a moment, never raise it.
    const uint64_t arrived = state->arrived.load(std::memory_order_relaxed);
    const uint64_t held = state->held.load(std::memory_order_relaxed);
    const uint64_t shown = state->shown.load(std::memory_order_relaxed);
    counts.decoded = arrived;
    counts.dropped = arrived > shown + held ? arrived - shown - held : 0;
    return counts;
}

std::vector<uint8_t> lastFrameAsDib(GstElement* filter)
{
    FilterState* state = stateOf(filter);
    GstBuffer* buffer = nullptr;
    GstVideoInfo info;
    {
        std::lock_guard<std::mutex> lock(state->lastMutex);
        if (state->lastBuffer)
            buffer = gst_buffer_ref(state->lastBuffer);
        info = state->lastInfo;
    }
    if (!buffer)
        return {};
    std::vector<uint8_t> dib;
    GstVideoFrame frame;
    if (gst_video_frame_map(&frame, &info, buffer, GST_MAP_READ)) {
        dib = encodeBottomUpDib(static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                                GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0),
                                GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame));
        gst_video_frame_unmap(&frame);
    }
    gst_buffer_unref(buffer);
    return dib;
}

void setTextureFilterClockSync(bool sync)
{
    clockSyncForNewFilters.store(sync);
}

}  // namespace framelift
