// The campaign's child side: one file driven through the library the way a player drives it,
// in a process of its own so that a crash or a hang costs only that file.
#pragma once

#include <string>

namespace campaign {

// Loads `path` and runs the fixed sequence of calls on it, writing one line per event to
// standard output ("step NAME" before each call, "load ...", "glib ...", "done" at the end;
// Report.cpp reads them). Returns the process's exit status: 0 once the sequence is through,
// whatever the file did.
int drive(const std::string& path);

}  // namespace campaign
