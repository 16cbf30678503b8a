// Looks at the codec headers a demuxer hands on in a stream's caps, before a decoder is chosen
// for it. Some decoders trust those headers: GStreamer's Vorbis decoder takes a sample rate
// above the integer range from a damaged identification header and then divides by a zero
// frame size. A stream whose header makes no sense is left undecoded instead.
#pragma once

#include <gst/gst.h>

namespace framelift {

// False when `caps` carry a codec header that no decoder should be given.
bool streamHeaderIsSane(const GstCaps* caps);

}  // namespace framelift
