// The main window in its own skinned frame: the wide and narrow styles read off screenshots,
// the rounded shape, the caption's system buttons and double click, and the skin colour that
// a preset step changes on the frame and the transport bar and that survives a restart.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "Eventually.h"
#include "MediaPlayerView.h"
#include "NavigationBar.h"
#include "SkinCaption.h"
#include "SkinFrame.h"
#include "VisualManager.h"

#include <QImage>
#include <QRegion>
#include <QSet>
#include <QSlider>

using framefixture::FrameTest;

namespace {

class SkinFrameTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        createFrame();
    }
    CVisualManager& skin() const { return *frame->visualManager(); }
    SkinCaption* caption() const { return frame->skinFrame()->caption(); }
    QImage screenshot() const { return frame->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void resizeTo(int width)
    {
        frame->resize(width, 600);
        ASSERT_EVENTUALLY(frame->width() == width);
        QCoreApplication::processEvents();
    }
    // The colour the skin's bottom-border ornament has at its middle, 8 pixels above its foot.
    QRgb ornamentPixel() const
    {
        const QImage ornament = skin().image(SkinStrip::Navi2Ornament);
        return ornament.pixel(ornament.width() / 2, ornament.height() - 8) | 0xff000000u;
    }
    QRgb captionPixel() const
    {
        return caption()->grab().toImage().pixel(caption()->width() / 2, 6);
    }
    QRgb transportPixel() const
    {
        QWidget* bar = frame->activeView()->navigationBar();
        return bar->grab().toImage().pixel(4, bar->height() - 6);
    }
};

}  // namespace

// 900 pixels wide shows the wide style with the ornament in the middle of the bottom border;
// 470 the narrow style without it. The window is rounded while framed.
TEST_F(SkinFrameTest, WideAndNarrowStyleOnScreenshots)
{
    resizeTo(900);
    QImage shot = screenshot();
    const int h = shot.height();
    EXPECT_EQ(shot.pixel(450, h - 8), ornamentPixel());
    // Borders frame the contents: left, right and bottom, the caption on top.
    EXPECT_EQ(frame->contentsMargins(), QMargins(8, SkinCaption::kHeight, 8, 16));
    EXPECT_EQ(caption()->geometry(), QRect(0, 0, 900, SkinCaption::kHeight));
    const QRegion shape = frame->mask();
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(899, h - 1)));
    EXPECT_TRUE(shape.contains(QPoint(450, h / 2)));
    EXPECT_TRUE(shape.contains(QPoint(4, 0)));

    resizeTo(470);
    shot = screenshot();
    const QImage narrowBottom = skin().image(SkinElement::Navi1Bottom);
    // The bottom border's middle column, stretched, and no ornament over it.
    EXPECT_EQ(shot.pixel(235, h - 8), narrowBottom.pixel(8, 8) | 0xff000000u);
    EXPECT_NE(shot.pixel(235, h - 8), ornamentPixel());
    // The transport bar follows: its control area is the narrow one.
    auto* bar = frame->activeView()->navigationBar();
    EXPECT_FALSE(bar->isWideStyle());
    resizeTo(480);
    EXPECT_TRUE(bar->isWideStyle());
    EXPECT_EQ(screenshot().pixel(240, h - 8), ornamentPixel());
}

// The borders resize and the caption does not; inside the contents nothing resizes.
TEST_F(SkinFrameTest, BordersAreResizeGrips)
{
    resizeTo(900);
    const SkinFrame* f = frame->skinFrame();
    const int h = frame->height();
    EXPECT_EQ(f->edgesAt(QPoint(2, h / 2)), Qt::LeftEdge);
    EXPECT_EQ(f->edgesAt(QPoint(897, h / 2)), Qt::RightEdge);
    EXPECT_EQ(f->edgesAt(QPoint(450, h - 2)), Qt::BottomEdge);
    EXPECT_EQ(f->edgesAt(QPoint(3, h - 3)), Qt::LeftEdge | Qt::BottomEdge);
    EXPECT_EQ(f->edgesAt(QPoint(450, h / 2)), Qt::Edges());
}

