// The library's graph layer: the operations a playback graph needs (filters added under
// names, pins found by name or direction, rendering, control, positions, events, volume),
// carried out on one GstPipeline.
#pragma once

#include <gst/gst.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace framelift {

class StreamRouter;

// Graph event codes delivered by Graph::nextEvent().
enum GraphEvent : int32_t {
    EventOther = 0,
    EventComplete = 1,    // end of stream (EC_COMPLETE)
    EventErrorAbort = 3,  // the graph stopped on an error
};

// How long rendering may take to bring every stream to its first frame.
constexpr std::chrono::milliseconds kPrerollBound{10000};

class Graph {
public:
    Graph();
    ~Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    bool valid() const { return pipeline_ != nullptr; }
    GstElement* pipeline() const { return pipeline_; }

    // Takes the element (floating or owned reference) into the graph under `name`. Elements
    // added here are the graph's renderers: rendering feeds a stream into a free input of
    // one of them before it makes a renderer of its own.
    bool addFilter(GstElement* filter, const char* name);

    // Adds a file source for `path` under `name`; null when it cannot be made. Borrowed.
    GstElement* addSourceFilter(const std::string& path, const char* name);

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

    // Control. Stop leaves the graph prerolled (paused) where it is.
    void run();
    void pause();
    void stop();

    // Position in seconds; rate (1.0 is normal speed; other than positive finite is refused).
    bool setCurrentSeconds(double seconds);
    bool setRate(double rate);
    double rate() const { return rate_; }

    // Seeking in media time (100-nanosecond units).
    bool currentPosition(int64_t& mediaTime) const;
    bool setCurrentPosition(int64_t mediaTime);

    // The next graph event, waiting up to `timeout`. False when none came.
    bool nextEvent(int32_t& code, std::chrono::milliseconds timeout);

    // Volume in hundredths of a decibel (0 full, -10000 silence). False without sound.
    bool volume(int32_t& hundredthsDb) const;
    bool setVolume(int32_t hundredthsDb);
    bool hasSound() const;

private:
    bool seekTo(GstClockTime position);
    bool waitForPreroll(std::chrono::milliseconds bound);

    GstElement* pipeline_ = nullptr;
    std::unique_ptr<StreamRouter> router_;
    double rate_ = 1.0;
    // Prerolled at the start at normal speed and not moved since: a seek to the start has
    // nothing to do. Skipping it saves a flush at every first Play, and plays files whose
    // demuxer cannot seek (RealMedia without an index leaves its streams flushing after a
    // failed seek).
    bool atStart_ = false;
};

}  // namespace framelift
