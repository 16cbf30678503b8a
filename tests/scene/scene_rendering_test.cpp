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

QRgb dimmed(QRgb c, double level)
{
    return qRgb(int(qRed(c) * level + 0.5), int(qGreen(c) * level + 0.5),
                int(qBlue(c) * level + 0.5));
}

// Compares the picture on screen with the reference wherever the reference is uniform, so
// that a sample does not depend on sub-pixel placement; level is the expected brightness (1
// for the lit picture, 0.4 for the ambient level). A picture of `units` scene units faces the
// eye at `distance` with the 45-degree projection: the flat one is 480 units high, 640 wide
// for this 4:3 video.
const QSizeF kFlatUnits(640, 480);
void expectPicture(const QImage& shot, double distance, double level, QSizeF units = kFlatUnits)
{
    const QImage reference = barsReference(kW, kH);
    ASSERT_FALSE(reference.isNull());
    const double halfHeight = distance * std::tan(22.5 * M_PI / 180.0);
    const double halfWidth = halfHeight * kW / kH;
    auto uniformAround = [&](QPoint c) {
        for (int dy = -8; dy <= 8; ++dy)
            for (int dx = -8; dx <= 8; ++dx) {
                const QPoint p(c.x() + dx, c.y() + dy);
                if (!reference.rect().contains(p) ||
                    maxChannelDifference(reference.pixel(p), reference.pixel(c)) > 6)
                    return false;
            }
        return true;
    };
    int compared = 0;
    for (double v = 0.05; v < 1.0; v += 0.1)
        for (double u = 0.04; u < 1.0; u += 0.08) {
            const QPoint source(int(u * kW), int(v * kH));
            if (!uniformAround(source))
                continue;
            // Scene units right of and above the axis, to screen pixels.
            const double x = (u - 0.5) * units.width(), y = (0.5 - v) * units.height();
            const QPoint at = QPointF(kW / 2.0 + x / halfWidth * (kW / 2.0),
                                      kH / 2.0 - y / halfHeight * (kH / 2.0))
                                  .toPoint();
            EXPECT_LE(maxChannelDifference(shot.pixel(at), dimmed(reference.pixel(source), level)), 8)
                << "u " << u << " v " << v << " at " << at.x() << "," << at.y();
            ++compared;
        }
    EXPECT_GE(compared, 30);
}

class SceneRendering : public ::testing::Test {
protected:
    void SetUp() override { host = std::make_unique<SceneHost>(kW, kH, &keys); }

    SceneRenderer& renderer() { return host->renderer(); }
    MediaSession& media() { return host->media(); }

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

// Before any open a frame is a black clear, no library call is made and the keys change
// nothing; the handle already exists. Closing draws black again and stops every library call
// from the frames; the media session gives its Framelift handle back when it goes.
TEST_F(SceneRendering, BlackWithoutLibraryCallsBeforeOpenAndAfterClose)
{
    EXPECT_NE(media().handle(), nullptr);
    keys.hold(ArrowKey::Right);
    keys.hold(ArrowKey::Up);
    int before = frameliftCalls();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(isBlack(host->grab()));
    EXPECT_EQ(frameliftCalls(), before);
    EXPECT_EQ(renderer().yawDegrees(), 0);
    EXPECT_EQ(renderer().depthOffset(), 0);
    keys.releaseAll();

    openBars();
    EXPECT_FALSE(isBlack(host->grab()));
    media().close();
    EXPECT_FALSE(renderer().videoReady());
    before = frameliftCalls();
    EXPECT_TRUE(isBlack(host->grab()));
    EXPECT_EQ(frameliftCalls(), before);
    const int deleted = frameliftCalls("DeleteVideoTexture");
    host.reset();
    EXPECT_EQ(frameliftCalls("DeleteVideoTexture"), deleted + 1);
}

// The flat picture shows the video upright, not mirrored, at its own brightness; the texture
// is the next power of two and the scale crops it. Moving the widget to another window
// replaces its context: the old objects are freed with it and the new context draws the same.
TEST_F(SceneRendering, FlatPictureUprightAtOwnBrightness)
{
    openBars();
    EXPECT_TRUE(renderer().videoReady());
    EXPECT_EQ(renderer().texWidth(), 512);
    EXPECT_EQ(renderer().texHeight(), 256);
    EXPECT_FLOAT_EQ(renderer().texScale()[0], 320.0f / 512.0f);
    EXPECT_FLOAT_EQ(renderer().texScale()[5], 240.0f / 256.0f);
    expectPicture(host->grab(), 550, 1.0);

    QWidget other;
    auto* layout = new QVBoxLayout(&other);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&host->widget());
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other, 10000));
    expectPicture(host->grab(), 550, 1.0);
    EXPECT_NE(renderer().textureName(), 0u);
    host->window().layout()->addWidget(&host->widget());  // back before `other` goes
}

