// The folder as a playlist: at the end of a file the next one in natural order plays, passing
// over files that cannot be played, the last one stops; with that turned off the end stops,
// and Forward and Back go to the neighbours from the media's ends.
#include "CommandIds.h"
#include "Eventually.h"
#include "MediaSession.h"
#include "ViewHarness.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

std::string colourClip(const char* pattern)
{
    testmedia::ClipRequest wanted;
    wanted.name = std::string("playlist-") + pattern + ".avi";
    wanted.pattern = pattern;
    wanted.frames = 75;
    return testmedia::clip(wanted);
}

// A folder of its own: part2.avi (red) before part10.avi (blue), and a text file the
// playlist passes over.
class PlaylistFolder {
public:
    PlaylistFolder()
    {
        const QDir folder(dir.path());
        first = folder.filePath("part2.avi");
        second = folder.filePath("part10.avi");
        ok = dir.isValid() &&
             QFile::copy(QString::fromStdString(colourClip("red")), first) &&
             QFile::copy(QString::fromStdString(colourClip("blue")), second);
        QFile notes(folder.filePath("part3.txt"));
        ok = ok && notes.open(QIODevice::WriteOnly);
    }
    QTemporaryDir dir;
    QString first, second;
    bool ok = false;
};

enum class Shown { Red, Blue, Other };

Shown shownAtCentre(const ViewHarness& h)
{
    const QImage picture = h.view->sceneWidget()->grabFramebuffer();
    const QColor c =
        picture.pixelColor(picture.width() / 2, (picture.height() - view_layout::kBarHeight) / 2);
    if (c.red() > 150 && c.blue() < 80)
        return Shown::Red;
    if (c.blue() > 150 && c.red() < 80)
        return Shown::Blue;
    return Shown::Other;
}

QString current(const ViewHarness& h)
{
    return QString::fromStdString(h.app.currentMediaPath);
}

}  // namespace

TEST(ViewPlaylist, AtTheEndTheNextFilePlaysAndTheLastOneStops)
{
    PlaylistFolder folder;
    ASSERT_TRUE(folder.ok);
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    ASSERT_TRUE(h.view->playsNextAtEnd()) << "the next file plays by default";
    // Two seconds of the window's time each.
    h.transport().setClockStep(std::chrono::seconds(1));
    h.openWithDuration(folder.first.toStdString(), 2000);
    EXPECT_EVENTUALLY(shownAtCentre(h) == Shown::Red);

    ASSERT_EVENTUALLY_WITHIN(current(h) == folder.second && !h.transport().isOpening(), 20000);
    EXPECT_TRUE(h.view->media().isOpen());
    EXPECT_TRUE(h.messages.boxes.empty());
    EXPECT_EVENTUALLY(shownAtCentre(h) == Shown::Blue);

    ASSERT_EVENTUALLY(!h.transport().isMediaActive());
    QTest::qWait(1500);
    EXPECT_EQ(current(h), folder.second) << "nothing follows the last file";
    EXPECT_FALSE(h.view->media().isOpen());
    EXPECT_FALSE(h.transport().isOpening());
}

TEST(ViewPlaylist, WithoutPlayNextTheEndStopsAndForwardAndBackGoToTheNeighbours)
{
    PlaylistFolder folder;
    ASSERT_TRUE(folder.ok);
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.view->SetPlayNextAtEnd(false);
    h.transport().setClockStep(std::chrono::seconds(1));
    h.openWithDuration(folder.first.toStdString(), 2000);
    ASSERT_EVENTUALLY(!h.transport().isMediaActive());
    QTest::qWait(1200);
    EXPECT_EQ(current(h), folder.first);
    EXPECT_FALSE(h.transport().isOpening());

    // Forward after the end: the next file.
    h.view->handleCommand(Command::Next);
    h.waitForOpen();
    EXPECT_EQ(current(h), folder.second);
    EXPECT_EVENTUALLY(shownAtCentre(h) == Shown::Blue);
    // Back at its start: the previous one; and from the first file nothing earlier.
    h.view->handleCommand(Command::Previous);
    h.waitForOpen();
    EXPECT_EQ(current(h), folder.first);
    EXPECT_EVENTUALLY(shownAtCentre(h) == Shown::Red);
    EXPECT_FALSE(h.view->PlayPrevious());
    EXPECT_TRUE(h.view->PlayNext());
    h.waitForOpen();
    EXPECT_EQ(current(h), folder.second);
    EXPECT_FALSE(h.view->PlayNext()) << "part3.txt is no media file";
    EXPECT_TRUE(h.messages.boxes.empty());
}

// Going on by itself, the playlist passes over files it cannot play with a note, not a
// message box, also when the last one is such a file; a file the user opens still gets its
// message.
TEST(ViewPlaylist, TheEndPassesOverFilesThatCannotBePlayed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir folder(dir.path());
    const QString red = folder.filePath("a1.avi"), blue = folder.filePath("a3.avi");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(colourClip("red")), red));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(colourClip("blue")), blue));
    for (const char* name : {"a2.avi", "a4.avi"}) {
        QFile text(folder.filePath(name));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("not a video\n");
    }
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    QSignalSpy skipped(h.view.get(), &CBCGPMediaPlayerView::fileSkipped);
    QSignalSpy finished(h.view.get(), &CBCGPMediaPlayerView::openFinished);
    h.transport().setClockStep(std::chrono::seconds(1));
    h.openWithDuration(red.toStdString(), 2000);

    ASSERT_EVENTUALLY_WITHIN(current(h) == blue && h.view->media().isOpen(), 20000);
    ASSERT_EQ(skipped.count(), 1);
    EXPECT_EQ(skipped.at(0).at(0).toString(), folder.filePath("a2.avi"));
    EXPECT_EVENTUALLY(shownAtCentre(h) == Shown::Blue);

    ASSERT_EVENTUALLY_WITHIN(skipped.count() == 2 && !h.transport().isOpening(), 20000);
    EXPECT_EQ(skipped.at(1).at(0).toString(), folder.filePath("a4.avi"));
    EXPECT_TRUE(h.messages.boxes.empty());
    EXPECT_EQ(finished.count(), 3) << "the first, the blue one and the end of the list";

    h.chooser.answers.push_back(folder.filePath("a2.avi"));
    h.view->OpenMedia();
    h.waitForOpen();
    EXPECT_EQ(h.messages.boxes.size(), 1u);
    EXPECT_EQ(skipped.count(), 2);
}
