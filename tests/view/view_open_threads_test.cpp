// Opening files in the view: command states before and after, the picture and where it is
// placed, a file no decoder takes, a cancelled dialog, and loads that take long.
#include "Eventually.h"
#include "CommandIds.h"
#include "SlowLoad.h"
#include "ViewHarness.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace viewtest;

namespace {

bool pictureShown(SceneWidget* scene, QPoint at)
{
    const QImage frame = scene->grabFramebuffer();
    const QColor c = frame.pixelColor(at);
    return c.red() + c.green() + c.blue() > 60;
}

}  // namespace

TEST(ViewOpen, CommandsAreEnabledOnlyOnceSomethingWasOpened)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    for (Command id : {Command::Back, Command::Forward, Command::Stop, Command::Previous,
                       Command::Play, Command::Next}) {
        CommandState s;
        ASSERT_TRUE(h.view->updateCommand(id, s));
        EXPECT_FALSE(s.enabled) << toInt(id);
    }
    for (Command id : {Command::Sound, Command::Volume}) {
        CommandState s;
        ASSERT_TRUE(h.view->updateCommand(id, s));
        EXPECT_TRUE(s.enabled) << toInt(id);
    }
    EXPECT_FALSE(h.bar()->isButtonEnabled(Command::Play));
    EXPECT_TRUE(h.bar()->isButtonEnabled(Command::Sound));
    EXPECT_FALSE(h.slider()->isEnabled());
    EXPECT_EQ(h.timeText(), "00:00:00-00:00:00");

    h.open(shortClip());
    EXPECT_TRUE(h.messages.boxes.empty());
    EXPECT_EQ(h.transport().playState(), PlayState::Playing);
    EXPECT_TRUE(h.renderer().videoReady());
    EXPECT_TRUE(h.slider()->isEnabled());
    EXPECT_EQ(h.bar()->playIcon(), 0);  // pause symbol while playing
    EXPECT_EQ(h.app.mediaDurationMs, 2000);
    // The bar's buttons follow at the next tick.
    ASSERT_EVENTUALLY(h.bar()->isButtonEnabled(Command::Play));
    for (Command id : {Command::Stop, Command::Previous, Command::Play, Command::Next})
        EXPECT_TRUE(h.bar()->isButtonEnabled(id)) << toInt(id);
    // And the picture is on the screen above the bar.
    ASSERT_EVENTUALLY(pictureShown(h.view->sceneWidget(), QPoint(400, 200)));
}

TEST(ViewOpen, PlacesThePictureAsTheSizeModeSays)
{
    ViewHarness h(QSize(1000, 800));
    ASSERT_TRUE(h.exposed);
    h.open(shortClip());
    ASSERT_EQ(h.view->videoWidth(), 320);
    ASSERT_EQ(h.view->videoHeight(), 240);
    // Full view (the start mode): the whole area above the bar, at every tick.
    ASSERT_EVENTUALLY((h.view->lastViewport() == view_layout::Viewport{0, 60, 1000, 740}));
    EXPECT_EQ(h.renderer().viewportRect().right, 1000);
    EXPECT_EQ(h.renderer().viewportRect().bottom, 740);
    // A proportion change in full view lasts until the next tick.
    h.view->SetProportion(200);
    EXPECT_EQ(h.view->lastViewport(), (view_layout::Viewport{420, 370, 160, 120}));
    ASSERT_EVENTUALLY((h.view->lastViewport() == view_layout::Viewport{0, 60, 1000, 740}));

    h.view->SetSizeMode(SizeMode::OriginalSize);
    h.view->SetProportion(400);
    EXPECT_EQ(h.view->lastViewport(), (view_layout::Viewport{340, 310, 320, 240}));
    QTest::qWait(100);  // ticks leave the original size alone
    EXPECT_EQ(h.view->lastViewport(), (view_layout::Viewport{340, 310, 320, 240}));
    // The picture is inside the viewport and black outside it. Qt's y runs downwards:
    // GL rows 310..549 are widget rows 250..489.
    const QImage frame = h.view->sceneWidget()->grabFramebuffer();
    EXPECT_GT(frame.pixelColor(500, 370).lightness(), 20);
    EXPECT_EQ(frame.pixelColor(100, 100).lightness(), 0);
    EXPECT_EQ(frame.pixelColor(900, 600).lightness(), 0);
}

