// The last step of the video conversion: 32-bit BGRx frames packed into the 24-bit BGR frames
// the texture filter takes. GStreamer converts decoded YUV to BGRx in one vectorised pass, but
// to BGR through BGRx and then a byte-at-a-time pack, which costs as much again as the
// conversion itself; this element packs four pixels at a time. It is registered inside the
// library and never installed as a plugin.
#pragma once

#include <gst/gst.h>

#include <cstdint>

namespace framelift {

// Packs `width` BGRx pixels of `bgrx` into `width` BGR pixels at `bgr`. The rows may not
// overlap.
void packBgrxRow(const uint8_t* bgrx, uint8_t* bgr, int width);

// A new packer (a floating reference, as element factories give): BGRx in, BGR out, same
// size and rate. Registers the element type on first use.
GstElement* createBgrPacker();

}  // namespace framelift
