// Frame stepping through the main frame's keys, as a person presses them: "." and "," move the
// paused picture a frame forward and back and the time to the frame's second; pressed while
// the video plays, the key pauses it first. The frame on the screen is read from the grey of a
// time-ramp clip at ten frames a second.
#include "FrameFixture.h"

#include "Eventually.h"
#include "MediaPlayerView.h"
#include "MediaSession.h"
#include "RampPicture.h"
#include "SceneWidget.h"
#include "Transport.h"
#include "ViewLayout.h"

#include <QImage>

#include <cmath>

using framefixture::FrameTest;

namespace {

constexpr int kRampSeconds = 4;
constexpr int kRampFps = 10;

class FrameStepKeys : public FrameTest {
protected:
    Transport& transport() { return frame->activeView()->transport(); }

    // The frame the picture shows, counted from 0 at the clip's start.
    int frameShown()
    {
        const QImage picture = frame->activeView()->sceneWidget()->grabFramebuffer().convertToFormat(
            QImage::Format_RGB32);
        const QPoint centre(picture.width() / 2, (picture.height() - view_layout::kBarHeight) / 2);
        return static_cast<int>(
            std::lround(ramppicture::secondsShown(picture, centre, kRampSeconds) * kRampFps));
    }
    void press(Qt::Key key)
    {
        QTest::keyClick(frame->activeView(), key);
        QCoreApplication::processEvents();
    }
    void waitForOpen()
    {
        ASSERT_EVENTUALLY_WITHIN(!transport().isOpening(), 30000);
    }
};

}  // namespace

TEST_F(FrameStepKeys, PeriodAndCommaStepThePausedPictureAndTheTimeFollows)
{
    createFrame();
    chooser.path = QString::fromStdString(ramppicture::clip(kRampSeconds, kRampFps));
    frame->dispatchCommand(Command::FileOpen);
    waitForOpen();
    ASSERT_TRUE(frame->activeView()->media().isOpen());
    ASSERT_EVENTUALLY(frameShown() >= 3);
    press(Qt::Key_Space);
    ASSERT_EQ(transport().playState(), PlayState::Paused);
    const int paused = frameShown();
    ASSERT_LE(paused, 25) << "played on too far to step around";

    press(Qt::Key_Period);
    // A frame the graph dropped as too late can leave the picture one behind the pause.
    ASSERT_EVENTUALLY(frameShown() > paused);
    const int stepped = frameShown();
    EXPECT_LE(stepped, paused + 2);
    EXPECT_EQ(transport().playState(), PlayState::Paused) << "a step does not play";

    press(Qt::Key_Comma);
    EXPECT_EVENTUALLY(frameShown() == stepped - 1);
    press(Qt::Key_Period);
    press(Qt::Key_Period);
    EXPECT_EVENTUALLY(frameShown() == stepped + 1);

    // Up to the next whole second: the time on the bar goes there with the picture.
    const int nextSecond = ((stepped + 1) / kRampFps + 1) * kRampFps;
    for (int at = stepped + 1; at < nextSecond; ++at)
        press(Qt::Key_Period);
    EXPECT_EVENTUALLY(frameShown() == nextSecond);
    EXPECT_EQ(transport().positionSeconds(), nextSecond / kRampFps);
    press(Qt::Key_Comma);
    EXPECT_EVENTUALLY(frameShown() == nextSecond - 1);
    EXPECT_EQ(transport().positionSeconds(), nextSecond / kRampFps - 1);

    // Resumed, the video plays on; "." then pauses it and steps.
    press(Qt::Key_Space);
    waitForOpen();
    ASSERT_EQ(transport().playState(), PlayState::Playing);
    EXPECT_EVENTUALLY(frameShown() >= nextSecond);
    press(Qt::Key_Period);
    EXPECT_EQ(transport().playState(), PlayState::Paused);
    EXPECT_GE(frameShown(), nextSecond);
    EXPECT_TRUE(messages.shown.isEmpty());
}
