// The flat picture's size in the scene: a video no wider than the view is drawn 480 units
// high, its width by its aspect ratio as it is seen, so that it fills the view as a 640 by
// 480 one does, and 480-line videos are drawn exactly as they were at one unit per pixel; a
// wider one shows whole, with black above and below.
#include "SceneTestSupport.h"

#include <TestMedia.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

using namespace scenetest;

namespace {

// A grey picture with a red band along its top edge and a blue one along its bottom edge,
// each a tenth of the height; MJPEG keeps the clip small.
std::string bandedClip(const std::string& name, int width, int height)
{
    const std::string band = std::to_string(height / 10);
    return testmedia::byFfmpeg(
        name, "-f lavfi -i color=c=0x808080:s=" + std::to_string(width) + "x" +
                  std::to_string(height) + ":r=25:d=2 -vf drawbox=x=0:y=0:w=iw:h=" + band +
                  ":color=0xff0000:t=fill,drawbox=x=0:y=ih-" + band + ":w=iw:h=" + band +
                  ":color=0x0000ff:t=fill -c:v mjpeg -q:v 2 -pix_fmt yuvj420p");
}

bool isBlackPixel(QRgb c) { return qRed(c) < 16 && qGreen(c) < 16 && qBlue(c) < 16; }

bool reddish(QRgb c) { return qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 80; }
bool bluish(QRgb c) { return qBlue(c) > 150 && qRed(c) < 80 && qGreen(c) < 80; }
bool greyish(QRgb c)
{
    return maxChannelDifference(c, qRgb(128, 128, 128)) < 24;
}

// The picture as the drawing before the 480-unit height drew a 640 by 480 video: one unit per
// pixel, its lower-left corner at (-320, -240) on the plane 550 units in front of the eye,
// with the renderer's own texture, projection and lighting. Read from the widget's buffer.
QImage pixelPerUnitPicture(SceneHost& host, int w, int h)
{
    host.widget().makeCurrent();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMultMatrixf(host.renderer().texScale().data());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, host.renderer().textureName());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTranslatef(-320.0f, -240.0f, -550.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(640.0f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(640.0f, 480.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, 480.0f, 0.0f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glFinish();
    QImage image(w, h, QImage::Format_RGBA8888);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    host.widget().doneCurrent();
    return image.mirrored().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

// A picture wider than the view shows whole: it keeps the width a picture of the view's shape
// has, with black above and below, and its top and bottom bands in sight. In a 4:3 view of
// 240 pixels (about 456 units at the picture's distance), a 16:9 picture is 360 units high
// (190 pixels from row 25 to row 215), a 2.39:1 one 268 units (141 pixels from row 49).
TEST(FlatPicture, WidePicturesShowWholeWithBlackAboveAndBelow)
{
    constexpr int kW = 320, kH = 240;
    struct Wide {
        const char* name;
        int width, height;
        int top, bottom;  // the picture's first and last rows on screen
    };
    for (const Wide& wide : {Wide{"scene-bands-1920x1080.avi", 1920, 1080, 25, 214},
                             Wide{"scene-bands-1920x804.avi", 1920, 804, 50, 189}}) {
        SCOPED_TRACE(wide.name);
        SceneHost host(kW, kH);
        ASSERT_TRUE(host.open(bandedClip(wide.name, wide.width, wide.height)));
        host.grab();
        const QImage shot = host.grab();
        const QRect lit = litArea(shot);
        EXPECT_NEAR(lit.top(), wide.top, 2);
        EXPECT_NEAR(lit.bottom(), wide.bottom, 2);
        EXPECT_EQ(lit.left(), 0);
        EXPECT_EQ(lit.right(), kW - 1);
        // Each band is a tenth of the picture's height.
        const int band = (wide.bottom - wide.top) / 10;
        for (int x : {kW / 4, kW / 2, 3 * kW / 4}) {
            SCOPED_TRACE(x);
            EXPECT_TRUE(isBlackPixel(shot.pixel(x, wide.top - 4)));
            EXPECT_TRUE(reddish(shot.pixel(x, wide.top + 2)));
            EXPECT_TRUE(reddish(shot.pixel(x, wide.top + band - 3)));
            EXPECT_TRUE(greyish(shot.pixel(x, kH / 2)));
            EXPECT_TRUE(bluish(shot.pixel(x, wide.bottom - band + 3)));
            EXPECT_TRUE(bluish(shot.pixel(x, wide.bottom - 2)));
            EXPECT_TRUE(isBlackPixel(shot.pixel(x, wide.bottom + 4)));
        }
    }
}

// An upright phone picture (stored 640 by 480, turned by its display matrix) is as high as
// a 4:3 one and three quarters as wide as high, with black at its sides: 360 units of about
// 608, 190 pixels of the view's 320, from its full height.
TEST(FlatPicture, PortraitPictureStandsUpright)
{
    constexpr int kW = 320, kH = 240;
    const std::string stored = testmedia::byFfmpeg(
        "scene-portrait-stored.mp4",
        "-f lavfi -i color=c=0x808080:s=640x480:r=25:d=2 "
        "-vf drawbox=x=0:y=0:w=320:h=480:color=0xff0000:t=fill -c:v libx264 -pix_fmt yuv420p");
    // Turned by 90 degrees clockwise, the stored left half (red) becomes the top half.
    const std::string path = testmedia::withOrientation(stored, "scene-portrait.mp4",
                                                        testmedia::Orientation::Rotate90);
    SceneHost host(kW, kH);
    ASSERT_TRUE(host.open(path));
    host.grab();
    const QImage shot = host.grab();
    const QRect lit = litArea(shot);
    EXPECT_NEAR(lit.width(), 190, 3);
    EXPECT_NEAR(lit.center().x(), kW / 2, 2);
    EXPECT_EQ(lit.top(), 0);
    EXPECT_EQ(lit.bottom(), kH - 1);
    EXPECT_TRUE(reddish(shot.pixel(kW / 2, kH / 4)));
    EXPECT_TRUE(greyish(shot.pixel(kW / 2, kH * 3 / 4)));
}

// Pixels that are not square: a 144 by 144 pixel square in a 720 by 576 picture of 64:45
// pixels (16:9 PAL) is seen 1.42 times wider than tall, as the picture is seen 16:9.
TEST(FlatPicture, NonSquarePixelsWidenThePicture)
{
    constexpr int kW = 320, kH = 240;
    const std::string path = testmedia::byFfmpeg(
        "scene-pal-wide-square.mp4",
        "-f lavfi -i color=c=0x808080:s=720x576:r=25:d=2 "
        "-vf drawbox=x=288:y=216:w=144:h=144:color=0xffffff:t=fill,setsar=64/45 "
        "-c:v libx264 -pix_fmt yuv420p");
    SceneHost host(kW, kH);
    ASSERT_TRUE(host.open(path));
    host.grab();
    const QImage shot = host.grab();
    QRect white;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const QRgb c = shot.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200)
                white |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(white.isEmpty());
    EXPECT_NEAR(double(white.width()) / white.height(), 64.0 / 45.0, 0.08);
    // The whole 16:9 picture: black above and below it, none at its sides.
    const QRect lit = litArea(shot);
    EXPECT_NEAR(lit.top(), 25, 2);
    EXPECT_NEAR(lit.bottom(), 214, 2);
    EXPECT_EQ(lit.width(), kW);
}

// Whatever its pixel count, a 4:3 video covers the same part of the view: a 160 by 120 one
// and a 640 by 480 one fill its height and the same width, centred (the view is wider than
// 4:3 here, so the sides stay black).
TEST(FlatPicture, SmallVideoFillsTheViewAsVgaDoes)
{
    constexpr int kW = 400, kH = 240;
    SceneHost host(kW, kH);
    QRect areas[2];
    const std::pair<int, int> sizes[] = {{160, 120}, {640, 480}};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(host.open(barsClip(sizes[i].first, sizes[i].second)));
        host.grab();
        areas[i] = litArea(host.grab());
    }
    // 640 units wide in a view about 759 units wide: 337 pixels.
    EXPECT_EQ(areas[1].top(), 0);
    EXPECT_EQ(areas[1].bottom(), kH - 1);
    EXPECT_NEAR(areas[1].width(), 337, 3);
    EXPECT_NEAR(areas[1].center().x(), kW / 2, 2);
    EXPECT_NEAR(areas[0].left(), areas[1].left(), 1);
    EXPECT_NEAR(areas[0].right(), areas[1].right(), 1);
    EXPECT_EQ(areas[0].top(), areas[1].top());
    EXPECT_EQ(areas[0].bottom(), areas[1].bottom());
}

// A 640 by 480 video is drawn exactly as at one unit per pixel, pixel for pixel.
TEST(FlatPicture, VgaPictureUnchanged)
{
    constexpr int kW = 400, kH = 300;
    SceneHost host(kW, kH);
    ASSERT_TRUE(host.open(barsClip(640, 480)));
    host.grab();
    // Both drawings use the texture as the renderer's draw left it: the draw takes a newer
    // frame before it draws, and the reference takes none.
    const QImage drawn = host.grab();
    const QImage before = pixelPerUnitPicture(host, kW, kH);
    ASSERT_FALSE(isBlack(drawn));
    int differing = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            differing += drawn.pixel(x, y) != before.pixel(x, y);
    EXPECT_EQ(differing, 0);
}
