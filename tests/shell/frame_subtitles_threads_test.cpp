// The View menu's subtitle commands through the main frame: "Load subtitle file..." asks in
// the frame's language, only while a video plays, and says so when the file holds none;
// "Show subtitles" (and V) hides them, also for the files opened after.
#include "FrameFixture.h"

#include "Eventually.h"
#include "MediaPlayerView.h"
#include "MediaSession.h"
#include "OnScreenNote.h"
#include "TestMedia.h"
#include "Transport.h"

using framefixture::FrameTest;

namespace {

class FrameSubtitles : public FrameTest {
protected:
    void open(const std::string& path)
    {
        chooser.path = QString::fromStdString(path);
        frame->dispatchCommand(Command::FileOpen);
        ASSERT_EVENTUALLY_WITHIN(!frame->activeView()->transport().isOpening(), 30000);
        ASSERT_TRUE(frame->activeView()->media().isOpen());
    }
    std::string clip()
    {
        testmedia::ClipRequest wanted;
        wanted.name = "frame-subtitles.avi";
        wanted.frames = 250;
        return testmedia::clip(wanted);
    }
};

}  // namespace

TEST_F(FrameSubtitles, LoadAndShowFromTheViewMenu)
{
    createFrame();
    EXPECT_FALSE(frame->router().update(Command::LoadSubtitleFile).enabled) << "nothing plays";
    EXPECT_TRUE(frame->router().update(Command::ShowSubtitles).checked);
    open(clip());
    ASSERT_TRUE(frame->router().update(Command::LoadSubtitleFile).enabled);

    chooser.subtitlePath =
        QString::fromStdString(testmedia::writeFile("frame-subtitles-empty.srt", ""));
    frame->dispatchCommand(Command::LoadSubtitleFile);
    EXPECT_EQ(chooser.subtitleTitle, "Load subtitle file");
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.front(),
              "frame-subtitles-empty.srt holds no subtitles that can be shown.");

    messages.shown.clear();
    frame->dispatchCommand(Command::ShowSubtitles);
    EXPECT_FALSE(frame->activeView()->subtitlesShown());
    chooser.subtitlePath = QString::fromStdString(testmedia::writeFile(
        "frame-subtitles-good.srt", "1\n00:00:01,000 --> 00:00:02,000\nHello\n\n"));
    frame->dispatchCommand(Command::LoadSubtitleFile);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(frame->router().update(Command::ShowSubtitles).checked)
        << "a chosen file is shown";

    frame->dispatchCommand(Command::ShowSubtitles);
    open(clip());
    EXPECT_FALSE(frame->router().update(Command::ShowSubtitles).checked)
        << "the choice is kept for the next file";

    ASSERT_TRUE(frame->dispatchCommand(Command::LanguageGerman));
    chooser.subtitlePath.clear();
    frame->dispatchCommand(Command::LoadSubtitleFile);
    EXPECT_EQ(chooser.subtitleTitle, QString::fromUtf8("Untertiteldatei laden"));
    EXPECT_TRUE(messages.shown.isEmpty()) << "cancelled";

    // V hides and shows them, as the menu does, and a note over the picture says which.
    QTest::keyClick(frame->activeView(), Qt::Key_V);
    EXPECT_TRUE(frame->router().update(Command::ShowSubtitles).checked);
    EXPECT_EQ(frame->onScreenNote()->text(), QStringLiteral("Untertitel: an"));
    QTest::keyClick(frame->activeView(), Qt::Key_V);
    EXPECT_FALSE(frame->router().update(Command::ShowSubtitles).checked);
    EXPECT_EQ(frame->onScreenNote()->text(), QStringLiteral("Untertitel: aus"));
}
