// Finds the subtitle file a person keeps beside a video (the same base name, ending in .srt,
// .ass, .ssa or .vtt, in small letters, capitals or capitalised) and looks at it before it is
// read: a file that is empty, enormous or binary is passed over.
#pragma once

#include <string>

namespace framelift {

// Largest subtitle file taken: a film's subtitles are well under a megabyte.
constexpr long long kMaxSubtitleBytes = 8LL << 20;

// The path of a usable subtitle file beside `videoPath`, or an empty string.
std::string subtitleBeside(const std::string& videoPath);

// The encoding subtitle files are read in when their text is not Unicode: one for the whole
// library, Windows-1252 unless set. False, and the setting as it was, for an encoding the
// system cannot convert from; empty sets the default again. Any thread.
bool setSubtitleEncoding(const std::string& encoding);
std::string subtitleEncoding();

// Whether the file at `path` may hold text subtitles: not empty, not over the limit, text.
bool subtitleFileLooksSane(const std::string& path);

}  // namespace framelift
