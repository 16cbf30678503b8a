// What the scene shows, read back from the widget's framebuffer, with clips made at test time
// and played by the real Framelift library.
#include "SceneTestSupport.h"

#include <TestMedia.h>

#include <GL/gl.h>

#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>

using namespace scenetest;

namespace {

constexpr int kW = 320;
constexpr int kH = 240;

// Compares the picture on screen with the reference wherever the reference is uniform;
// level is the expected brightness (1 for the lit picture, 0.4 for the ambient level).
void expectPicture(const QImage& shot, double distance, double level)
{
    const QImage reference = barsReference(kW, kH);
    ASSERT_FALSE(reference.isNull());
    int compared = 0;
    for (double v = 0.05; v < 1.0; v += 0.1)
        for (double u = 0.04; u < 1.0; u += 0.08) {
            if (!uniformAround(reference, u, v, 8))
                continue;
            const QPoint at = screenPoint(u, v, kW, kH, distance, kW, kH).toPoint();
            const QRgb want = referenceAt(reference, u, v);
            const QRgb scaled = qRgb(int(qRed(want) * level + 0.5),
                                     int(qGreen(want) * level + 0.5),
                                     int(qBlue(want) * level + 0.5));
            EXPECT_LE(maxChannelDifference(shot.pixel(at), scaled), 8)
                << "u " << u << " v " << v << " at " << at.x() << "," << at.y();
            ++compared;
        }
    EXPECT_GE(compared, 30);
}

class SceneRendering : public ::testing::Test {
protected:
    void SetUp() override { host = std::make_unique<SceneHost>(kW, kH, &keys); }
    void TearDown() override { host.reset(); }

    SceneRenderer& renderer() { return host->renderer(); }

    // Opens the colour bars at the widget's size and draws past the first frame.
    void openBars()
    {
        ASSERT_TRUE(host->open(barsClip(kW, kH)));
        host->grab();
    }

    TestKeys keys;
    std::unique_ptr<SceneHost> host;
};

}  // namespace

// Before any open a frame is a black clear, no library call is made, and the keys change
// nothing; the handle already exists.
TEST_F(SceneRendering, BeforeAnyOpenBlackWithoutLibraryCalls)
{
    EXPECT_NE(renderer().videoHandle(), nullptr);
    keys.hold(ArrowKey::Right);
    keys.hold(ArrowKey::Up);
    const int before = frameliftCalls().total();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(isBlack(host->grab()));
    EXPECT_EQ(frameliftCalls().total(), before);
    EXPECT_EQ(renderer().yawDegrees(), 0);
    EXPECT_EQ(renderer().depthOffset(), 0);
}

// The flat picture shows the video upright, not mirrored, at its own brightness; the texture
// is the next power of two and the scale crops it.
TEST_F(SceneRendering, FlatPictureUprightAtOwnBrightness)
{
    openBars();
    EXPECT_TRUE(renderer().videoReady());
    EXPECT_EQ(renderer().texWidth(), 512);
    EXPECT_EQ(renderer().texHeight(), 256);
    EXPECT_FLOAT_EQ(renderer().texScale()[0], 320.0f / 512.0f);
    EXPECT_FLOAT_EQ(renderer().texScale()[5], 240.0f / 256.0f);
    expectPicture(host->grab(), 550, 1.0);
}

// A 640 by 480 video: a 1024 by 512 texture scaled by 0.625 and 0.9375. One texture object
// per open, created whole from the first frame and then updated in place, only its video part.
TEST_F(SceneRendering, OneTextureUpdatedInPlace)
{
    ASSERT_TRUE(host->open(encodedClip(640, 480, 25)));
    EXPECT_EQ(renderer().texWidth(), 1024);
    EXPECT_EQ(renderer().texHeight(), 512);
    EXPECT_FLOAT_EQ(renderer().texScale()[0], 0.625f);
    EXPECT_FLOAT_EQ(renderer().texScale()[5], 0.9375f);
    EXPECT_FLOAT_EQ(renderer().texScale()[10], 1.0f);
    EXPECT_FLOAT_EQ(renderer().texScale()[15], 1.0f);
    EXPECT_EQ(renderer().QueryVideoWidth(), 640);
    EXPECT_EQ(renderer().QueryVideoHeight(), 480);

    EXPECT_EQ(renderer().textureName(), 0u);
    host->grab();
    const unsigned name = renderer().textureName();
    EXPECT_NE(name, 0u);
    EXPECT_EQ(renderer().uploadedBytesLastFrame(), 1024LL * 512 * 3 + 640LL * 480 * 3);
    for (int i = 0; i < 4; ++i) {
        host->grab();
        EXPECT_EQ(renderer().textureName(), name);
        EXPECT_EQ(renderer().uploadedBytesLastFrame(), 640LL * 480 * 3);
    }
}

// "None" draws nothing although the video plays on (frames are still fetched).
TEST_F(SceneRendering, NoneShowsBlackWhileTheVideoPlays)
{
    openBars();
    renderer().BuildSurface(5, 250, 0, 0, 0, 0, 0, 0, 0, 0);
    const int fetched = frameliftCalls().getTexture;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(isBlack(host->grab()));
    EXPECT_EQ(frameliftCalls().getTexture, fetched + 3);
    EXPECT_TRUE(renderer().videoReady());
}

