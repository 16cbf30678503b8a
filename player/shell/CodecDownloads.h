// The seven codec downloads of the plug-in menu: the command, and the record the downloader
// gets (display name, file name, URL). The names keep the menu's products; the URLs lead a
// Linux user to what plays those formats here: the GStreamer plug-in packages.
#pragma once

#include "CommandIds.h"

#include <span>

namespace codecdownloads {

struct CodecDownload {
    Command command;
    const char* displayName;
    const char* fileName;
    const char* url;
};

// Every download, in menu order.
std::span<const CodecDownload> all();

// The entry of a download command; null for any other id.
const CodecDownload* forCommand(Command command);

}  // namespace codecdownloads