// One texture object per open, created whole from the first frame and then updated in place,
// only its video part, and only when a newer frame came. A second open replaces the first and resets surface and shape until
// the view sets them: a 640 by 480 video gives a 1024 by 512 texture scaled by 0.625, 0.9375.
TEST_F(SceneRendering, OneTexturePerOpenUpdatedInPlace)
{
    ASSERT_TRUE(host->open(barsClip(kW, kH)));
    EXPECT_EQ(renderer().textureName(), 0u);
    host->grab();
    EXPECT_NE(renderer().textureName(), 0u);
    // The whole image, and the video part again when a newer frame came meanwhile.
    const long long first = renderer().uploadedBytesLastFrame();
    EXPECT_TRUE(first == 512LL * 256 * 3 || first == 512LL * 256 * 3 + 320LL * 240 * 3) << first;
    renderer().BuildSurface({SurfaceMode::Bethel2, 100});
    renderer().SetShapeKind(ShapeKind::Cylinder);

    ASSERT_TRUE(host->open(barsClip(640, 480)));
    EXPECT_EQ(renderer().surfaceMode(), SurfaceMode::Normal);
    EXPECT_EQ(renderer().shapeKind(), ShapeKind::Flat);
    EXPECT_EQ(renderer().texWidth(), 1024);
    EXPECT_EQ(renderer().texHeight(), 512);
    const std::array<float, 16>& m = renderer().texScale();
    EXPECT_EQ((std::array<float, 4>{m[0], m[5], m[10], m[15]}),
              (std::array<float, 4>{0.625f, 0.9375f, 1.0f, 1.0f}));
    EXPECT_EQ(media().format().videoWidth, 640);
    EXPECT_EQ(media().format().videoHeight, 480);
    host->grab();
    const unsigned name = renderer().textureName();
    EXPECT_NE(name, 0u);
    EXPECT_GE(renderer().uploadedBytesLastFrame(), 1024LL * 512 * 3);
    int updates = 0;
    for (int i = 0; i < 500 && updates < 4; ++i) {
        const long long shown = renderer().framesShown();
        host->grab();
        EXPECT_EQ(renderer().textureName(), name);
        if (renderer().framesShown() > shown) {
            EXPECT_EQ(renderer().uploadedBytesLastFrame(), 640LL * 480 * 3);
            ++updates;
        } else {
            EXPECT_EQ(renderer().uploadedBytesLastFrame(), 0);
        }
        QTest::qWait(10);
    }
    EXPECT_EQ(updates, 4);
}

// "None" draws nothing although the video plays on (frames are still fetched). A mesh faces
// away from the light: the video shows at the ambient level, 0.4 of its brightness, the same
// way up as the flat picture; the dish of mode 1 has its centre further away on the view axis.
TEST_F(SceneRendering, NoneIsBlackMeshesAtTheAmbientLevel)
{
    openBars();
    renderer().BuildSurface({SurfaceMode::None, 250});
    const int fetched = frameliftCalls("GetTexture");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(isBlack(host->grab()));
    EXPECT_EQ(frameliftCalls("GetTexture"), fetched + 3);
    EXPECT_TRUE(renderer().videoReady());

    renderer().BuildSurface(
        {SurfaceMode::Freedom, 250, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}});
    expectPicture(host->grab(), 750, 0.4);  // the curved screen is as large as the flat picture
    renderer().BuildSurface({SurfaceMode::Bethel1, 250});
    const QRgb centre = barsReference(kW, kH).pixel(kW / 2, kH / 2);
    EXPECT_LE(maxChannelDifference(host->grab().pixel(kW / 2, kH / 2), dimmed(centre, 0.4)), 8);
}

// The shape is drawn 60 % opaque over the picture: picture and shape together are the shape
// alone plus 0.4 of the picture alone. The spin advances by its step on each tick while a
// shape shows, wraps within one turn and stands still while the shape is hidden or spin is
// off; drawing alone never turns it.
TEST_F(SceneRendering, TranslucentSpinningShapeOverThePicture)
{
    openBars();
    renderer().SetSpin(0, 1);  // hold the cube still, its front face to the viewer
    const QImage picture = host->grab();
    renderer().SetShapeKind(ShapeKind::Cube);
    renderer().BuildSurface({SurfaceMode::None, 250});
    const QImage shape = host->grab();
    renderer().BuildSurface({SurfaceMode::Normal, 250});
    const QImage both = host->grab();
    EXPECT_FALSE(isBlack(shape.copy(kW / 2 - 10, kH / 2 - 10, 20, 20), 30));
    for (int y = kH / 2 - 30; y <= kH / 2 + 30; y += 5)
        for (int x = kW / 2 - 30; x <= kW / 2 + 30; x += 5) {
            const QRgb s = shape.pixel(x, y), p = dimmed(picture.pixel(x, y), 0.4);
            const QRgb want = qRgb(std::min(255, qRed(s) + qRed(p)),
                                   std::min(255, qGreen(s) + qGreen(p)),
                                   std::min(255, qBlue(s) + qBlue(p)));
            EXPECT_LE(maxChannelDifference(both.pixel(x, y), want), 4) << x << "," << y;
        }
    EXPECT_EQ(renderer().spinDegrees(), 0);

    renderer().SetShapeKind(ShapeKind::Flat);
    renderer().SetSpin(1, 7);
    host->step();
    EXPECT_EQ(renderer().spinDegrees(), 0);  // no shape
    for (ShapeKind kind :
         {ShapeKind::Cube, ShapeKind::Sphere, ShapeKind::Cylinder, ShapeKind::Taper}) {
        renderer().SetShapeKind(kind);
        EXPECT_FALSE(isBlack(host->step()));
    }
    EXPECT_EQ(renderer().spinDegrees(), 28);
    host->grab();
    host->grab();
    EXPECT_EQ(renderer().spinDegrees(), 28);
    renderer().SetSpin(0, 7);
    host->step();
    EXPECT_EQ(renderer().spinDegrees(), 28);
    renderer().SetSpin(1, 350);
    host->step();
    EXPECT_EQ(renderer().spinDegrees(), 18);  // 378 - 360
}

