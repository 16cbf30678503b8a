// The progress slider on its own: geometry, clicks, drags, held end buttons, keys, hover and
// its recoloured pictures.
#include "Eventually.h"
#include "../view/PointerEvents.h"
#include "LeakCheckSupport.h"
#include "ProgressSlider.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A 400-pixel slider (t = 25: the thumb's left edge runs from 25 to 350) with range 0..100.
class ProgressSliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = std::make_unique<QWidget>();
        parent->resize(420, 40);
        slider = new CProgressSlider(Qt::Horizontal, QRect(0, 0, 400, 12), parent.get());
        slider->setRange(0, 100, true);
        parent->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
        spy = std::make_unique<QSignalSpy>(slider, &CProgressSlider::scrolled);
    }

    QPoint thumbCentre() const { return slider->thumbRect().center(); }
    int lastCode() const { return spy->last().at(0).toInt(); }
    int lastPos() const { return spy->last().at(1).toInt(); }

    std::unique_ptr<QWidget> parent;
    CProgressSlider* slider = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

TEST_F(ProgressSliderTest, PositionPlacesThumbOnTrackAndClampsIt)
{
    EXPECT_EQ(slider->thumbSize(), QSize(25, 12));
    slider->setPos(0, true);
    EXPECT_EQ(slider->thumbRect().left(), 25);
    slider->setPos(100, true);
    EXPECT_EQ(slider->thumbRect().left(), 350);  // W - 2t
    slider->setPos(50, true);
    EXPECT_EQ(slider->thumbRect().left(), 25 + 163);  // trunc(50 * 325 / 100 + 0.5)
    // The position is stored as given; only the thumb is held on the track.
    EXPECT_EQ(slider->setPos(150, true), 50);
    EXPECT_EQ(slider->pos(), 150);
    EXPECT_EQ(slider->thumbRect().left(), 350);
    EXPECT_TRUE(spy->isEmpty());  // setting the position reports nothing
}

TEST_F(ProgressSliderTest, ClickOnTrackJumpsThumbCentreAndThenDrags)
{
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(200, 6));
    ASSERT_EQ(spy->count(), 1);
    EXPECT_EQ(lastCode(), CProgressSlider::ThumbTrack);
    // Thumb edge 200 - 12 = 188: trunc(163 * 100 / 325 + 0.5) = 50.
    EXPECT_EQ(lastPos(), 50);
    EXPECT_EQ(slider->thumbRect().left(), 188);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(200, 6));

    // Now drag the thumb: every move reports the position under the pointer.
    spy->clear();
    QTest::mousePress(slider, Qt::LeftButton, {}, thumbCentre());
    EXPECT_TRUE(spy->isEmpty());
    QTest::mouseMove(slider, QPoint(300, 6));
    QTest::mouseMove(slider, QPoint(360, 6));
    QTest::mouseMove(slider, QPoint(390, 6));
    ASSERT_GE(spy->count(), 3);
    for (const auto& call : *spy)
        EXPECT_EQ(call.at(0).toInt(), CProgressSlider::ThumbTrack);
    EXPECT_EQ(lastPos(), 100);  // past the track's end: held at the range
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(390, 6));
    EXPECT_EQ(slider->pos(), 100);
}

TEST_F(ProgressSliderTest, EndButtonClicksStepOnceAndReportLineCodes)
{
    slider->setPos(40, true);
    const QPoint left = slider->buttonRect(CProgressSlider::LeftButton).center();
    const QPoint right = slider->buttonRect(CProgressSlider::RightButton).center();
    QTest::mouseClick(slider, Qt::LeftButton, {}, left);
    ASSERT_EQ(spy->count(), 1);
    EXPECT_EQ(lastCode(), CProgressSlider::LineUp);
    EXPECT_EQ(slider->pos(), 39);
    QTest::mouseClick(slider, Qt::LeftButton, {}, right);
    ASSERT_EQ(spy->count(), 2);
    EXPECT_EQ(lastCode(), CProgressSlider::LineDown);
    EXPECT_EQ(slider->pos(), 40);
}

TEST_F(ProgressSliderTest, HeldEndButtonRepeatsUntilReleasedOrLeft)
{
    slider->setPos(10, true);
    const QPoint right = slider->buttonRect(CProgressSlider::RightButton).center();
    QTest::mousePress(slider, Qt::LeftButton, {}, right);
    EXPECT_TRUE(slider->isButtonPressed(CProgressSlider::RightButton));
    // After the delay it steps on its own.
    ASSERT_EVENTUALLY(slider->pos() >= 14);
    for (const auto& call : *spy)
        EXPECT_EQ(call.at(0).toInt(), CProgressSlider::LineDown);
    // The pointer leaves the control: the repeat stops.
    QTest::mouseMove(slider, QPoint(200, 40));
    ASSERT_EVENTUALLY(!slider->isButtonPressed(CProgressSlider::RightButton));
    const int stoppedAt = slider->pos();
    QTest::qWait(300);
    EXPECT_EQ(slider->pos(), stoppedAt);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(200, 40));
    EXPECT_EQ(slider->pos(), stoppedAt);
}

