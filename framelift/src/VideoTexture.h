// The handle behind the exported functions, and what each export does with it once the
// handle is known not to be null.
#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <memory>

#include "FrameSignal.h"
#include "framelift.h"
#include "graph/Graph.h"

struct VideoTexture {
    // The graph of the loaded video; null when empty.
    std::unique_ptr<framelift::Graph> graph;
    // The texture filter inside `graph` (the graph holds the reference); null when empty.
    GstElement* filter = nullptr;
    // Set when a load completed: the graph's control, position, event and sound services may
    // be used. A failed load can leave `graph` and `filter` without it.
    bool servicesHeld = false;
    // Why the last load failed (a FRAMELIFT_LOAD_* value); the loading thread writes it.
    int32_t loadFailure = FRAMELIFT_LOAD_OK;
    // Readable after each copied frame; shared with every filter made for this handle.
    std::shared_ptr<framelift::FrameSignal> frames = framelift::FrameSignal::create();
};

namespace framelift {

// How long GetTexture waits for the first frame before it gives up.
constexpr std::chrono::milliseconds kFirstFrameBound{5000};

// Makes sure GStreamer is initialised (once per process) and reports whether it is.
bool ensureMediaPipeline();

// The library-wide resume position in media time (100-nanosecond units).
int64_t resumePosition();
void setResumePosition(int64_t mediaTime);

void play(VideoTexture& h);
void pause(VideoTexture& h);
void stop(VideoTexture& h);
void gotoTime(VideoTexture& h, double seconds);
// False with nothing loaded and whenever the graph does not step (see Graph::stepFrames).
bool stepFrame(VideoTexture& h, int32_t frames, double* seconds);
bool updateEvent(VideoTexture& h);
void muteSound(VideoTexture& h);
// False for a factor outside 0 to 1 (or not finite); true otherwise, with or without sound.
bool setSoundVolume(VideoTexture& h, double factor);
// False when the loaded graph refuses the rate; with nothing loaded there is nothing to refuse.
bool setRate(VideoTexture& h, double rate);
// False with nothing loaded, and for a file that holds no subtitles.
bool loadSubtitleFile(VideoTexture& h, const char* path);
bool showSubtitles(VideoTexture& h, bool shown);
ImageBmpInfo currentImageBmp(VideoTexture& h);

}  // namespace framelift