// The arrow keys bring the picture nearer and turn it; the shape stays where it was. From the
// farthest depth the whole picture is in view, so its growth shows.
TEST_F(SceneRendering, ArrowKeysMoveOnlyThePicture)
{
    openBars();
    auto holdFor = [&](std::initializer_list<ArrowKey> held, int frames) {
        for (ArrowKey key : held)
            keys.hold(key);
        for (int i = 0; i < frames; ++i)
            host->step();
        keys.releaseAll();
        return host->step();
    };
    const QRect start = litArea(holdFor({ArrowKey::Down}, 60));
    EXPECT_EQ(renderer().depthOffset(), -100);
    const QRect nearer = litArea(holdFor({ArrowKey::Up}, 30));
    EXPECT_EQ(renderer().depthOffset(), -40);
    EXPECT_GT(nearer.width(), start.width() + 20);
    EXPECT_GT(nearer.height(), start.height() + 20);
    const QRect turned = litArea(holdFor({ArrowKey::Right}, 30));
    EXPECT_EQ(renderer().yawDegrees(), 60);
    EXPECT_LT(turned.width(), nearer.width() - 20);

    renderer().SetSpin(0, 1);
    renderer().SetShapeKind(ShapeKind::Sphere);
    renderer().BuildSurface({SurfaceMode::None, 250});
    const QImage shapeBefore = host->grab();
    EXPECT_EQ(holdFor({ArrowKey::Left, ArrowKey::Down}, 10), shapeBefore);
    EXPECT_EQ(renderer().yawDegrees(), 40);
    EXPECT_EQ(renderer().depthOffset(), -60);
}

// Files that cannot be played fail the open and leave a black picture; a loaded file that
// never delivers a frame is released again rather than left playing. The renderer still
// plays the next good file.
TEST_F(SceneRendering, FailedOpensLeaveBlack)
{
    openBars();
    testmedia::ClipRequest audio;
    audio.name = "scene-audio-only.mka";
    audio.frames = 0;
    audio.audioEncoder = "vorbisenc";
    audio.muxer = "matroskamux";
    for (const std::string& path :
         {testmedia::mediaDir() + "/scene-no-such-file.avi",
          testmedia::writeFile("scene-text.avi", "not a video at all\n"),
          std::string("scene-bars\0.avi", 15), testmedia::clip(audio)}) {
        SCOPED_TRACE(path.c_str());
        const int played = frameliftCalls("Play"), freed = frameliftCalls("FreeVideo");
        EXPECT_FALSE(media().open(path));
        if (frameliftCalls("Play") > played) {
            EXPECT_GT(frameliftCalls("FreeVideo"), freed);
        }
        EXPECT_FALSE(renderer().videoReady());
        EXPECT_TRUE(isBlack(host->grab()));
    }
    ASSERT_TRUE(host->open(barsClip(kW, kH)));
    EXPECT_FALSE(isBlack(host->grab()));
}

// The recorded rectangle ignores the origin. A viewport of height 0 or less records an empty
// one, draws nothing and leaves no GL error or non-finite projection behind.
TEST_F(SceneRendering, ViewportAndItsGuard)
{
    openBars();
    renderer().SetViewport(340, 310, 320, 240);
    const ViewportRect rect = renderer().viewportRect();
    EXPECT_EQ((std::array<int, 4>{rect.left, rect.top, rect.right, rect.bottom}),
              (std::array<int, 4>{0, 0, 320, 240}));
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

// Everything but the drawing works without a context: a video opened and a surface built
// before the widget exists are drawn once it does.
TEST(SceneWithoutContext, OpenBeforeTheWidgetExists)
{
    MediaSession media;
    SceneRenderer renderer(media);
    ASSERT_TRUE(media.open(barsClip(kW, kH)));
    renderer.SetViewport(0, 0, kW, kH);
    renderer.BuildSurface(
        {SurfaceMode::Freedom, 0, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}});
    QWidget window;
    auto* widget = new SceneWidget(&renderer, &window);
    widget->setFixedSize(kW, kH);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 10000));
    widget->grabFramebuffer();
    keepGlDriverLoaded();
    expectPicture(widget->grabFramebuffer().convertToFormat(QImage::Format_RGB32), 750, 0.4);
}