TEST_F(ProgressSliderTest, KeysStepAndJumpToEnds)
{
    slider->setFocus();
    slider->setPos(0, true);
    // Home at 0 still reports a line-up.
    QTest::keyClick(slider, Qt::Key_Home);
    ASSERT_EQ(spy->count(), 1);
    EXPECT_EQ(lastCode(), CProgressSlider::LineUp);
    EXPECT_EQ(slider->pos(), 0);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(lastCode(), CProgressSlider::LineDown);
    EXPECT_EQ(slider->pos(), 1);
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(lastCode(), CProgressSlider::LineDown);
    EXPECT_EQ(slider->pos(), 100);
    EXPECT_EQ(slider->thumbRect().left(), 350);
    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_EQ(lastCode(), CProgressSlider::LineUp);
    EXPECT_EQ(slider->pos(), 99);
    const int before = spy->count();
    QTest::keyClick(slider, Qt::Key_Up);  // not a key of a horizontal slider
    EXPECT_EQ(spy->count(), before);
}

TEST_F(ProgressSliderTest, HoverOverThumbShowsHandAndHotThumb)
{
    slider->setRange(0, 100, true).setThumbColor(QColor(255, 0, 0));
    slider->setPos(50, true);
    movePointer(slider, thumbCentre());
    EXPECT_TRUE(slider->isHovered());
    EXPECT_EQ(slider->cursor().shape(), Qt::PointingHandCursor);
    movePointer(slider, QPoint(60, 6));
    EXPECT_FALSE(slider->isHovered());
    EXPECT_EQ(slider->cursor().shape(), Qt::ArrowCursor);
    // Leaving the control altogether clears the hover too (the leave watch).
    movePointer(slider, thumbCentre());
    ASSERT_TRUE(slider->isHovered());
    leavePointer(slider);
    ASSERT_EVENTUALLY(!slider->isHovered());
}

TEST_F(ProgressSliderTest, ThumbPicturesTakeThumbColourHotColourAndGreyMarks)
{
    slider->setThumbColor(QColor(255, 0, 0));
    slider->setGreyMarks(true);
    const QImage normal = slider->thumbImage(false);
    const QImage hot = slider->thumbImage(true);
    auto contains = [](const QImage& img, QRgb rgb) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF) && qAlpha(img.pixel(x, y)))
                    return true;
        return false;
    };
    EXPECT_TRUE(contains(normal, qRgb(255, 0, 0)));
    EXPECT_TRUE(contains(hot, qRgb(255, 204, 0)));
    EXPECT_TRUE(contains(normal, qRgb(91, 91, 91)));
    EXPECT_FALSE(contains(normal, qRgb(0, 0, 1)));
    EXPECT_FALSE(contains(normal, qRgb(0, 0, 2)));

    // The played part of the track is drawn in light shades of the thumb colour.
    const QImage played = slider->playedStrip();
    ASSERT_EQ(played.height(), 12);
    const QColor first = played.pixelColor(0, 0).toHsl();
    const QColor rest = played.pixelColor(0, 5).toHsl();
    EXPECT_NEAR(first.lightnessF(), 0.80, 0.01);
    EXPECT_NEAR(rest.lightnessF(), 0.92, 0.01);
    EXPECT_NEAR(rest.hslSaturationF(), 0.5, 0.03);
}

TEST_F(ProgressSliderTest, PaintedThumbShowsItsColourOnScreen)
{
    slider->setThumbColor(QColor(255, 0, 0));
    slider->setPos(0, true);
    const QImage shot = slider->grab().toImage();
    int red = 0;
    for (int x = 25; x < 50; ++x)
        for (int y = 0; y < 12; ++y)
            if (shot.pixelColor(x, y) == QColor(255, 0, 0))
                ++red;
    EXPECT_GT(red, 50);
}

TEST_F(ProgressSliderTest, EndButtonsFollowTheControlsSize)
{
    slider->resize(200, 12);
    EXPECT_EQ(slider->buttonRect(CProgressSlider::RightButton), QRect(175, 0, 25, 12));
    slider->setPos(100, true);
    EXPECT_EQ(slider->thumbRect().left(), 150);  // 200 - 2t
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(185, 6));
    EXPECT_EQ(lastCode(), CProgressSlider::LineDown);
}

TEST(ProgressSliderVertical, MeasuresAlongItsHeight)
{
    QWidget parent;
    parent.resize(40, 320);
    auto* slider = new CProgressSlider(Qt::Vertical, QRect(0, 0, 12, 300), &parent);
    slider->setRange(100, 0, true);  // range is the distance of the bounds
    EXPECT_EQ(slider->range(), 100);
    EXPECT_EQ(slider->thumbSize(), QSize(12, 25));
    slider->setPos(100, true);
    EXPECT_EQ(slider->thumbRect().top(), 250);
    QSignalSpy spy(slider, &CProgressSlider::scrolled);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Up);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), CProgressSlider::LineUp);
    EXPECT_EQ(slider->pos(), 99);
}

}  // namespace
