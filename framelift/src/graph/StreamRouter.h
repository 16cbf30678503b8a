// Routes the streams a decoder finds in a file: the first video stream into a free video
// input of a renderer already in the graph, the first sound stream into the sound branch,
// anything else into a discarding sink. Only the streams the file has are linked, so no sink
// is left waiting for a first frame that will never come.
#pragma once

#include <gst/gst.h>

#include "LoadFailure.h"
#include "SubtitleStore.h"

#include <memory>

#include <mutex>
#include <utility>
#include <vector>

namespace framelift {

class StreamRouter {
public:
    explicit StreamRouter(GstElement* pipeline);
    ~StreamRouter();
    StreamRouter(const StreamRouter&) = delete;
    StreamRouter& operator=(const StreamRouter&) = delete;

    // A renderer (borrowed; the pipeline holds it) whose free inputs take streams.
    void addRenderer(GstElement* renderer);

    // Puts a decoder behind `output`. The decoder reports its streams on a streaming thread.
    bool attach(GstPad* output);

    // The subtitles drawn into the first video stream, before its copy into the renderer:
    // each frame shows the cue of its own stream time. A subtitle file's cues go here; the
    // file's first text stream fills it as it plays.
    SubtitleStore& subtitles() { return *subtitles_; }

    // The first renderer (borrowed), where a seek enters the graph; null before one is added.
    GstElement* seekEntry() const;

    // The sound branch's volume element, or null when the file's sound is not linked.
    GstElement* volumeElement() const;

    // What the decoder found so far (any thread).
    StreamFacts facts() const;

    // Name of the application message posted when the decoder has found all streams and a
    // renderer's input is still free: the graph can never preroll.
    static constexpr const char* kRendererUnfed = "framelift-renderer-unfed";

private:
    static void onPadAdded(GstElement* decoder, GstPad* pad, gpointer self);
    static void onNoMorePads(GstElement* decoder, gpointer self);
    static gboolean onAutoplugContinue(GstElement* decoder, GstPad* pad, GstCaps* caps,
                                       gpointer self);
    static void onUnknownType(GstElement* decoder, GstPad* pad, GstCaps* caps, gpointer self);

    void route(GstPad* pad);
    void checkRenderersFed();
    GstPad* takeFreeVideoInput();  // mutex_ held
    bool linkVideo(GstPad* pad, GstPad* input);
    bool linkSound(GstPad* pad);
    void linkTextCollector(GstPad* pad);
    void linkDiscard(GstPad* pad);

    GstElement* pipeline_;  // set once, borrowed

    // Protected by mutex_: written on streaming threads, read by the caller.
    mutable std::mutex mutex_;
    std::vector<GstElement*> renderers_;
    GstElement* volume_ = nullptr;
    bool soundTaken_ = false;
    StreamFacts facts_;
    bool overlayMade_ = false;  // the first video stream has its subtitle overlay
    bool textTaken_ = false;    // the first text stream is collected


    // Shared with the overlay's probe and the text collector.
    const std::shared_ptr<SubtitleStore> subtitles_ = std::make_shared<SubtitleStore>();

    // Caller thread only.
    std::vector<std::pair<GstElement*, gulong>> handlers_;
};

}  // namespace framelift
