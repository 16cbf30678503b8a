// Why a file could not be rendered, as far as the graph can tell: from the file itself (not
// there, empty), from the error the graph posted while prerolling, or from the streams the
// decoder found in it. The values are the ones the public header gives its callers.
#pragma once

#include <gst/gst.h>

#include <cstdint>

namespace framelift {

enum class LoadFailure : int32_t {
    None = 0,       // the load succeeded, or none was made
    Unknown = 1,    // no cause known: the bound ran out, or the graph could not be built
    Missing = 2,    // no such file, or one that cannot be read
    Empty = 3,      // a file of zero bytes
    NotMedia = 4,   // no media format recognised in it
    Damaged = 5,    // a known format whose streams cannot be read
    NoDecoder = 6,  // a stream no installed decoder takes
    NoPicture = 7,  // sound, but no picture
};

// What the decoder found in a file, gathered while it reports its streams.
struct StreamFacts {
    bool picture = false;           // a decoded video stream
    bool sound = false;             // a decoded sound stream
    bool undecodedPicture = false;  // a video stream (or container) no decoder takes
    bool badHeader = false;         // a stream header no decoder should see
    bool foreign = false;           // data of a kind no player takes (XML, a program, ...)
};

// The cause an error posted during preroll stands for, given what the decoder found before it.
LoadFailure failureOfError(const GError* error, const StreamFacts& facts);

// Records a stream of type `caps` that no installed element takes.
void noteUnknownType(const GstCaps* caps, StreamFacts& facts);

// The cause when the decoder found all its streams and still no picture reached the renderer.
LoadFailure failureOfStreams(const StreamFacts& facts);

}  // namespace framelift
