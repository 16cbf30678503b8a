// The control operations of a graph. They run on the graph's control thread, one after the
// other, so each finds the graph as the previous one left it.
#include <cmath>

#include "GraphCore.h"

namespace framelift {
namespace {

bool changeState(Graph::Core& core, GstState state)
{
    return core.pipeline &&
           gst_element_set_state(core.pipeline, state) != GST_STATE_CHANGE_FAILURE;
}

// A position past the end goes to the end: a segment that starts after its stop is refused
// (or asserted on) by demuxers and sinks.
gint64 clampToDuration(Graph::Core& core, gint64 position)
{
    gint64 duration = -1;
    if (gst_element_query_duration(core.pipeline, GST_FORMAT_TIME, &duration) && duration > 0 &&
        position > duration)
        return duration;
    return position;
}

// A stream that says it lasts no time at all (a damaged MPEG program stream whose first and
// last clock references are the same) has nowhere to seek to, and its demuxer divides by that
// length when it looks for the seek's byte offset.
bool lastsNoTime(Graph::Core& core)
{
    gint64 duration = -1;
    return gst_element_query_duration(core.pipeline, GST_FORMAT_TIME, &duration) && duration == 0;
}

bool seekTo(Graph::Core& core, gint64 position, double rate)
{
    if (!core.pipeline)
        return false;
    // A seek while the graph is still changing state (a Play just given, an earlier seek still
    // prerolling) waits for it: sinks without a segment yet cannot take a new one.
    if (settleGraph(core) < GST_STATE_PAUSED)
        return false;
    if (core.atStart && position == 0 && rate == 1.0 && core.rate.load() == 1.0)
        return true;
    return sendSeek(core, clampToDuration(core, position), rate);
}

}  // namespace

bool sendSeek(Graph::Core& core, gint64 position, double rate)
{
    if (lastsNoTime(core)) {
        core.rate.store(rate);
        return true;
    }
    GstEvent* seek = gst_event_new_seek(
        rate, GST_FORMAT_TIME, static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
        GST_SEEK_TYPE_SET, position, GST_SEEK_TYPE_SET, static_cast<gint64>(GST_CLOCK_TIME_NONE));
    const guint32 seqnum = gst_event_get_seqnum(seek);
    GstClockTime issuedBefore;
    guint32 seqnumBefore;
    {
        std::lock_guard<std::mutex> lock(core.eventMutex);
        issuedBefore = core.lastSeekIssued;
        seqnumBefore = core.lastSeekSeqnum;
        core.lastSeekIssued = gst_util_get_timestamp();
        core.lastSeekSeqnum = seqnum;
    }
    // The seek goes in at the renderer alone. Sent to the pipeline it would go to every sink,
    // and the demuxer would take it once per stream: two flushes racing through the same
    // queues. flvdemux runs a seek past its index on its own thread, and a second copy that
    // arrives meanwhile leaves a queue's thread waiting for data with its task being paused.
    GstElement* entry = core.router ? core.router->seekEntry() : nullptr;
    if (!gst_element_send_event(entry ? entry : core.pipeline, seek)) {
        std::lock_guard<std::mutex> lock(core.eventMutex);
        core.lastSeekIssued = issuedBefore;
        core.lastSeekSeqnum = seqnumBefore;
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(core.eventMutex);
        if (seqnumBefore != GST_SEQNUM_INVALID) {
            core.earlierSeekSeqnums[core.nextEarlier] = seqnumBefore;
            core.nextEarlier = (core.nextEarlier + 1) % core.earlierSeekSeqnums.size();
        }
    }
    core.atStart = false;
    core.seekTarget.store(position);
    core.rate.store(rate);
    return true;
}

GstState settleGraph(Graph::Core& core)
{
    GstState state = GST_STATE_NULL;
    GstState pending = GST_STATE_VOID_PENDING;
    const GstStateChangeReturn result = gst_element_get_state(
        core.pipeline, &state, &pending, static_cast<GstClockTime>(kSettleBound.count()) * GST_MSECOND);
    if (result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL)
        core.seekTarget.store(-1);
    return state;
}

bool runGraph(Graph::Core& core, double)
{
    core.atStart = false;
    return changeState(core, GST_STATE_PLAYING);
}

bool pauseGraph(Graph::Core& core, double)
{
    if (!changeState(core, GST_STATE_PAUSED))
        return false;
    settleGraph(core);  // the position read after a pause is the paused frame's
    return true;
}

bool seekGraph(Graph::Core& core, double nanoseconds)
{
    return seekTo(core, static_cast<gint64>(nanoseconds), core.rate.load());
}

bool rateGraph(Graph::Core& core, double rate)
{
    if (!core.pipeline)
        return false;
    if (rate == core.rate.load())
        return true;
    // Every container takes the new rate the same way: a flushing seek from where the graph
    // stands. It waits for an earlier seek to land, so the position read is the new one.
    if (settleGraph(core) < GST_STATE_PAUSED)
        return false;
    gint64 position = core.seekTarget.load();
    if (position < 0 &&
        (!gst_element_query_position(core.pipeline, GST_FORMAT_TIME, &position) || position < 0))
        return false;
    return sendSeek(core, clampToDuration(core, position), rate);
}

bool replayGraph(Graph::Core& core, double)
{
    // The sound device went away: running again picks a new clock.
    GstState state = GST_STATE_NULL;
    gst_element_get_state(core.pipeline, &state, nullptr, 0);
    if (state != GST_STATE_PLAYING)
        return true;
    return changeState(core, GST_STATE_PAUSED) && changeState(core, GST_STATE_PLAYING);
}

bool recalculateLatency(Graph::Core& core, double)
{
    return core.pipeline && gst_bin_recalculate_latency(GST_BIN(core.pipeline));
}

}  // namespace framelift
