// lang.dat: the chosen interface language, kept beside the program (or in the user's data
// folder, see StorageFolders.h) as one 32-bit little-endian integer (0 English ... 5 Russian)
// with nothing else in the file.
#pragma once

#include <QString>

#include <optional>

namespace langfile {

inline constexpr const char* kFileName = "lang.dat";

// The stored language from folder + "lang.dat" (folder ends with "/"). Nothing when the file
// is missing or unreadable, shorter than four bytes, or holds an index outside 0 to 5: such
// a file is treated as absent, so the interface keeps its English start-up texts.
std::optional<int> read(const QString& folder);

// Replaces the file with the four bytes of index. False when it cannot be written.
bool write(const QString& folder, int index);

}  // namespace langfile
