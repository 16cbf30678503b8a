// The program's command line as launchers, file managers and people type it.
#include "CommandLine.h"

#include <QDir>

#include <gtest/gtest.h>

using Action = cmdline::Request::Action;

namespace {

cmdline::Request parse(const QStringList& args)
{
    return cmdline::parse(QStringList{"VelmoraPlayer"} + args);
}

}  // namespace

// A path (made absolute) or a file:// URI (percent-encoding undone) names the video; of
// several the first opens and all are the playlist; "--" lets a file name begin with '-'.
TEST(CommandLine, FilesAsPathsAndUris)
{
    EXPECT_EQ(parse({}).action, Action::Run);
    EXPECT_TRUE(parse({}).file.isEmpty());
    EXPECT_EQ(parse({"/videos/a.avi"}).file, "/videos/a.avi");
    EXPECT_EQ(parse({"clip.avi"}).file, QDir::current().absoluteFilePath("clip.avi"));
    EXPECT_EQ(parse({"file:///videos/two%20words%C3%A9.mkv"}).file,
              QString::fromUtf8("/videos/two words\u00e9.mkv"));
    EXPECT_EQ(parse({"file://localhost/videos/a.avi"}).file, "/videos/a.avi");
    EXPECT_EQ(parse({"/videos/first.avi", "/videos/second.avi"}).file, "/videos/first.avi");
    EXPECT_EQ(parse({"/videos/first.avi", "file:///videos/second.avi"}).files,
              QStringList({"/videos/first.avi", "/videos/second.avi"}));
    // A bad URI anywhere refuses the whole line.
    EXPECT_EQ(parse({"/videos/first.avi", "http://host/b.avi"}).action, Action::Refuse);
    EXPECT_EQ(parse({"--", "-dash.avi"}).file, QDir::current().absoluteFilePath("-dash.avi"));
    // A colon alone does not make a URI.
    EXPECT_EQ(parse({"/videos/10:30.avi"}).file, "/videos/10:30.avi");
}

// --help and --version answer wherever they stand; an unknown option or a remote URI is
// refused with a line that names it.
TEST(CommandLine, OptionsAndRefusals)
{
    EXPECT_EQ(parse({"--help"}).action, Action::Help);
    EXPECT_EQ(parse({"a.avi", "-h"}).action, Action::Help);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);
    EXPECT_EQ(parse({"--", "--version"}).action, Action::Run);
    const cmdline::Request stats = parse({"--stats", "/videos/a.avi"});
    EXPECT_EQ(stats.action, Action::Run);
    EXPECT_TRUE(stats.stats);
    EXPECT_EQ(stats.file, "/videos/a.avi");
    EXPECT_FALSE(parse({"/videos/a.avi"}).stats);

    const cmdline::Request unknown = parse({"--fullscreen", "a.avi"});
    EXPECT_EQ(unknown.action, Action::Refuse);
    EXPECT_EQ(unknown.problem, "unknown option '--fullscreen'");
    EXPECT_EQ(parse({"-x"}).action, Action::Refuse);
    const cmdline::Request remote = parse({"https://example.org/a.avi"});
    EXPECT_EQ(remote.action, Action::Refuse);
    EXPECT_EQ(parse({"file://server/videos/a.avi"}).action, Action::Refuse);
    EXPECT_TRUE(remote.problem.contains("https://example.org/a.avi"));
    EXPECT_TRUE(remote.file.isEmpty());

    // Before Qt has taken its own options away, they are passed over, and only they.
    const QStringList withQt = {"VelmoraPlayer", "-platform", "offscreen", "--style=Fusion"};
    EXPECT_EQ(cmdline::parse(withQt, cmdline::ToolkitOptions::Present).action, Action::Run);
    EXPECT_EQ(cmdline::parse(withQt).action, Action::Refuse);
    EXPECT_EQ(cmdline::parse({"VelmoraPlayer", "--fullscreen"}, cmdline::ToolkitOptions::Present)
                  .action,
              Action::Refuse);

    EXPECT_TRUE(cmdline::helpText().startsWith("Usage: VelmoraPlayer [OPTION] [FILE]...\n"));
    EXPECT_EQ(cmdline::versionText(), "VelmoraPlayer 3.6.0.0\n");
}
