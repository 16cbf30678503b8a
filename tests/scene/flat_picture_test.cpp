// The flat picture's size in the scene: every video is drawn 480 units high, its width by its
// aspect ratio, so that any video fills the view as a 640 by 480 one does, and 480-line videos
// are drawn exactly as they were at one unit per pixel.
#include "SceneTestSupport.h"

#include <TestMedia.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

using namespace scenetest;

namespace {

// A grey 1920 by 1080 picture with a red band along its top edge and a blue one along its
// bottom edge, each 100 lines (a tenth of the height); MJPEG keeps the clip small.
std::string bandedClip()
{
    return testmedia::byFfmpeg(
        "scene-bands-1920x1080.avi",
        "-f lavfi -i color=c=0x808080:s=1920x1080:r=25:d=2 "
        "-vf drawbox=x=0:y=0:w=iw:h=100:color=0xff0000:t=fill,"
        "drawbox=x=0:y=ih-100:w=iw:h=100:color=0x0000ff:t=fill "
        "-c:v mjpeg -q:v 2 -pix_fmt yuvj420p");
}

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

// A 1080-line picture shows its top and bottom: both bands are at the view's edges, with the
// grey between them. At one unit per pixel the view showed only the middle 456 lines.
TEST(FlatPicture, TallVideoShowsItsTopAndBottomBands)
{
    constexpr int kW = 320, kH = 240;
    SceneHost host(kW, kH);
    ASSERT_TRUE(host.open(bandedClip()));
    host.grab();
    const QImage shot = host.grab();
    // 480 units in about 456 in view: 12 units (6 pixels) of each edge fall outside, and each
    // band, 44 units high, shows about 17 pixels.
    for (int x : {kW / 4, kW / 2, 3 * kW / 4}) {
        SCOPED_TRACE(x);
        for (int y : {0, 6, 12})
            EXPECT_TRUE(reddish(shot.pixel(x, y))) << y << " " << std::hex << shot.pixel(x, y);
        for (int y : {kH - 1, kH - 7, kH - 13})
            EXPECT_TRUE(bluish(shot.pixel(x, y))) << y << " " << std::hex << shot.pixel(x, y);
        for (int y : {24, kH / 2, kH - 25})
            EXPECT_TRUE(greyish(shot.pixel(x, y))) << y << " " << std::hex << shot.pixel(x, y);
    }
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
