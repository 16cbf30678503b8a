#include "LoadFailure.h"

#include <cstring>

namespace framelift {
namespace {

// Media containers whose types do not begin with "video/" or "audio/".
constexpr const char* kContainerTypes[] = {
    "application/ogg",   "application/x-ogg",          "application/mxf",
    "application/x-3gp", "application/vnd.rn-realmedia", "application/x-yuv4mpeg",
    "application/x-ogm", "application/x-annodex",       "application/x-id3",
};

bool isContainerType(const char* name)
{
    for (const char* type : kContainerTypes) {
        if (std::strcmp(name, type) == 0)
            return true;
    }
    return false;
}

LoadFailure causeOfError(const GError* error)
{
    if (!error)
        return LoadFailure::Unknown;
    if (error->domain == GST_STREAM_ERROR) {
        switch (error->code) {
        case GST_STREAM_ERROR_TYPE_NOT_FOUND:
        case GST_STREAM_ERROR_WRONG_TYPE:
            return LoadFailure::NotMedia;
        case GST_STREAM_ERROR_CODEC_NOT_FOUND:
            return LoadFailure::NoDecoder;
        default:
            // DEMUX, DECODE, FORMAT and the general stream error: the data is not what its
            // format promises.
            return LoadFailure::Damaged;
        }
    }
    if (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN)
        return LoadFailure::NoDecoder;
    if (error->domain == GST_RESOURCE_ERROR) {
        switch (error->code) {
        case GST_RESOURCE_ERROR_NOT_FOUND:
        case GST_RESOURCE_ERROR_OPEN_READ:
        case GST_RESOURCE_ERROR_OPEN_READ_WRITE:
        case GST_RESOURCE_ERROR_NOT_AUTHORIZED:
            return LoadFailure::Missing;
        case GST_RESOURCE_ERROR_READ:
        case GST_RESOURCE_ERROR_SEEK:
            return LoadFailure::Damaged;
        default:
            break;
        }
    }
    return LoadFailure::Unknown;
}

}  // namespace

LoadFailure failureOfError(const GError* error, const StreamFacts& facts)
{
    const LoadFailure cause = causeOfError(error);
    // "Missing a plug-in" for XML or a program is no codec to install: it is not media.
    if (cause == LoadFailure::NoDecoder && facts.foreign && !facts.undecodedPicture &&
        !facts.sound)
        return LoadFailure::NotMedia;
    return cause;
}

void noteUnknownType(const GstCaps* caps, StreamFacts& facts)
{
    const char* name = caps && gst_caps_get_size(caps) > 0
                           ? gst_structure_get_name(gst_caps_get_structure(caps, 0))
                           : "";
    if (g_str_has_prefix(name, "video/") || isContainerType(name))
        facts.undecodedPicture = true;
    else if (g_str_has_prefix(name, "audio/"))
        facts.sound = true;  // sound there is, only nothing to decode it
    else
        facts.foreign = true;
}

LoadFailure failureOfStreams(const StreamFacts& facts)
{
    // A damaged header is named before a missing decoder: the stream was held back on purpose.
    if (facts.badHeader)
        return LoadFailure::Damaged;
    if (facts.undecodedPicture)
        return LoadFailure::NoDecoder;
    if (facts.sound && !facts.picture)
        return LoadFailure::NoPicture;
    if (facts.foreign && !facts.picture)
        return LoadFailure::NotMedia;
    // A decoded picture that never arrived, or a file with no stream at all.
    return LoadFailure::Damaged;
}

}  // namespace framelift
