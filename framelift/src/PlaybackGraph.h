// Building the playback graph for a file: the texture filter first, then the source and the
// decoders by the normal path, or the outside ffdshow encoder in front of the texture filter
// by the ffdshow path.
#pragma once

#include <cstdint>

#include "VideoTexture.h"

namespace framelift {

// Releases the handle's video: the graph, its filter and every service.
void freeVideo(VideoTexture& h);

// Releases the current video, then builds a stopped (prerolled) graph for `path`. True when
// the graph is built and its services are held. After a failure past the graph's creation the
// handle keeps what was built, until the next load or free.
bool loadVideo(VideoTexture& h, const char* path, int32_t sizeMode, bool insertFfdshow);

// Messages of the ffdshow path, shown through the message receiver.
inline constexpr const char* kNoDeviceEnumMessage = "SystemDeviceEnum CreateInstance Failed!";
inline constexpr const char* kNoFfdshowMessage = "can not file ffdshow Video Codec filter";
inline constexpr const char* kCannotAddFfdshowMessage = "can not and ffdshow Video Codec filter";
inline constexpr const char* kRenderFileMessage = "renderfile error";

// Friendly name of the compressor the ffdshow path looks for (matched exactly).
inline constexpr const char* kFfdshowFriendlyName = "ffdshow video encoder";

}  // namespace framelift
