// The library's graph layer: the operations a playback graph needs (filters added under
// names, pins found by name or direction, rendering, control, positions, events, volume),
// carried out on one GstPipeline.
//
// Everything that may block inside GStreamer (state changes, seeks, rate changes, the
// teardown) runs on the graph's own control thread, one operation after the other; the
// calling thread waits for each at most kControlBound. So no call blocks its caller for
// good, whatever the file, and no two operations race on the pipeline.
#pragma once

#include <gst/gst.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "LoadFailure.h"

namespace framelift {

class ControlThread;
class StreamRouter;

// Graph event codes delivered by Graph::nextEvent().
enum GraphEvent : int32_t {
    EventOther = 0,
    EventComplete = 1,    // end of stream
    EventErrorAbort = 3,  // the graph stopped on an error
};

// How long rendering may take to bring every stream to its first frame.
constexpr std::chrono::milliseconds kPrerollBound{10000};
// How long a caller waits for one control operation (or the teardown) to be carried out.
constexpr std::chrono::milliseconds kControlBound{4000};
// How long an operation waits for an earlier seek or state change to complete.
constexpr std::chrono::milliseconds kSettleBound{2000};

// Rates the graph plays: slower ones starve the sound branch, faster ones outrun decoding.
constexpr double kMinRate = 0.01;
constexpr double kMaxRate = 16.0;

class Graph {
public:
    Graph();
    // Brings the pipeline to NULL and releases it, waiting at most kControlBound; a pipeline
    // that does not stop in time is released by the control thread once it has.
    ~Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    bool valid() const;
    GstElement* pipeline() const;

    // Takes the element (floating or owned reference) into the graph under `name`. Elements
    // added here are the graph's renderers: rendering feeds a stream into a free input of
    // one of them before it makes a renderer of its own.
    bool addFilter(GstElement* filter, const char* name);

    // Adds a file source for `path` under `name`; null when it cannot be made. Borrowed.
    GstElement* addSourceFilter(const std::string& path, const char* name);

    // Draws the text subtitles of the file at `path` into the first video stream from its next
    // frame on, in place of any others, in time with it across seeks and rate changes. False,
    // with the subtitles as they were, when the file holds no cue. Any time.
    bool useSubtitleFile(const std::string& path);
    // Shows or hides the subtitles from the next frame on.
    void showSubtitles(bool shown);

    // The pin of `filter` with identifier `id`: "Output" is a source's output, "In" a
    // renderer's input, any other identifier a pad name. A new reference, or null.
    static GstPad* findPin(GstElement* filter, const char* id);

    // The first pin of `filter` (in pad order) with the given direction. A new reference or
    // null.
    static GstPad* findPinByDirection(GstElement* filter, GstPadDirection direction);

    bool connect(GstPad* output, GstPad* input);

    // Decodes what comes out of `output` and routes each stream: video into a free video
    // input of a renderer already in the graph, sound into the sound branch. Then brings the
    // graph to its prerolled, stopped state. False when the file cannot be decoded, when a
    // renderer in the graph is left without a stream, or when the first frames do not arrive
    // within `bound`; the graph is then shut down (but kept).
    bool render(GstPad* output, std::chrono::milliseconds bound = kPrerollBound);

    // A file source for `path` rendered as above.
    bool renderFile(const std::string& path, std::chrono::milliseconds bound = kPrerollBound);

    // Why adding the source or rendering failed, as far as the graph can tell; None while
    // nothing did. Read on the thread that builds the graph.
    LoadFailure loadFailure() const { return failure_; }
    // For a failure the graph's builder finds out itself (a stream that never showed a frame).
    void noteFailure(LoadFailure cause);
    // What the decoder found in the file so far.
    StreamFacts streamFacts() const;

    // Control. Stop leaves the graph prerolled (paused) where it is. False when the graph
    // refused the change or did not carry it out within the bound.
    bool run();
    bool pause();
    bool stop();

    // Position in seconds or media time (100-nanosecond units): negative means the start, a
    // position past the end means the end. Values that are not finite are refused.
    bool setCurrentSeconds(double seconds);
    bool setCurrentPosition(int64_t mediaTime);
    // Where the graph stands, or where the last seek goes while it is still under way.
    bool currentPosition(int64_t& mediaTime) const;

    // Steps a paused graph by `frames` frames (back when negative) and shows the frame it
    // lands on, although paused: never before the first frame nor past the last. False for 0
    // frames, while the graph runs or is on its way to running, and when the step was not
    // carried out within the bound. `frameStart` gets where that frame begins (media time).
    bool stepFrames(int32_t frames, int64_t& frameStart);

    // Rate (1.0 is normal speed). A rate outside kMinRate..kMaxRate, or one the graph does not
    // apply, is refused: false, and the rate and the playback stay as they were.
    bool setRate(double rate);
    double rate() const;

    // The next graph event, waiting up to `timeout`. False when none came. An end of stream
    // reached before the latest seek is stale and reported as EventOther.
    bool nextEvent(int32_t& code, std::chrono::milliseconds timeout);

    // Volume in hundredths of a decibel (0 full, -10000 silence). False without sound.
    bool volume(int32_t& hundredthsDb) const;
    bool setVolume(int32_t hundredthsDb);
    // The volume element's linear factor (1 full, 0 silence). False without sound.
    bool setVolumeFactor(double linear);
    bool hasSound() const;

    // The pipeline and control state, shared with the control thread (GraphCore.h).
    struct Core;

private:
    // Shared with the control thread's tasks, so a pipeline whose teardown outlives the
    // caller's wait stays alive until the thread has finished with it.
    std::shared_ptr<Core> core_;
    std::unique_ptr<ControlThread> control_;
    LoadFailure failure_ = LoadFailure::None;  // the building thread's

    // Runs `operation` on the control thread; false when it failed or did not end in time.
    bool control(bool (*operation)(Core&, double), double argument) const;
    bool waitForPreroll(std::chrono::milliseconds bound);
};

}  // namespace framelift