// Maximise, restore (button and double click), minimise and close from the caption. A
// maximised window has no rounded shape and no borders.
TEST_F(SkinFrameTest, CaptionButtonsAndDoubleClick)
{
    QTest::mouseClick(caption()->maximizeButton(), Qt::LeftButton);
    EXPECT_EVENTUALLY(frame->isMaximized());
    EXPECT_TRUE(frame->mask().isEmpty());
    EXPECT_EQ(frame->contentsMargins(), QMargins(0, SkinCaption::kHeight, 0, 0));
    QTest::mouseClick(caption()->maximizeButton(), Qt::LeftButton);
    EXPECT_EVENTUALLY(!frame->isMaximized());
    EXPECT_FALSE(frame->mask().isEmpty());

    QTest::mouseDClick(caption(), Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EVENTUALLY(frame->isMaximized());
    QTest::mouseDClick(caption(), Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EVENTUALLY(!frame->isMaximized());

    QTest::mouseClick(caption()->minimizeButton(), Qt::LeftButton);
    EXPECT_EVENTUALLY(frame->windowState() & Qt::WindowMinimized);
    frame->showNormal();
    EXPECT_EVENTUALLY(!(frame->windowState() & Qt::WindowMinimized));

    QTest::mouseClick(caption()->closeButton(), Qt::LeftButton);
    EXPECT_EVENTUALLY(!frame->isVisible());
}

// A preset step recolours the caption and the transport bar; the new colour is what the next
// start shows.
TEST_F(SkinFrameTest, PresetStepRecoloursFrameAndTransportAndSurvivesRestart)
{
    EXPECT_EQ(skin().hue(), 0.0);
    const QRgb captionBefore = captionPixel();
    const QRgb transportBefore = transportPixel();
    QTest::mouseClick(frame->controlPanel()->control(1054), Qt::LeftButton);
    EXPECT_EQ(skin().hue(), -30.0);
    const QRgb captionAfter = captionPixel();
    const QRgb transportAfter = transportPixel();
    EXPECT_NE(captionAfter, captionBefore);
    EXPECT_NE(transportAfter, transportBefore);

    frame.reset();
    createFrame();
    EXPECT_EQ(skin().hue(), -30.0);
    EXPECT_EQ(captionPixel(), captionAfter);
    EXPECT_EQ(transportPixel(), transportAfter);
    // The panel's hue slider starts from the stored colour.
    EXPECT_EQ(qobject_cast<QSlider*>(frame->controlPanel()->control(1051))->value(), 150);
}

// Under the skin the panel's caption is black with white text, the hue slider shows the
// rainbow, the others run from white to the skin colour, and the Reset link has the skin's
// link colour.
TEST_F(SkinFrameTest, PanelSlidersAndLinkInSkinColours)
{
    ASSERT_EQ(CVisualManager::instance(), frame->visualManager());
    CColorChooserBar* panel = frame->controlPanel();
    ASSERT_EVENTUALLY(panel->control(1051)->isVisible());
    const QImage dock = panel->grab().toImage();
    int white = 0;
    for (int x = 0; x < dock.width() / 2; ++x) {
        ASSERT_EQ(dock.pixel(x, 1) & 0xffffffu, 0u) << "caption at " << x;
        for (int y = 2; y < 16; ++y)
            white += qGray(dock.pixel(x, y)) > 200;
    }
    EXPECT_GT(white, 3) << "the title is written in white";
    auto rowColours = [](QWidget* slider) {
        const QImage img = slider->grab().toImage();
        QSet<QRgb> colours;
        for (int x = 0; x < img.width(); ++x)
            colours.insert(img.pixel(x, img.height() / 2) & 0xffffffu);
        return colours;
    };
    const QImage hue = panel->control(1051)->grab().toImage();
    const QImage saturation = panel->control(1052)->grab().toImage();
    const int y = hue.height() / 2;
    // Near the left end: orange (hue 45) on the hue slider, white on the others.
    EXPECT_GT(qRed(hue.pixel(2, y)), 200);
    EXPECT_LT(qBlue(hue.pixel(2, y)), 60);
    const QRgb left = saturation.pixel(2, saturation.height() / 2);
    EXPECT_GT(std::min({qRed(left), qGreen(left), qBlue(left)}), 240);
    const QRgb right = saturation.pixel(saturation.width() - 3, saturation.height() / 2);
    EXPECT_GT(qBlue(right), 200) << "the far end is the skin colour, blue at hue 0";
    EXPECT_LT(qRed(right), 60);
    EXPECT_GT(rowColours(panel->control(1051)).size(), 50);
    auto* link = qobject_cast<QAbstractButton*>(panel->control(1053));
    ASSERT_NE(link, nullptr);
    // The underline is drawn in the link colour exactly.
    const QImage text = link->grab().toImage();
    int linkPixels = 0;
    for (int y = 0; y < text.height(); ++y)
        for (int x = 0; x < text.width(); ++x)
            linkPixels += (text.pixel(x, y) & 0xffffffu) == 0xabd5fdu;
    EXPECT_GT(linkPixels, 10);
}
