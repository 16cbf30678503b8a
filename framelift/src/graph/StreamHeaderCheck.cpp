#include "StreamHeaderCheck.h"

#include <cstring>

namespace framelift {
namespace {

// The most channels an audio format in GStreamer can describe.
constexpr guint8 kMaxChannels = 64;

// Vorbis identification header: packet type 1, "vorbis", a 32-bit version, the channel count,
// the sample rate (32-bit little-endian), three bitrates and the block sizes.
bool vorbisIdentificationIsSane(const guint8* data, gsize size)
{
    if (size < 30 || data[0] != 1 || std::memcmp(data + 1, "vorbis", 6) != 0)
        return true;  // not the identification header: the decoder judges it
    const guint8 channels = data[11];
    const guint32 rate = static_cast<guint32>(data[12]) | static_cast<guint32>(data[13]) << 8 |
                         static_cast<guint32>(data[14]) << 16 |
                         static_cast<guint32>(data[15]) << 24;
    return channels > 0 && channels <= kMaxChannels && rate > 0 && rate <= G_MAXINT;
}

bool firstHeaderIsSane(const GstStructure* s, bool (*check)(const guint8*, gsize))
{
    const GValue* headers = gst_structure_get_value(s, "streamheader");
    if (!headers || !GST_VALUE_HOLDS_ARRAY(headers) || gst_value_array_get_size(headers) == 0)
        return true;
    const GValue* first = gst_value_array_get_value(headers, 0);
    if (!GST_VALUE_HOLDS_BUFFER(first))
        return true;
    GstBuffer* buffer = gst_value_get_buffer(first);
    GstMapInfo map;
    if (!buffer || !gst_buffer_map(buffer, &map, GST_MAP_READ))
        return true;
    const bool sane = check(map.data, map.size);
    gst_buffer_unmap(buffer, &map);
    return sane;
}

}  // namespace

bool streamHeaderIsSane(const GstCaps* caps)
{
    if (!caps)
        return true;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstStructure* s = gst_caps_get_structure(caps, i);
        if (gst_structure_has_name(s, "audio/x-vorbis") &&
            !firstHeaderIsSane(s, vorbisIdentificationIsSane))
            return false;
    }
    return true;
}

}  // namespace framelift
