// Playing in the view: the position clock and the time text, Back and Forward, seeking from
// the progress slider, pause and resume, Stop and the end of the media.
#include "Eventually.h"
#include "CommandIds.h"
#include "MediaSession.h"
#include "ViewHarness.h"

#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

using namespace viewtest;

namespace {

// Mean difference of two pictures' grey levels over a grid of samples.
double pictureDistance(const QImage& a, const QImage& b)
{
    double sum = 0;
    int n = 0;
    for (int y = 70; y < a.height() - 70; y += 7)
        for (int x = 10; x < a.width() - 10; x += 7, ++n)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return n ? sum / n : 0;
}

}  // namespace

TEST(ViewPlayback, TimeTextCountsSecondsOfPlay)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.open(longClip());
    ASSERT_EQ(h.app.mediaDurationMs, 5700000);
    // The real clock: one second a step.
    ASSERT_EVENTUALLY_WITHIN(h.timeText() == "00:00:07-01:35:00", 20000);
    EXPECT_EQ(h.slider()->pos(), 0);  // 7 of 5700 seconds
}

// Back and Forward step 100 seconds; nearer an end than that, the last file of its playlist
// goes to that end.
TEST(ViewPlayback, BackAndForwardStepHundredSecondsWithinTheMedia)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.open(longClip());
    h.transport().setClockStep(std::chrono::hours(1));
    // Again, with a clock that stays still, as a playlist of this file alone.
    h.view->OpenMediaPaths({QString::fromStdString(longClip())});
    h.waitForOpen();
    ASSERT_TRUE(h.view->playlist().next().isEmpty() && h.view->playlist().previous().isEmpty());

    // From 99 seconds Back goes to the start, from 100 a step back.
    h.app.mediaDurationMs = 198000;
    h.transport().seekToPercent(50);
    ASSERT_EQ(h.transport().positionSeconds(), 99);
    ASSERT_EVENTUALLY(h.bar()->isButtonEnabled(Command::Previous));
    h.click(Command::Previous);
    EXPECT_EQ(h.transport().positionSeconds(), 0);
    EXPECT_EQ(h.timeText(), "00:00:00-00:03:18");
    h.app.mediaDurationMs = 200000;
    h.transport().seekToPercent(75);
    ASSERT_EQ(h.transport().positionSeconds(), 150);
    h.click(Command::Previous);
    EXPECT_EQ(h.transport().positionSeconds(), 50);
    EXPECT_EQ(h.timeText(), "00:00:50-00:03:20");

    // Forward with 150 seconds: from 50 to 150, from 51 to the end.
    h.app.mediaDurationMs = 100000;
    h.transport().seekToPercent(50);
    h.app.mediaDurationMs = 150000;
    h.view->handleCommand(Command::Forward);
    EXPECT_EQ(h.transport().positionSeconds(), 150);
    h.app.mediaDurationMs = 170000;
    h.transport().seekToPercent(30);
    ASSERT_EQ(h.transport().positionSeconds(), 51);
    h.app.mediaDurationMs = 150000;
    h.click(Command::Next);
    EXPECT_EQ(h.transport().positionSeconds(), 150);
    EXPECT_EQ(h.timeText(), "00:02:30-00:02:30");
    EXPECT_EQ(h.slider()->pos(), 100);
}

TEST(ViewPlayback, ClickingTheProgressSliderSeeksToItsPercentage)
{
    ViewHarness h(QSize(900, 500));
    ASSERT_TRUE(h.exposed);
    h.transport().setClockStep(std::chrono::hours(1));
    h.open(longClip());
    h.app.mediaDurationMs = 3601000;
    CProgressSlider* slider = h.slider();
    // Put the thumb's centre where position 50 lies: edge t + trunc(50 (W - 3t) / 100 + 0.5).
    const int t = slider->thumbSize().width();
    const int edge = t + static_cast<int>(50 * (slider->width() - 3 * t) / 100.0 + 0.5);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(edge + t / 2, 6));
    ASSERT_EQ(slider->pos(), 50);
    EXPECT_EQ(h.transport().positionSeconds(), 1800);
    EXPECT_EQ(h.timeText(), "00:30:00-01:00:01");

    // The keys step the slider and seek with it.
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->pos(), 51);
    EXPECT_EQ(h.transport().positionSeconds(), 1836);
}

