// The cues of a text subtitle file (SubRip, WebVTT, SSA/ASS): when each line shows and what
// it says, as Pango markup for the overlay that draws it. The text for a frame is looked up
// from the frame's own stream time, so it is right after any seek, pause or rate change.
#pragma once

#include <gst/gst.h>

#include <string>
#include <vector>

namespace framelift {

struct SubtitleCue {
    GstClockTime start = 0;
    GstClockTime end = 0;
    std::string markup;  // escaped text; <i>, <b> and <u> kept
};

// Plain subtitle text as Pango markup: escaped, with SubRip's <i>, <b> and <u> kept.
std::string subtitleMarkup(const std::string& text);

class SubtitleCues {
public:
    // Reads the file at `path`; no cues when it holds none or cannot be read. Text that is not
    // UTF-8 (and has no UTF-16 mark) is read in `encoding`, a name iconv knows
    // ("WINDOWS-1251"); as Windows-1252 when that fails too.
    static SubtitleCues read(const std::string& path, const std::string& encoding = "WINDOWS-1252");
    // Cues from the text of a file.
    static SubtitleCues parse(const std::string& text);

    // Adds a cue in its place by time; one already there (same start and text, as a stream
    // brings it again after a seek back) is not added twice.
    void add(SubtitleCue cue);

    bool empty() const { return cues_.empty(); }
    size_t size() const { return cues_.size(); }
    // The markup showing at stream time `at` (cues that overlap are stacked, earliest first);
    // empty between cues.
    std::string at(GstClockTime at) const;

private:
    std::vector<SubtitleCue> cues_;  // in order of start
    GstClockTime longest_ = 0;       // the longest cue's length
};

}  // namespace framelift