// A mesh faces away from the light: the video shows at the ambient level, 0.4 of its
// brightness, and the same way up as the flat picture.
TEST_F(SceneRendering, MeshShowsTheVideoAtTheAmbientLevel)
{
    openBars();
    renderer().BuildSurface(6, 250, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000);
    expectPicture(host->grab(), 750, 0.4);

    // The dish of mode 1: its centre lies further away but still on the view axis.
    renderer().BuildSurface(1, 250, 0, 0, 0, 0, 0, 0, 0, 0);
    const QImage dish = host->grab();
    const QRgb centre = referenceAt(barsReference(kW, kH), 0.5, 0.5);
    const QRgb want = qRgb(int(qRed(centre) * 0.4 + 0.5), int(qGreen(centre) * 0.4 + 0.5),
                           int(qBlue(centre) * 0.4 + 0.5));
    EXPECT_LE(maxChannelDifference(dish.pixel(kW / 2, kH / 2), want), 8);
}

// The shape is drawn 60 % opaque over the picture: picture and shape together are the shape
// alone plus 0.4 of the picture alone.
TEST_F(SceneRendering, TranslucentShapeOverThePicture)
{
    openBars();
    renderer().SetSpin(0, 1);  // hold the cube still, its front face to the viewer
    const QImage picture = host->grab();
    renderer().SetShapeKind(1);
    renderer().BuildSurface(5, 250, 0, 0, 0, 0, 0, 0, 0, 0);
    const QImage shape = host->grab();
    renderer().BuildSurface(0, 250, 0, 0, 0, 0, 0, 0, 0, 0);
    const QImage both = host->grab();

    EXPECT_FALSE(isBlack(shape.copy(kW / 2 - 10, kH / 2 - 10, 20, 20), 30));
    for (int y = kH / 2 - 30; y <= kH / 2 + 30; y += 5)
        for (int x = kW / 2 - 30; x <= kW / 2 + 30; x += 5) {
            const QRgb s = shape.pixel(x, y), p = picture.pixel(x, y);
            const QRgb want = qRgb(std::min(255, qRed(s) + int(qRed(p) * 0.4 + 0.5)),
                                   std::min(255, qGreen(s) + int(qGreen(p) * 0.4 + 0.5)),
                                   std::min(255, qBlue(s) + int(qBlue(p) * 0.4 + 0.5)));
            EXPECT_LE(maxChannelDifference(both.pixel(x, y), want), 4) << x << "," << y;
        }
    EXPECT_EQ(renderer().spinDegrees(), 0);
}

// The spin advances by its step on each frame that draws a shape, wraps within one turn and
// stands still while the shape is hidden or the rotation is off.
TEST_F(SceneRendering, SpinAdvancesOnlyWithAShape)
{
    openBars();
    renderer().SetSpin(1, 7);
    host->grab();
    EXPECT_EQ(renderer().spinDegrees(), 0);  // no shape
    for (int kind = 1; kind <= 4; ++kind) {
        renderer().SetShapeKind(kind);
        EXPECT_FALSE(isBlack(host->grab()));
    }
    EXPECT_EQ(renderer().spinDegrees(), 28);
    renderer().SetSpin(0, 7);
    host->grab();
    EXPECT_EQ(renderer().spinDegrees(), 28);
    renderer().SetSpin(1, 350);
    host->grab();
    EXPECT_EQ(renderer().spinDegrees(), 18);  // 378 - 360
}

// The arrow keys bring the picture nearer and turn it; the shape stays where it was.
TEST_F(SceneRendering, ArrowKeysMoveOnlyThePicture)
{
    openBars();
    const QRect start = litArea(host->grab());
    keys.hold(ArrowKey::Up);
    for (int i = 0; i < 30; ++i)
        host->grab();
    keys.releaseAll();
    EXPECT_EQ(renderer().depthOffset(), 50);
    const QRect nearer = litArea(host->grab());
    EXPECT_GT(nearer.width(), start.width() + 20);
    EXPECT_GT(nearer.height(), start.height() + 20);

    keys.hold(ArrowKey::Right);
    for (int i = 0; i < 30; ++i)
        host->grab();
    keys.releaseAll();
    EXPECT_EQ(renderer().yawDegrees(), 60);
    const QRect turned = litArea(host->grab());
    EXPECT_LT(turned.width(), nearer.width() - 20);

    renderer().SetSpin(0, 1);
    renderer().SetShapeKind(2);
    renderer().BuildSurface(5, 250, 0, 0, 0, 0, 0, 0, 0, 0);
    const QImage shapeBefore = host->grab();
    keys.hold(ArrowKey::Left);
    keys.hold(ArrowKey::Down);
    for (int i = 0; i < 10; ++i)
        host->grab();
    keys.releaseAll();
    EXPECT_EQ(renderer().yawDegrees(), 40);
    EXPECT_EQ(renderer().depthOffset(), 30);
    EXPECT_EQ(host->grab(), shapeBefore);
}

