// The subtitles a graph draws into its picture: the cues of a subtitle file, or those of the
// file's own text stream as they arrive, and whether they show at all. Shared by the graph's
// builder, the text stream's collector and the overlay's probe on the streaming threads.
#pragma once

#include <gst/gst.h>

#include <mutex>
#include <string>

#include "SubtitleCues.h"

namespace framelift {

class SubtitleStore {
public:
    // A subtitle file's cues take the place of the stream's (and of an earlier file's), and
    // show.
    void useFile(SubtitleCues cues);
    // A cue of the file's own text stream; kept for when no subtitle file is in use.
    void addStreamCue(SubtitleCue cue);
    void show(bool shown);

    // The markup to draw at stream time `at`; empty when nothing shows.
    std::string at(GstClockTime at) const;
    bool hasCues() const;

private:
    mutable std::mutex mutex_;
    SubtitleCues file_;
    SubtitleCues stream_;
    bool fileInUse_ = false;
    bool shown_ = true;
};

}  // namespace framelift
