// The campaign's healthy clips: one short, small file for each container and codec pair the
// player is meant to play, with sound and without, encoded by ffmpeg on first use.
#pragma once

#include <string>
#include <vector>

namespace campaign {

struct Clip {
    std::string name;  // file name, which also gives the container, e.g. "flv-flv1-mp3.flv"
    std::string path;
};

// Makes (or finds from an earlier run) every clip in `folder`. A clip that cannot be made is
// left out and named in `problems`, one line each.
std::vector<Clip> makeClips(const std::string& folder, std::string& problems);

}  // namespace campaign
