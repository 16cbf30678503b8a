// D4100TextureFilter: the video sink at the end of the playback graph. It accepts BGR frames
// and copies each presented frame into its TextureImage. It is registered inside the library
// and never installed as a plugin.
#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <vector>

#include "TextureImage.h"
#include "framelift.h"

namespace framelift {

// Creates a texture filter for the given size mode (a floating reference, as element
// factories give). Registers the element type on first use.
GstElement* createTextureFilter(int32_t sizeMode);

bool isTextureFilter(GstElement* element);

// The filter's texture image; valid as long as the element lives.
TextureImage& textureImageOf(GstElement* filter);

// What the filter did with the frames that reached it since it was made.
FrameliftFrameCounts frameCountsOf(GstElement* filter);

// The last presented frame as a bottom-up 24-bit DIB: a 40-byte BITMAPINFOHEADER followed by
// rows padded to 4 bytes. Empty when no frame has been presented yet.
std::vector<uint8_t> lastFrameAsDib(GstElement* filter);

// Whether filters created from now on present frames against the clock (true, the default)
// or as fast as they come. Only the throughput benchmark turns it off.
void setTextureFilterClockSync(bool sync);

}  // namespace framelift
