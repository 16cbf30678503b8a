// The playlist through the main frame: N and P go to the neighbours in the folder, the
// caption names the file that plays, the next start keeps the open dialog's folder and the
// choice to play the next file at the end, and the Open Media menu lists the recent files.
#include "FrameFixture.h"

#include "Eventually.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "MediaPlayerView.h"
#include "MediaSession.h"
#include "TestMedia.h"
#include "Transport.h"

#include <QAction>
#include <QDir>
#include <QMenu>

using framefixture::FrameTest;

namespace {

std::string clip(const char* pattern)
{
    testmedia::ClipRequest wanted;
    wanted.name = std::string("frame-playlist-") + pattern + ".avi";
    wanted.pattern = pattern;
    wanted.frames = 250;
    return testmedia::clip(wanted);
}

class FramePlaylist : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(media.isValid());
        const QDir folder(media.path());
        first = folder.filePath("Part 2.avi");
        second = folder.filePath("part 10.avi");
        ASSERT_TRUE(QFile::copy(QString::fromStdString(clip("red")), first));
        ASSERT_TRUE(QFile::copy(QString::fromStdString(clip("blue")), second));
    }
    void press(Qt::Key key)
    {
        QTest::keyClick(frame->activeView(), key);
        waitForOpen();
    }
    void waitForOpen()
    {
        ASSERT_EVENTUALLY_WITHIN(!frame->activeView()->transport().isOpening(), 30000);
    }
    QString current() const { return QString::fromStdString(app.currentMediaPath); }

    QTemporaryDir media;
    QString first, second;
};

}  // namespace

TEST_F(FramePlaylist, NAndPGoThroughTheFolderAndTheCaptionNamesTheFile)
{
    createFrame();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("MediaVelmora Player"));
    chooser.path = first;
    frame->dispatchCommand(Command::FileOpen);
    waitForOpen();
    ASSERT_TRUE(frame->activeView()->media().isOpen());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Part 2.avi - MediaVelmora Player"));

    press(Qt::Key_N);
    EXPECT_EQ(current(), second);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("part 10.avi - MediaVelmora Player"));
    press(Qt::Key_N);
    EXPECT_EQ(current(), second) << "nothing after the last file";
    press(Qt::Key_P);
    EXPECT_EQ(current(), first);
    EXPECT_TRUE(frame->activeView()->media().isOpen());
    EXPECT_TRUE(messages.shown.isEmpty());

    // A file that cannot be played leaves the program's name alone.
    chooser.path = QString::fromStdString(testmedia::writeFile("frame-playlist-text.avi", "text\n"));
    frame->dispatchCommand(Command::FileOpen);
    waitForOpen();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("MediaVelmora Player"));
}

TEST_F(FramePlaylist, TheNextStartKeepsTheDialogsFolderAndThePlayNextChoice)
{
    createFrame();
    ASSERT_TRUE(frame->activeView()->playsNextAtEnd());
    EXPECT_TRUE(frame->router().update(Command::PlayNextAtEnd).checked);
    frame->dispatchCommand(Command::PlayNextAtEnd);
    EXPECT_FALSE(frame->activeView()->playsNextAtEnd());
    EXPECT_FALSE(frame->router().update(Command::PlayNextAtEnd).checked);

    chooser.path = second;
    frame->dispatchCommand(Command::FileOpen);
    waitForOpen();
    EXPECT_EQ(chooser.folder(), media.path());

    frame->close();
    chooser.setFolder(QString());
    createFrame();
    EXPECT_EQ(chooser.folder(), media.path());
    EXPECT_FALSE(frame->activeView()->playsNextAtEnd());
    frame->dispatchCommand(Command::PlayNextAtEnd);
    frame->close();
    createFrame();
    EXPECT_TRUE(frame->activeView()->playsNextAtEnd());
}

// The files that played are listed in the Open Media menu, most recent first, also after a
// restart; one chosen opens; one no longer there is taken off with a message.
TEST_F(FramePlaylist, TheOpenMediaMenuListsTheRecentFiles)
{
    createFrame();
    chooser.path = first;
    frame->dispatchCommand(Command::FileOpen);
    waitForOpen();
    press(Qt::Key_N);
    ASSERT_EQ(current(), second);

    const auto recentEntries = [this] {
        QMenu* menu = frame->explorerBar()->menuButtons().front()->menu();
        emit menu->aboutToShow();
        QList<QAction*> entries;
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->data().toInt() >= toInt(Command::RecentFile1) &&
                action->data().toInt() < toInt(Command::RecentFile1) + kRecentFileCommands)
                entries << action;
        return entries;
    };
    QList<QAction*> entries = recentEntries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 part 10.avi"));
    EXPECT_EQ(entries[0]->toolTip(), second);
    EXPECT_EQ(entries[1]->text(), QStringLiteral("&2 Part 2.avi"));
    EXPECT_EQ(recentEntries().size(), 2) << "showing the menu again adds nothing";

    frame->close();
    createFrame();
    entries = recentEntries();
    ASSERT_EQ(entries.size(), 2);
    entries[1]->trigger();
    waitForOpen();
    EXPECT_EQ(current(), first);
    EXPECT_EQ(recentEntries()[0]->toolTip(), first);

    ASSERT_TRUE(QFile::remove(second));
    frame->ApplyLanguage(1);
    recentEntries()[1]->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.front().startsWith(QStringLiteral("Die Datei „"))) << messages.shown.front().toStdString();
    EXPECT_EQ(current(), first) << "nothing else opened";
    entries = recentEntries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0]->toolTip(), first);
}