TEST(ViewOpen, OriginalSizeCutsALargeVideoToTheClientArea)
{
    ViewHarness h(QSize(600, 500));
    ASSERT_TRUE(h.exposed);
    h.view->SetSizeMode(SizeMode::OriginalSize);
    h.open(clip640());
    h.view->SetSizeMode(SizeMode::OriginalSize);
    EXPECT_EQ(h.view->lastViewport(), (view_layout::Viewport{0, 40, 600, 480}));
}

TEST(ViewOpen, AFileNoDecoderTakesShowsTheMessageAndTheViewStaysUsable)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    const std::string text = testmedia::writeFile("not-a-video.avi", "just some text\n");
    h.open(text);
    ASSERT_EQ(h.messages.boxes.size(), 1u);
    EXPECT_EQ(h.messages.boxes[0].text,
              "Not find a suitable decoder, Recommend that you use Perfect decoder"
              "(menu->plugin->Perfect decoder).");
    EXPECT_EQ(h.messages.boxes[0].title, "MediaVelmora Player");
    EXPECT_FALSE(h.renderer().videoReady());
    EXPECT_FALSE(h.transport().hasClock());
    EXPECT_FALSE(h.slider()->isEnabled());
    EXPECT_EQ(h.app.currentMediaPath, text);

    // A good file afterwards plays.
    h.open(shortClip());
    EXPECT_EQ(h.messages.boxes.size(), 1u);
    EXPECT_TRUE(h.renderer().videoReady());
    EXPECT_TRUE(h.transport().hasClock());
}

TEST(ViewOpen, AFailedOpenWhilePlayingStopsTheOldClockAndResetsTheBar)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.open(longClip());
    h.transport().seekToPercent(10);
    ASSERT_NE(h.timeText(), "00:00:00-00:00:00");
    h.open(testmedia::writeFile("still-not-a-video.avi", "text"));
    EXPECT_EQ(h.messages.boxes.size(), 1u);
    EXPECT_FALSE(h.transport().hasClock());
    EXPECT_FALSE(h.transport().isMediaActive());
    EXPECT_EQ(h.timeText(), "00:00:00-00:00:00");
    EXPECT_EQ(h.bar()->playIcon(), 1);
}

TEST(ViewOpen, ACancelledDialogChangesNothing)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.open(shortClip());
    h.transport().setClockStep(std::chrono::hours(1));
    const std::string path = h.app.currentMediaPath;
    h.chooser.answers.push_back(QString());  // cancel
    h.openWithDialog();
    EXPECT_EQ(h.chooser.asked, 2);
    EXPECT_EQ(h.app.currentMediaPath, path);
    EXPECT_TRUE(h.renderer().videoReady());
    EXPECT_TRUE(h.transport().isMediaActive());
    EXPECT_TRUE(h.transport().hasClock());
    EXPECT_TRUE(h.messages.boxes.empty());
    EXPECT_EQ(h.app.mediaDurationMs, 2000);

    // Cancelling before anything was opened leaves the bar as it was.
    ViewHarness fresh;
    fresh.openWithDialog();
    EXPECT_FALSE(fresh.renderer().videoReady());
    EXPECT_FALSE(fresh.slider()->isEnabled());
    EXPECT_FALSE(fresh.transport().hasClock());
    EXPECT_EQ(fresh.timeText(), "00:00:00-00:00:00");
    EXPECT_EQ(fresh.app.mediaDurationMs, 0);
}

