// Application-wide values that the view, the frame and the media-information reader share.
// Owned by CPlayerApp and handed to the others by reference. UI thread only.
#pragma once

#include <string>

struct AppState {
    // Folder of the program file with a trailing "/"; files kept beside the program are this
    // followed by their bare names.
    std::string moduleDirectory;
    // The user's folder for lang.dat and plugin.mp with a trailing "/" when the program's
    // folder is not writable (an installed program); empty when they stay beside the program.
    std::string dataDirectory;
    // Full path of the media file chosen last.
    std::string currentMediaPath;
    // Duration of the open media in milliseconds, 0 when unknown; written by the
    // media-information reader.
    int mediaDurationMs = 0;

    const std::string& dataFolder() const
    {
        return dataDirectory.empty() ? moduleDirectory : dataDirectory;
    }
};
