// A look at a RealMedia file's stream headers before the demuxer reads them. The demuxer
// trusts the lengths of a stream header's name and media type; one that runs past its
// header makes it compare a string it never read, and the process dies. Such a file is
// refused before it reaches the graph.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace framelift {

// True unless `head` (the start of a file) is RealMedia with a stream header whose fields
// run past the header's own size. Files of other formats pass untouched.
bool realMediaHeadersFit(const std::vector<uint8_t>& head);
// The same for a file on disk; a file that cannot be read passes (the source reports it).
bool realMediaFileHeadersFit(const std::string& path);

}  // namespace framelift
