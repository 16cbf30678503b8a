// Application-wide values that the view, the frame and the media-information reader share.
// Owned by CPlayerApp and handed to the others by reference. UI thread only.
#pragma once

#include <string>

struct AppState {
    // Folder of the program file with a trailing "/"; files kept beside the program are this
    // followed by their bare names.
    std::string moduleDirectory;
    // Full path of the media file chosen last.
    std::string currentMediaPath;
    // Duration of the open media in milliseconds, 0 when unknown; written by the
    // media-information reader.
    int mediaDurationMs = 0;
};
