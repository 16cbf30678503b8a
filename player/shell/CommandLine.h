// The program's command line: videos to open, as paths or file:// URIs (what desktop
// launchers and file managers pass), --help and --version. An unknown option or a URI of
// another scheme is refused with a message; the program then ends with status 2.
#pragma once

#include <QString>
#include <QStringList>

namespace cmdline {

inline constexpr int kUsageError = 2;

struct Request {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    // Run: the absolute path of the video to open, empty for none.
    QString file;
    // Run: every file named, file first. Several are the playlist.
    QStringList files;
    // Refuse: one line saying what was wrong.
    QString problem;
    // --stats: print the playback statistics line every second.
    bool stats = false;
};

// Whether Qt's own options (-platform, -display, -style ...) may still be among the arguments:
// before QApplication has taken them away they are passed over, not refused.
enum class ToolkitOptions { Removed, Present };

// args as QCoreApplication::arguments(): the program first. "--" ends the options. Of several
// files the first is opened and all of them are the playlist.
Request parse(const QStringList& args, ToolkitOptions toolkit = ToolkitOptions::Removed);

QString helpText();
QString versionText();

}  // namespace cmdline