TEST(ViewPlayback, PauseHoldsTheClockAndResumeGoesOnFromThePausedPicture)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.transport().setClockStep(std::chrono::milliseconds(300));
    // A duration the fast clock cannot reach while the test looks on, however slow the
    // machine.
    h.openWithDuration(scrollingClip(), 100000);
    SceneWidget* scene = h.view->sceneWidget();
    QTest::qWait(200);
    const QImage start = scene->grabFramebuffer();
    // Let it play a while (the picture scrolls 100 pixels a second), then pause with the
    // Play button.
    ASSERT_EVENTUALLY(h.bar()->isButtonEnabled(Command::Play));
    ASSERT_EVENTUALLY_WITHIN(h.transport().positionSeconds() >= 5, 10000);
    h.click(Command::Play);
    EXPECT_EQ(h.transport().playState(), PlayState::Paused);
    EXPECT_EQ(h.bar()->playIcon(), 1);
    EXPECT_TRUE(h.transport().isClockHeld());
    QTest::qWait(300);
    const QImage paused = scene->grabFramebuffer();
    const int heldAt = h.transport().positionSeconds();
    QTest::qWait(400);
    EXPECT_EQ(h.transport().positionSeconds(), heldAt);
    EXPECT_LT(pictureDistance(paused, scene->grabFramebuffer()), 1.0);

    // A seek while paused shows its time at once.
    h.transport().seekToPercent(0);
    EXPECT_EQ(h.timeText(), "00:00:00-00:01:40");

    h.click(Command::Play);
    EXPECT_EQ(h.transport().playState(), PlayState::Playing);
    EXPECT_EQ(h.bar()->playIcon(), 0);
    EXPECT_FALSE(h.transport().isClockHeld());
    h.waitForOpen();  // the paused file is opened again
    EXPECT_TRUE(h.renderer().videoReady());
    QTest::qWait(120);
    const QImage resumed = scene->grabFramebuffer();
    EXPECT_LT(pictureDistance(resumed, paused), pictureDistance(resumed, start));
    ASSERT_EVENTUALLY(h.transport().positionSeconds() >= 1);
}

TEST(ViewPlayback, StopResetsTheBarAndPlayDoesNothingUntilTheNextOpen)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.transport().setClockStep(std::chrono::milliseconds(50));
    h.open(longClip());
    ASSERT_EVENTUALLY(h.transport().positionSeconds() >= 60);
    ASSERT_EVENTUALLY(h.slider()->pos() >= 1);
    ASSERT_EVENTUALLY(h.bar()->isButtonEnabled(Command::Stop));
    h.click(Command::Stop);
    EXPECT_FALSE(h.transport().isMediaActive());
    EXPECT_FALSE(h.renderer().videoReady());
    EXPECT_EQ(h.slider()->pos(), 0);
    EXPECT_EQ(h.timeText(), "00:00:00-00:00:00");
    EXPECT_EQ(h.bar()->playIcon(), 1);
    EXPECT_EQ(h.transport().playState(), PlayState::Playing);  // Stop leaves the play state
    // Nothing that the stopped clock had on its way arrives later.
    QTest::qWait(200);
    EXPECT_EQ(h.timeText(), "00:00:00-00:00:00");

    h.click(Command::Play);
    EXPECT_EQ(h.transport().playState(), PlayState::Playing);
    EXPECT_EQ(h.bar()->playIcon(), 1);
    EXPECT_FALSE(h.renderer().videoReady());
    const int at = h.transport().positionSeconds();
    h.click(Command::Next);
    h.click(Command::Previous);
    EXPECT_EQ(h.transport().positionSeconds(), at);

    h.open(shortClip());
    EXPECT_TRUE(h.transport().isMediaActive());
    EXPECT_TRUE(h.renderer().videoReady());
    EXPECT_EQ(h.bar()->playIcon(), 0);
}