TEST(ViewOpen, SettingsReachTheRendererAndSurviveAnOpen)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.view->SetSurface({SurfaceMode::Bethel2, 250});
    h.view->SetShape(ShapeKind::Cube);
    EXPECT_EQ(h.renderer().surfaceMode(), SurfaceMode::Bethel2);
    EXPECT_EQ(h.renderer().shapeKind(), ShapeKind::Cube);
    // The renderer forgets them at an open; the view gives them back.
    h.open(shortClip());
    EXPECT_EQ(h.renderer().surfaceMode(), SurfaceMode::Bethel2);
    EXPECT_EQ(h.renderer().shapeKind(), ShapeKind::Cube);
}

using slowload::SlowFile;

// A load that takes long leaves the window answering: the UI thread's timers keep ticking
// while it loads, under the busy cursor, and its failure then shows the decoder message as a
// quick failure does.
TEST(ViewOpen, ASlowLoadLeavesTheWindowAnswering)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    SlowFile slow("alone");  // after the harness: let go before the view waits for it
    QElapsedTimer clock;
    qint64 lastTick = 0, longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    h.chooser.answers.push_back(QString::fromStdString(slow.path));
    clock.start();
    ticker.start(20);
    h.view->OpenMedia();
    EXPECT_TRUE(h.transport().isOpening());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);

    // The load lasts at least this long; the ticks never stop for half of it.
    constexpr qint64 kLoading = 4000;
    QTest::qWait(kLoading);
    EXPECT_TRUE(h.transport().isOpening());
    EXPECT_LT(longestGap, kLoading / 2);
    slow.letGo();
    h.waitForOpen();
    ASSERT_EQ(h.messages.boxes.size(), 1u);
    EXPECT_EQ(h.messages.boxes[0].text, CBCGPMediaPlayerView::kDecoderMessage);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(h.renderer().videoReady());
}

// An open while a slow one loads wins: it plays at once, and the slow one's result, when it
// comes, changes nothing. While a file loads, the picture of the one before stays; Stop drops
// a slow open as a later open does.
TEST(ViewOpen, ALaterOpenOrStopDropsASlowOpen)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    SlowFile first("then-replaced");
    h.chooser.answers.push_back(QString::fromStdString(first.path));
    h.view->OpenMedia();
    ASSERT_TRUE(h.transport().isOpening());
    h.open(shortClip());
    EXPECT_TRUE(h.renderer().videoReady());
    EXPECT_EQ(h.app.currentMediaPath, shortClip());
    EXPECT_EQ(h.transport().loadsUnderWay(), 1);  // the slow one still loads
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    first.letGo();
    ASSERT_EVENTUALLY(h.transport().loadsUnderWay() == 0);
    EXPECT_TRUE(h.messages.boxes.empty());
    EXPECT_TRUE(h.renderer().videoReady());
    EXPECT_TRUE(h.transport().isMediaActive());

    SlowFile second("then-stopped");
    ASSERT_TRUE(pictureShown(h.view->sceneWidget(), QPoint(400, 200)));
    h.chooser.answers.push_back(QString::fromStdString(second.path));
    h.view->OpenMedia();
    ASSERT_TRUE(h.transport().isOpening());
    EXPECT_TRUE(pictureShown(h.view->sceneWidget(), QPoint(400, 200)));
    ASSERT_EVENTUALLY(h.bar()->isButtonEnabled(Command::Stop));
    h.click(Command::Stop);
    EXPECT_FALSE(pictureShown(h.view->sceneWidget(), QPoint(400, 200)));
    EXPECT_FALSE(h.transport().isOpening());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(h.timeText(), "00:00:00-00:00:00");
    EXPECT_EQ(h.bar()->playIcon(), 1);
    second.letGo();
    ASSERT_EVENTUALLY(h.transport().loadsUnderWay() == 0);
    EXPECT_TRUE(h.messages.boxes.empty());
    EXPECT_FALSE(h.renderer().videoReady());
    EXPECT_FALSE(h.transport().isMediaActive());
}