// Closing draws black again and stops every library call from the frames.
TEST_F(SceneRendering, ClosedVideoDrawsBlackAgain)
{
    openBars();
    EXPECT_FALSE(isBlack(host->grab()));
    renderer().CloseVideo();
    EXPECT_FALSE(renderer().videoReady());
    const int before = frameliftCalls().total();
    EXPECT_TRUE(isBlack(host->grab()));
    EXPECT_EQ(frameliftCalls().total(), before);
}

// A second open replaces the first and resets surface and shape until the view sets them.
TEST_F(SceneRendering, SecondOpenResetsSurfaceAndShape)
{
    openBars();
    renderer().BuildSurface(2, 100, 0, 0, 0, 0, 0, 0, 0, 0);
    renderer().SetShapeKind(3);
    ASSERT_TRUE(host->open(encodedClip(640, 480, 25)));
    EXPECT_EQ(renderer().surfaceMode(), 0);
    EXPECT_EQ(renderer().shapeKind(), 0);
    host->grab();
    EXPECT_EQ(renderer().texWidth(), 1024);
    EXPECT_NE(renderer().textureName(), 0u);
}

// Files that cannot be played fail the open and leave a black picture; a loaded file that
// never delivers a frame is released again rather than left playing.
TEST_F(SceneRendering, FailedOpensLeaveBlack)
{
    openBars();
    const std::string missing = testmedia::mediaDir() + "/scene-no-such-file.avi";
    EXPECT_FALSE(renderer().OpenVideo(missing));
    EXPECT_FALSE(renderer().videoReady());
    EXPECT_TRUE(isBlack(host->grab()));

    const std::string text = testmedia::writeFile("scene-text.avi", "not a video at all\n");
    EXPECT_FALSE(renderer().OpenVideo(text));
    EXPECT_TRUE(isBlack(host->grab()));

    EXPECT_FALSE(renderer().OpenVideo(std::string("scene-bars\0.avi", 15)));

    testmedia::ClipSpec audio;
    audio.name = "scene-audio-only.mka";
    audio.frames = 0;
    audio.audioEncoder = "vorbisenc";
    audio.muxer = "matroskamux";
    const FrameliftCalls before = frameliftCalls();
    EXPECT_FALSE(renderer().OpenVideo(testmedia::clip(audio)));
    const FrameliftCalls after = frameliftCalls();
    if (after.play > before.play) {
        EXPECT_GT(after.freeVideo, before.freeVideo);
    }
    EXPECT_FALSE(renderer().videoReady());
    EXPECT_TRUE(isBlack(host->grab()));

    // And the renderer still plays the next good file.
    ASSERT_TRUE(host->open(barsClip(kW, kH)));
    EXPECT_FALSE(isBlack(host->grab()));
}

// A viewport of height 0 or less draws nothing and leaves no GL error or non-finite
// projection behind.
TEST_F(SceneRendering, EmptyViewportKeepsAFiniteProjection)
{
    openBars();
    for (int h : {0, -40}) {
        host->widget().makeCurrent();
        while (glGetError() != GL_NO_ERROR) {
        }
        renderer().SetViewport(0, 60, kW, h);
        renderer().DrawFrame();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << h;
        GLdouble projection[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        for (double e : projection)
            EXPECT_TRUE(std::isfinite(e)) << h;
        host->widget().doneCurrent();
        EXPECT_TRUE(renderer().viewportRect().isEmpty());
    }
}

// Moving the widget to another window replaces its context: the old objects are freed with
// it and the new context draws the same picture.
TEST_F(SceneRendering, NewContextDrawsTheSamePicture)
{
    openBars();
    EXPECT_NE(renderer().textureName(), 0u);
    QWidget other;
    auto* layout = new QVBoxLayout(&other);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&host->widget());
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other, 10000));
    QImage shot = host->grab();
    expectPicture(shot, 550, 1.0);
    EXPECT_NE(renderer().textureName(), 0u);
    host->window().layout()->addWidget(&host->widget());  // back before `other` goes
}

// The renderer gives its Framelift handle back when it goes.
TEST_F(SceneRendering, HandleDeletedWithTheRenderer)
{
    openBars();
    const int before = frameliftCalls().deleteVideoTexture;
    host.reset();
    EXPECT_EQ(frameliftCalls().deleteVideoTexture, before + 1);
}

// Everything but the drawing works without a context: a video opened and a surface built
// before the widget exists are drawn once it does.
TEST(SceneWithoutContext, OpenBeforeTheWidgetExists)
{
    SceneRenderer renderer;
    ASSERT_TRUE(renderer.OpenVideo(barsClip(kW, kH)));
    renderer.SetViewport(0, 0, kW, kH);
    renderer.BuildSurface(6, 0, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000);
    QWidget window;
    auto* widget = new SceneWidget(&renderer, &window);
    widget->setFixedSize(kW, kH);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 10000));
    widget->grabFramebuffer();
    keepGlDriverLoaded();
    expectPicture(widget->grabFramebuffer().convertToFormat(QImage::Format_RGB32), 750, 0.4);
}
