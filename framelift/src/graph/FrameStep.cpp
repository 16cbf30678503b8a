#include "FrameStep.h"

#include <algorithm>

#include "GraphCore.h"

namespace framelift {
namespace {

constexpr const char* kShowPrerollFrame = "show-preroll-frame";

bool showsPrerollFrame(GstElement* renderer, bool& shows)
{
    if (!g_object_class_find_property(G_OBJECT_GET_CLASS(renderer), kShowPrerollFrame))
        return false;
    gboolean value = FALSE;
    g_object_get(renderer, kShowPrerollFrame, &value, nullptr);
    shows = value != FALSE;
    return true;
}

// Only a paused graph steps; a seek or a state change still under way is waited for first.
bool settledPaused(Graph::Core& core)
{
    settleGraph(core);
    GstState state = GST_STATE_NULL;
    GstState pending = GST_STATE_VOID_PENDING;
    return gst_element_get_state(core.pipeline, &state, &pending, 0) == GST_STATE_CHANGE_SUCCESS &&
           state == GST_STATE_PAUSED && pending == GST_STATE_VOID_PENDING;
}

}  // namespace

gint64 frameLength(GstElement* renderer)
{
    GstPad* pad = renderer ? gst_element_get_static_pad(renderer, "sink") : nullptr;
    GstCaps* caps = pad ? gst_pad_get_current_caps(pad) : nullptr;
    gint64 length = kFallbackFrameLength;
    gint numerator = 0, denominator = 0;
    if (caps && gst_caps_get_size(caps) > 0 &&
        gst_structure_get_fraction(gst_caps_get_structure(caps, 0), "framerate", &numerator,
                                   &denominator) &&
        numerator > 0 && denominator > 0)
        length = static_cast<gint64>(gst_util_uint64_scale_int(GST_SECOND, denominator, numerator));
    if (caps)
        gst_caps_unref(caps);
    if (pad)
        gst_object_unref(pad);
    return length > 0 ? length : kFallbackFrameLength;
}

StepLanding stepLanding(gint64 position, gint64 length, int32_t frames, gint64 duration)
{
    if (length <= 0)
        length = kFallbackFrameLength;
    const gint64 shown = (std::max<gint64>(position, 0) + kFrameStartTolerance) / length;
    gint64 index = std::max<gint64>(shown + frames, 0);
    if (duration > 0)
        index = std::min(index, (duration - 1) / length);  // the last frame begins before the end
    StepLanding landing;
    landing.frameStart = index * length;
    landing.seekTarget = landing.frameStart + length / 2;
    if (duration > 0)
        landing.seekTarget = std::min(landing.seekTarget, duration - 1);
    return landing;
}

bool stepGraph(Graph::Core& core, int32_t frames, gint64& frameStart)
{
    GstElement* renderer = core.router ? core.router->seekEntry() : nullptr;
    if (!core.pipeline || !renderer || frames == 0 || !settledPaused(core))
        return false;
    // Where the picture stands: after a pause the running clock's position within the frame
    // shown last, after a seek or a step where it went.
    gint64 position = -1;
    if (!gst_element_query_position(renderer, GST_FORMAT_TIME, &position) || position < 0)
        return false;
    gint64 duration = -1;
    gst_element_query_duration(core.pipeline, GST_FORMAT_TIME, &duration);
    const StepLanding landing = stepLanding(position, frameLength(renderer), frames, duration);

    // A paused renderer keeps its preroll to itself (a seek while paused leaves the picture
    // alone); the frame a step lands on it shows, as soon as the seek has prerolled it.
    bool showedPreroll = false;
    const bool switchable = showsPrerollFrame(renderer, showedPreroll);
    if (switchable)
        g_object_set(renderer, kShowPrerollFrame, TRUE, nullptr);
    const bool sent = sendSeek(core, landing.seekTarget, core.rate.load());
    if (sent)
        settleGraph(core);
    if (switchable)
        g_object_set(renderer, kShowPrerollFrame, showedPreroll ? TRUE : FALSE, nullptr);
    frameStart = landing.frameStart;
    return sent && core.seekTarget.load() < 0;  // settled on the new frame in time
}

}  // namespace framelift
