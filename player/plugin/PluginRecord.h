// The codec-download record that the player hands to the `plugin` downloader in the file
// plugin.mp: exactly 316 bytes, no header.
//
//   offset   0, 30 bytes: display name, NUL-terminated
//   offset  30, 30 bytes: file name the download is saved under, NUL-terminated
//   offset  60, 256 bytes: URL of the download, NUL-terminated
//
// Bytes after a field's terminator carry no meaning (written as 0). Each write replaces the
// whole file.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace pluginrecord {

inline constexpr std::size_t kSize = 316;
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameSize = 30;
inline constexpr std::size_t kFileOffset = 30;
inline constexpr std::size_t kFileSize = 30;
inline constexpr std::size_t kUrlOffset = 60;
inline constexpr std::size_t kUrlSize = 256;
inline constexpr const char* kFileName = "plugin.mp";

struct Download {
    std::string displayName;
    std::string fileName;
    std::string url;
};

// The record's bytes: each text with its NUL (cut to fit its field), zeros after.
std::array<char, kSize> encode(const Download& download);

// Creates or replaces the file at path with the record, through a new file in the same folder
// renamed over it. False when the whole record cannot be written; the old file is then kept.
bool write(const std::string& path, const Download& download);

// The download a record describes, when it is one: exactly kSize bytes; every field ends with
// a NUL inside its size; display name and file name are not empty; the URL is http:// or
// https:// with a host, without blanks or control characters. Otherwise no value, and
// `problem` (when given) says what is wrong.
std::optional<Download> parse(const std::string& bytes, std::string* problem = nullptr);

// Reads the file at path and parses it.
std::optional<Download> read(const std::string& path, std::string* problem = nullptr);

}  // namespace pluginrecord