TEST(ViewPlayback, TheEndOfTheMediaStopsPlayback)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    // Stop at the end, not the next file of the test media's folder.
    h.view->SetPlayNextAtEnd(false);
    h.transport().setClockStep(std::chrono::milliseconds(50));
    h.openWithDuration(shortClip(), 2000);
    ASSERT_EVENTUALLY(!h.transport().isMediaActive());
    EXPECT_FALSE(h.renderer().videoReady());
    EXPECT_EQ(h.timeText(), "00:00:00-00:00:00");
    EXPECT_EQ(h.bar()->playIcon(), 1);
    EXPECT_EQ(h.transport().positionSeconds(), 2);
}

TEST(ViewPlayback, AnUnknownDurationNeverStopsThePlayback)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.transport().setClockStep(std::chrono::milliseconds(20));
    h.openWithDuration(shortClip(), 0);  // the reader found none
    ASSERT_EVENTUALLY(h.transport().positionSeconds() >= 10);
    EXPECT_TRUE(h.transport().isMediaActive());
    EXPECT_TRUE(h.renderer().videoReady());
    // The time counts on against a total of zero.
    const QRegularExpression counting("^00:(\\d\\d):(\\d\\d)-00:00:00$");
    ASSERT_EVENTUALLY([&] {
        const QRegularExpressionMatch m = counting.match(h.timeText());
        return m.hasMatch() && m.captured(1).toInt() * 60 + m.captured(2).toInt() >= 10;
    }()) << h.timeText().toStdString();
    EXPECT_EQ(h.slider()->pos(), 0);
}

TEST(ViewPlayback, ANewOpenEndsTheClockOfThePreviousOne)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.transport().setClockStep(std::chrono::milliseconds(30));
    h.open(longClip());
    ASSERT_EVENTUALLY(h.transport().positionSeconds() >= 5);
    ASSERT_EVENTUALLY(h.bar()->isButtonEnabled(Command::Play));
    h.click(Command::Play);  // paused: its clock is held
    ASSERT_TRUE(h.transport().isClockHeld());
    h.transport().setClockStep(std::chrono::hours(1));
    // The same long file again: the library starts the next file where the paused one stood,
    // which a short clip may not reach on a slow machine.
    h.open(longClip());
    // The open's result reaches the UI thread through a queued call; a slow build sees it late.
    EXPECT_EVENTUALLY(h.transport().positionSeconds() == 0);
    EXPECT_FALSE(h.transport().isClockHeld());
    QTest::qWait(200);
    EXPECT_EQ(h.transport().positionSeconds(), 0);  // no second clock counts
    EXPECT_EQ(h.timeText(), "00:00:00-00:00:00");
}

// The time text follows the rate: at 2x the clock moves two seconds a step, at 0.5x one
// every two steps. A rate set before an open (and before a resume, which loads the file
// again) goes to the new video, which the library starts at 1x.
TEST(ViewPlayback, PlayRateMovesTheClockAndHoldsForTheNextOpen)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.transport().setClockStep(std::chrono::milliseconds(300));
    h.view->SetPlayRate(200);
    h.open(longClip());
    EXPECT_DOUBLE_EQ(h.view->media().rate(), 2.0) << "the rate set before the open";
    ASSERT_EVENTUALLY_WITHIN(h.transport().positionSeconds() >= 4, 10000);
    EXPECT_EQ(h.transport().positionSeconds() % 2, 0) << "two seconds a step";
    EXPECT_TRUE(h.renderer().videoReady());

    h.view->SetPlayRate(50);
    EXPECT_DOUBLE_EQ(h.view->media().rate(), 0.5);
    const int from = h.transport().positionSeconds();
    ASSERT_EVENTUALLY_WITHIN(h.transport().positionSeconds() >= from + 2, 10000);

    h.click(Command::Play);  // pause
    ASSERT_EQ(h.transport().playState(), PlayState::Paused);
    h.click(Command::Play);  // resume: the file is loaded again
    EXPECT_EVENTUALLY(!h.transport().isOpening() && h.view->media().rate() == 0.5);

    // The slider's left end is the slowest rate the library takes, not a refused 0.
    h.view->SetPlayRate(0);
    EXPECT_DOUBLE_EQ(h.view->media().rate(), 0.01);
}
