// Recognises a graph that can no longer preroll although nobody said so: a demuxer whose
// streaming task stopped before it found a single stream. decodebin drops the errors of an
// element it is still trying out, so a demuxer that fails at once on a damaged header can
// leave the graph waiting for the whole preroll bound with no error on the bus.
#pragma once

#include <gst/gst.h>

namespace framelift {

// True when no element of `bin` (at any depth) drives data any more and one that drove it
// from its input stopped without ever having an output pad.
bool demuxerGaveUp(GstElement* bin);

}  // namespace framelift
