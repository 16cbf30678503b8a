// Resume through the main frame: after a restart of the program a file goes on where it was
// left, with a note over the picture, and Home starts it over; the Open Media menu's choice
// turns resume off and is kept.
#include "FrameFixture.h"

#include "Eventually.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "MediaPlayerView.h"
#include "MediaSession.h"
#include "OnScreenNote.h"
#include "RampPicture.h"
#include "Transport.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QFile>

using framefixture::FrameTest;

namespace {

class FrameResume : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(media.isValid());
        film = QDir(media.path()).filePath("film.avi");
        ASSERT_TRUE(QFile::copy(QString::fromStdString(ramppicture::clip(60, 5)), film));
    }
    void openFilm()
    {
        chooser.path = film;
        frame->dispatchCommand(Command::FileOpen);
        ASSERT_EVENTUALLY_WITHIN(!transport().isOpening(), 30000);
        ASSERT_TRUE(frame->activeView()->media().isOpen());
    }
    Transport& transport() const { return frame->activeView()->transport(); }

    QTemporaryDir media;
    QString film;
};

}  // namespace

TEST_F(FrameResume, AfterARestartTheFileGoesOnWithANoteAndHomeStartsOver)
{
    createFrame();
    openFilm();
    transport().seekBy(40);
    frame->close();

    createFrame();
    openFilm();
    EXPECT_EQ(transport().positionSeconds(), 35);
    EXPECT_TRUE(frame->onScreenNote()->isVisible());
    EXPECT_EQ(frame->onScreenNote()->text(),
              QStringLiteral("Resumed at 00:00:35 (Home: from the start)"));
    QTest::keyClick(frame->activeView(), Qt::Key_Home);
    EXPECT_EQ(transport().positionSeconds(), 0);
}

TEST_F(FrameResume, TheMenusChoiceTurnsResumeOffAndIsKept)
{
    createFrame();
    EXPECT_TRUE(frame->router().update(Command::ResumePlayback).checked) << "on by default";
    openFilm();
    transport().seekBy(40);
    frame->dispatchCommand(Command::ResumePlayback);
    EXPECT_FALSE(frame->router().update(Command::ResumePlayback).checked);
    frame->close();

    createFrame();
    EXPECT_FALSE(frame->activeView()->resumesPlayback());
    openFilm();
    EXPECT_EQ(transport().positionSeconds(), 0);

    frame->ApplyLanguage(2);
    QStringList captions;
    for (const QAction* action : frame->explorerBar()->menuButtons().front()->menu()->actions())
        if (action->data().toInt() == toInt(Command::ResumePlayback))
            captions << action->text();
    EXPECT_EQ(captions, QStringList{QString::fromUtf8("Reprendre là où je m'étais arrêté")});
}
