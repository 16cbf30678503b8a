// The view draws only when the picture changes: a new video frame, a moving scene, a changed
// setting. With nothing open, or a paused video and nothing moving, it draws nothing.
#include "Eventually.h"
#include "MediaSession.h"
#include "ViewHarness.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QScreen>

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

// Counts the draws the view asked for. Other tests' windows on the same display may cover
// and uncover the scene; the window system's exposures are drawn too, and are not counted.
struct DrawCounter {
    explicit DrawCounter(SceneWidget* scene)
    {
        QObject::connect(scene, &SceneWidget::drawn, scene, [this](double, bool forExposure) {
            if (!forExposure)
                ++draws;
        });
    }
    int draws = 0;
};

// Opens the scrolling clip and pauses it: a still picture that only a draw can change.
void openPaused(ViewHarness& h)
{
    ASSERT_TRUE(h.exposed);
    h.openWithDuration(scrollingClip(), 10000);
    ASSERT_TRUE(h.renderer().videoReady());
    h.transport().togglePlayPause();
    ASSERT_EQ(h.transport().playState(), PlayState::Paused);
    QTest::qWait(300);
}

// What the screen shows of a widget's window.
QImage shownOnScreen(QWidget* window)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(window->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(ViewDrawing, DrawsOnlyWhenThePictureChanges)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    DrawCounter counter(h.view->sceneWidget());
    h.view->sceneWidget()->requestDraw();
    ASSERT_EVENTUALLY(counter.draws > 0);
    QTest::qWait(300);
    counter.draws = 0;
    QTest::qWait(800);  // about twenty ticks
    EXPECT_EQ(counter.draws, 0) << "drew with nothing open";

    // Playing: each new frame asks for its draw, and each draw shows a newer frame than the
    // last (a still scene is never drawn again for nothing).
    h.openWithDuration(scrollingClip(), 10000);
    ASSERT_TRUE(h.renderer().videoReady());
    const long long shownBefore = h.renderer().framesShown();
    const int drawsBefore = counter.draws;
    ASSERT_EVENTUALLY_WITHIN(h.renderer().framesShown() >= shownBefore + 25, 20000);
    const int draws = counter.draws - drawsBefore;
    const long long shown = h.renderer().framesShown() - shownBefore;
    // A wake-up may now and then come for a frame the previous draw already took.
    EXPECT_LE(draws, shown + shown / 4 + 3) << "draws without a new frame while nothing moved";
    EXPECT_GE(draws, shown - 1);

    // A spinning shape moves by the tick even without new frames.
    h.transport().togglePlayPause();
    ASSERT_EQ(h.transport().playState(), PlayState::Paused);
    QTest::qWait(300);
    counter.draws = 0;
    const long long shownPaused = h.renderer().framesShown();
    QTest::qWait(800);
    EXPECT_EQ(counter.draws, 0) << "drew a paused, still picture";
    EXPECT_EQ(h.renderer().framesShown(), shownPaused);

    h.renderer().SetShapeKind(ShapeKind::Cube);
    h.renderer().SetSpin(1, 5);
    ASSERT_EVENTUALLY(counter.draws >= 5);
    EXPECT_EQ(h.renderer().framesShown(), shownPaused);
    h.renderer().SetSpin(0, 5);
    QTest::qWait(200);
    counter.draws = 0;
    QTest::qWait(600);
    EXPECT_EQ(counter.draws, 0) << "drew a shape that stands still";
}

// The spin turns by its step once per tick, however many frames the video brings.
TEST(ViewDrawing, TheSpinKeepsToTheTickWhateverTheFrameRate)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.openWithDuration(scrollingClip(), 10000);
    ASSERT_TRUE(h.renderer().videoReady());
    h.renderer().SetShapeKind(ShapeKind::Sphere);
    h.renderer().SetSpin(1, 1);
    const long long shownBefore = h.renderer().framesShown();
    const int startAngle = h.renderer().spinDegrees();
    QElapsedTimer watch;
    watch.start();
    QTest::qWait(1500);
    const int turned = h.renderer().spinDegrees() - startAngle;
    const qint64 elapsedMs = watch.elapsed();
    const long long shown = h.renderer().framesShown() - shownBefore;
    // One step per 41 ms tick at most (a coarse timer may fire a little early). The frames
    // came at 25 a second besides: were the spin tied to draws, it would have turned by the
    // ticks plus the frames.
    EXPECT_GT(turned, 0);
    EXPECT_LE(turned, elapsedMs / 38 + 2);
    EXPECT_GT(shown, 10);
}

// The scene draws in a native window of its own; what the screen shows is that window's
// picture, with the transport bar standing over the scene's bottom edge, not under it.
TEST(ViewDrawing, TheScreenShowsThePictureWithTheBarAboveIt)
{
    ViewHarness h;
    openPaused(h);
    ASSERT_FALSE(HasFatalFailure());
    CNavigationBar* bar = h.bar();
    ASSERT_TRUE(h.view->sceneWidget()->geometry().contains(bar->geometry()));
    const QImage picture =
        h.view->sceneWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    QImage screen;
    QImage barShown;
    // The screen catches up with the last draw at its own pace.
    ASSERT_EVENTUALLY(
        (screen = shownOnScreen(h.view.get()),
         barShown = screen.copy(bar->geometry()),
         screen.copy(0, 0, picture.width(), bar->y()) ==
                 picture.copy(0, 0, picture.width(), bar->y()) &&
             barShown == bar->grab().toImage().convertToFormat(QImage::Format_RGB32)));
}

// The scene is drawn straight into its window, with no copy kept aside: a window that
// covered it and goes away leaves the picture to be drawn again, and it is.
TEST(ViewDrawing, AnUncoveredPictureIsDrawnAgain)
{
    ViewHarness h;
    openPaused(h);
    ASSERT_FALSE(HasFatalFailure());
    SceneWidget* scene = h.view->sceneWidget();
    const QImage picture = scene->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    const QRect above(0, 0, picture.width(), h.bar()->y());
    const QPoint origin = scene->mapTo(h.view.get(), QPoint(0, 0));
    auto shownPicture = [&] {
        return shownOnScreen(h.view.get()).copy(above.translated(origin));
    };
    ASSERT_EVENTUALLY(shownPicture() == picture.copy(above));

    QWidget cover(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    cover.setAutoFillBackground(true);
    cover.setPalette(QPalette(Qt::magenta));
    cover.setGeometry(QRect(scene->mapToGlobal(QPoint(0, 0)), above.size()));
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    ASSERT_EVENTUALLY(shownPicture() != picture.copy(above));
    int exposureDraws = 0;
    QObject::connect(scene, &SceneWidget::drawn, &cover, [&](double, bool forExposure) {
        exposureDraws += forExposure ? 1 : 0;
    });
    cover.hide();
    ASSERT_EVENTUALLY(shownPicture() == picture.copy(above));
    // A software renderer may keep the old back buffer; the exposure draws all the same.
    ASSERT_EVENTUALLY(exposureDraws > 0);
}
