// The view's Sound and Volume buttons and the volume pop-up against a real PulseAudio server
// of the test's own, read back with pactl: mute and unmute with the icon, the pop-up at the
// pointer, both channels written from their own sliders, an outside change seen at the next
// opening, no server at all, and a server stopped while the program runs.
#include "ChannelSlider.h"
#include "Eventually.h"
#include "PrivatePulseServer.h"
#include "SpeakerCommands.h"
#include "ViewHarness.h"
#include "VolumeDialog.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace viewtest;

namespace {

using Volumes = std::vector<int>;

class ViewSoundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        pulse = new PrivatePulseServer;
        ASSERT_TRUE(pulse->start());
    }
    static void TearDownTestSuite()
    {
        delete pulse;
        pulse = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(pulse->start());
        pulse->useForThisProcess();
        pulse->setMuted(false);
        pulse->setVolumes({QStringLiteral("65536"), QStringLiteral("65536")});
    }

    void makeView()
    {
        h = std::make_unique<ViewHarness>();
        ASSERT_TRUE(h->exposed);
    }

    // A long clip with a fast clock: the program visibly goes on playing.
    void play()
    {
        h->view->transport().setClockStep(std::chrono::milliseconds(100));
        h->open(longClip());
        ASSERT_EVENTUALLY(h->view->transport().positionSeconds() >= 2);
    }

    SpeakerCommands& speakers() const { return h->view->speakers(); }
    CVolumeDialog* popup() const { return speakers().volumePopup(); }
    CChannelSlider* left() const { return popup()->leftSlider(); }
    CChannelSlider* right() const { return popup()->rightSlider(); }

    static PrivatePulseServer* pulse;
    std::unique_ptr<ViewHarness> h;
};

PrivatePulseServer* ViewSoundTest::pulse = nullptr;

TEST_F(ViewSoundTest, SoundMutesThenUnmutesAndTheIconFollows)
{
    makeView();
    EXPECT_EQ(h->bar()->soundLevel(), 50);
    h->click(Command::Sound);
    EXPECT_TRUE(pulse->isMuted());
    EXPECT_EQ(h->bar()->soundLevel(), -1);
    EXPECT_EQ(h->bar()->cellsFor(Command::Sound).icon, 4);  // the muted icon
    h->click(Command::Sound);
    EXPECT_FALSE(pulse->isMuted());
    EXPECT_EQ(h->bar()->soundLevel(), 1);
    EXPECT_EQ(h->bar()->cellsFor(Command::Sound).icon, 0);
    h->click(Command::Sound);
    EXPECT_TRUE(pulse->isMuted());

    // The first click always mutes, even speakers already muted elsewhere.
    makeView();
    h->click(Command::Sound);
    EXPECT_TRUE(pulse->isMuted());
    EXPECT_EQ(h->bar()->soundLevel(), -1);
}

TEST_F(ViewSoundTest, VolumeOpensThePopupAtThePointerAndClosesIt)
{
    makeView();
    pulse->setVolumes({QStringLiteral("20000"), QStringLiteral("40000")});
    EXPECT_TRUE(speakers().isPopupHidden());
    h->click(Command::Volume);
    EXPECT_FALSE(speakers().isPopupHidden());
    EXPECT_TRUE(popup()->isVisible());
    EXPECT_EQ(popup()->size(), QSize(45, 130));
    EXPECT_EQ(left()->position(), 20000);
    EXPECT_EQ(right()->position(), 40000);
    EXPECT_EQ(left()->maximum(), 65536);
    EXPECT_EQ(popup()->label()->text(), "L  R");
    h->click(Command::Volume);
    EXPECT_TRUE(speakers().isPopupHidden());

    // Its top-left corner at the pointer's x, 130 pixels above its y.
    speakers().ToggleVolumePopup(QPoint(500, 400));
    EXPECT_EQ(popup()->geometry(), QRect(500, 270, 45, 130));
    // Both sliders and the label lie inside it.
    for (QWidget* w : {static_cast<QWidget*>(left()), static_cast<QWidget*>(right()),
                       static_cast<QWidget*>(popup()->label())})
        EXPECT_TRUE(popup()->rect().contains(w->geometry())) << w->geometry().y();
    speakers().ToggleVolumePopup(QPoint(500, 400));
    EXPECT_FALSE(popup()->isVisible());
}

