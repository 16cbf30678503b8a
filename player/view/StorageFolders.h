// Where the program keeps the files it writes. A program whose folder is writable (a build
// tree, or a copy a user unpacked) keeps them beside itself, as it always has. An installed
// program, whose folder the user cannot write, keeps lang.dat and plugin.mp in the user's
// data folder for this application and the screenshots in "VelmoraPlayer" in the user's
// pictures folder. The downloader `plugin` is always the one beside the program.
#pragma once

#include <QString>

struct AppState;

namespace storage {

// True when folder exists and this process may create files in it.
bool isWritableFolder(const QString& folder);

// The per-user data folder (QStandardPaths::AppDataLocation) with a trailing "/" when
// programFolder is not writable; empty when it is, and lang.dat and plugin.mp stay beside the
// program. The data folder may not exist yet: see makeDataFolder.
QString userDataFolderFor(const QString& programFolder);

// Makes app's user data folder before a file is written there; the program's own folder is
// never made. False when the folder cannot be made.
bool makeDataFolder(const AppState& app);

// Folder for the screenshots, without a trailing "/": "screenshots" in programFolder when
// that is writable, otherwise "VelmoraPlayer" in the user's pictures folder.
QString screenshotFolderFor(const QString& programFolder);

}  // namespace storage
