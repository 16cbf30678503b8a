// Application-wide values that the view, the frame and the media-information reader share.
// Owned by CPlayerApp and handed to the others by reference.
#pragma once

#include <atomic>
#include <string>

struct AppState {
    // Folder of the program file with a trailing "/"; files kept beside the program are this
    // followed by their bare names.
    std::string moduleDirectory;
    // Full path of the media file chosen last (UI thread only).
    std::string currentMediaPath;
    // Duration of the open media in milliseconds, 0 when unknown. Written on the UI thread
    // by the media-information reader, read by the position clock's thread.
    std::atomic<int> mediaDurationMs{0};
};
