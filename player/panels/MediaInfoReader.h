// The media-information reader: the four report pages of a file and its duration.
#pragma once

#include "MediaInfo.h"

#include <array>
#include <string>

namespace mediainfo {

struct MediaReport {
    // Base, More, Complete and Other: each page is the one before followed by one more
    // report (with "Complete" set to "", "1" and "2").
    std::array<std::string, 4> pages;
    // The general stream's "Duration", 0 when there is none.
    int durationMs = 0;
};

// Opens path, makes the four reports and reads the duration, then closes. The "Complete"
// setting is the library's own, shared by all its objects: every read starts it from the
// empty text, so a file's pages do not depend on the read before, and reads on several
// threads take their turns for the reports (opening a file is not held up by another read).
MediaReport readMediaReport(MediaInfo& info, const std::string& path);
inline MediaReport readMediaReport(const std::string& path)
{
    MediaInfo info;
    return readMediaReport(info, path);
}

}  // namespace mediainfo
