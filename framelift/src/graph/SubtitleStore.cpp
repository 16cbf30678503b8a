#include "SubtitleStore.h"

#include <utility>

namespace framelift {

void SubtitleStore::useFile(SubtitleCues cues)
{
    std::lock_guard<std::mutex> lock(mutex_);
    file_ = std::move(cues);
    fileInUse_ = true;
    shown_ = true;
}

void SubtitleStore::addStreamCue(SubtitleCue cue)
{
    std::lock_guard<std::mutex> lock(mutex_);
    stream_.add(std::move(cue));
}

void SubtitleStore::show(bool shown)
{
    std::lock_guard<std::mutex> lock(mutex_);
    shown_ = shown;
}

std::string SubtitleStore::at(GstClockTime at) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!shown_)
        return std::string();
    return fileInUse_ ? file_.at(at) : stream_.at(at);
}

bool SubtitleStore::hasCues() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !(fileInUse_ ? file_ : stream_).empty();
}

}  // namespace framelift
