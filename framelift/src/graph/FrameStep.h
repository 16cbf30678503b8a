// Stepping a paused graph by whole frames: which frame a step lands on, worked out from where
// the picture stands and the length of a frame, and the frames' length from the negotiated
// caps. The step itself (stepGraph, GraphCore.h) is an accurate seek into that frame.
#pragma once

#include <gst/gst.h>

#include <cstdint>

namespace framelift {

// The length of a frame when the caps give no frame rate (a variable rate, a still picture).
constexpr gint64 kFallbackFrameLength = GST_SECOND / 25;

// A position this little before a frame's start counts as that frame: containers round their
// timestamps (Matroska to the millisecond), so a frame may begin a little off the frame grid.
constexpr gint64 kFrameStartTolerance = GST_MSECOND;

// The length of one frame of what `renderer` receives, in nanoseconds, from the frame rate of
// its negotiated caps; kFallbackFrameLength without caps or a rate.
gint64 frameLength(GstElement* renderer);

struct StepLanding {
    gint64 frameStart = 0;  // where the frame stepped to begins
    // Its middle: an accurate seek there shows that frame, however the stream rounds its
    // timestamps, and not a neighbour.
    gint64 seekTarget = 0;
};

// The frame `frames` frames on (back when negative) from the one that shows at `position`, on
// the grid of frames `length` long from the start (all in nanoseconds). A step never goes
// before the first frame, nor, with a known `duration` (above 0), past the last frame.
StepLanding stepLanding(gint64 position, gint64 length, int32_t frames, gint64 duration);

}  // namespace framelift