TEST_F(ViewSoundTest, EitherSliderWritesBothChannelsEachFromItsOwnSlider)
{
    makeView();
    pulse->setVolumes({QStringLiteral("20000"), QStringLiteral("40000")});
    h->click(Command::Volume);
    ASSERT_TRUE(popup()->isVisible());

    // Dragging the left slider writes continuously, before the button comes up.
    QTest::mousePress(left(), Qt::LeftButton, {}, QPoint(5, 75));
    EXPECT_EVENTUALLY(pulse->volumes() == (Volumes{49152, 40000}));
    QTest::mouseMove(left(), QPoint(5, 25));
    EXPECT_EVENTUALLY(pulse->volumes() == (Volumes{16384, 40000}));
    QTest::mouseRelease(left(), Qt::LeftButton, {}, QPoint(5, 25));

    // The right slider writes the left channel from the left slider.
    QTest::mouseClick(right(), Qt::LeftButton, {}, QPoint(5, 50));
    EXPECT_EVENTUALLY(pulse->volumes() == (Volumes{16384, 32768}));
    // Keys write too.
    QTest::keyClick(right(), Qt::Key_End);
    EXPECT_EVENTUALLY(pulse->volumes() == (Volumes{16384, 65536}));
    QTest::keyClick(left(), Qt::Key_Home);
    EXPECT_EVENTUALLY(pulse->volumes() == (Volumes{0, 65536}));
}

TEST_F(ViewSoundTest, AVolumeChangedElsewhereShowsWhenThePopupOpensNext)
{
    makeView();
    h->click(Command::Volume);
    EXPECT_EQ(left()->position(), 65536);
    h->click(Command::Volume);
    pulse->setVolumes({QStringLiteral("10000"), QStringLiteral("30000")});
    h->click(Command::Volume);
    EXPECT_EQ(left()->position(), 10000);
    EXPECT_EQ(right()->position(), 30000);
}

TEST_F(ViewSoundTest, WithNoServerTheButtonsDoNothing)
{
    pulse->useNoServer();
    makeView();
    play();
    for (int i = 0; i < 2; ++i) {
        h->click(Command::Sound);
        h->click(Command::Volume);
    }
    EXPECT_EQ(h->bar()->soundLevel(), 50);
    EXPECT_EQ(speakers().nextMute(), 1);
    EXPECT_TRUE(speakers().isPopupHidden());
    EXPECT_FALSE(pulse->isMuted());
    // The program plays on.
    const int at = h->view->transport().positionSeconds();
    EXPECT_EVENTUALLY(h->view->transport().positionSeconds() > at);
    EXPECT_TRUE(h->messages.boxes.empty());
}

TEST_F(ViewSoundTest, AServerStoppedWhileTheProgramRunsLeavesItUsable)
{
    makeView();
    play();
    h->click(Command::Sound);
    ASSERT_EQ(h->bar()->soundLevel(), -1);
    h->click(Command::Volume);
    ASSERT_TRUE(popup()->isVisible());

    pulse->stop();
    // Sliders, Sound and Volume all meet no server: nothing changes, nothing breaks, and the
    // open pop-up can still be closed.
    QTest::mouseClick(left(), Qt::LeftButton, {}, QPoint(5, 40));
    QTest::keyClick(right(), Qt::Key_Home);
    QCoreApplication::processEvents();
    h->click(Command::Sound);
    EXPECT_EQ(h->bar()->soundLevel(), -1);
    h->click(Command::Volume);
    EXPECT_TRUE(speakers().isPopupHidden());
    h->click(Command::Volume);
    EXPECT_TRUE(speakers().isPopupHidden());
    const int at = h->view->transport().positionSeconds();
    EXPECT_EVENTUALLY(h->view->transport().positionSeconds() > at);

    // The server comes back, muted: the next Sound that reaches it unmutes it.
    ASSERT_TRUE(pulse->start());
    pulse->setMuted(true);
    EXPECT_EVENTUALLY((h->click(Command::Sound), h->bar()->soundLevel() == 1));
    EXPECT_FALSE(pulse->isMuted());
    EXPECT_EVENTUALLY((h->click(Command::Volume), popup()->isVisible()));
    EXPECT_EQ(right()->position(), 65536);
}

}  // namespace
