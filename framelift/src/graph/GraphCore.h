// What a Graph shares with its control thread: the pipeline, the stream router and the
// control state. The operations on it run on the control thread (GraphControl.cpp); the
// event fields are also read by the caller draining events.
#pragma once

#include <gst/gst.h>

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "Graph.h"
#include "StreamRouter.h"

namespace framelift {

struct Graph::Core {
    Core();
    ~Core();

    // Brings the pipeline to NULL (joining every streaming thread) and releases it. Only
    // then may the router's callbacks go away. Safe to call twice.
    void release();

    // Set once at construction, released by release().
    GstElement* pipeline = nullptr;
    std::unique_ptr<StreamRouter> router;

    // Control thread only.
    // Prerolled at the start at normal speed and not moved since: a seek to the start has
    // nothing to do. Skipping it saves a flush at every first Play, and plays files whose
    // demuxer cannot seek (RealMedia without an index leaves its streams flushing after a
    // failed seek).
    bool atStart = false;

    // Written on the control thread, read by callers.
    std::atomic<double> rate{1.0};
    // Where the last seek goes, in nanoseconds, until the graph has settled there; -1 then.
    std::atomic<gint64> seekTarget{-1};

    // Protected by eventMutex: which ends of stream are stale. A seek makes every end of
    // stream posted before it stale, and every one carrying an earlier seek's number.
    std::mutex eventMutex;
    GstClockTime lastSeekIssued = 0;  // gst_util_get_timestamp() when the last seek went out
    guint32 lastSeekSeqnum = GST_SEQNUM_INVALID;
    std::array<guint32, 8> earlierSeekSeqnums{};
    size_t nextEarlier = 0;

    // When each end of stream still on the bus was posted, by the message's number.
    std::map<guint32, GstClockTime> endsPostedAt;

    // Streaming thread, from the bus's sync handler: notes when an end of stream was posted.
    void notePosted(GstMessage* eos);
    bool isStaleEnd(GstMessage* eos);
};

// The control operations, run on the control thread. Each takes the core and one argument
// (ignored by those that need none) and says whether the graph carried it out.
bool runGraph(Graph::Core& core, double);
bool pauseGraph(Graph::Core& core, double);
bool seekGraph(Graph::Core& core, double nanoseconds);
bool rateGraph(Graph::Core& core, double rate);
bool replayGraph(Graph::Core& core, double);
bool recalculateLatency(Graph::Core& core, double);

// Sends a flushing, accurate seek from `position` (nanoseconds) at `rate`, entering at the
// first renderer. Every end of stream posted before it, or carrying an earlier seek's number,
// is stale from then on.
bool sendSeek(Graph::Core& core, gint64 position, double rate);

// Steps a paused graph by `frames` and shows the frame it lands on (FrameStep.cpp);
// `frameStart` gets where that frame begins, in nanoseconds.
bool stepGraph(Graph::Core& core, int32_t frames, gint64& frameStart);

// Waits up to kSettleBound for an earlier seek or state change to complete; the state the
// graph has then.
GstState settleGraph(Graph::Core& core);

}  // namespace framelift
