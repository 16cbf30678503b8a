// Resume: a file left part-way goes on five seconds before where it was left when it is opened
// again; Play after Stop still plays from the start; a file played to its end, or left near
// its start, opens at its start; with resume off nothing is remembered or used.
#include "CommandIds.h"
#include "Eventually.h"
#include "RampPicture.h"
#include "MediaSession.h"
#include "ViewHarness.h"

#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

constexpr int kRampSeconds = 60;

std::string ramp() { return ramppicture::clip(kRampSeconds, 5); }

double shownSeconds(const ViewHarness& h)
{
    const QImage picture =
        h.view->sceneWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    const QPoint centre(picture.width() / 2, (picture.height() - view_layout::kBarHeight) / 2);
    return ramppicture::secondsShown(picture, centre, kRampSeconds);
}

std::optional<int> pointOf(const ViewHarness& h, const std::string& path)
{
    const QFileInfo file(QString::fromStdString(path));
    return h.view->resumePoints().find(file.absoluteFilePath(), file.size());
}

bool near(double shown, int seconds) { return shown > seconds - 1.5 && shown < seconds + 1.5; }

}  // namespace

TEST(ViewResume, AFileLeftPartWayGoesOnAndTheStartIsOneSeekAway)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.view->SetPlayNextAtEnd(false);
    QSignalSpy continued(h.view.get(), &CBCGPMediaPlayerView::continuedFrom);
    h.openWithDuration(ramp(), kRampSeconds * 1000);
    EXPECT_EQ(continued.count(), 0) << "nothing to go on from yet";
    h.transport().seekBy(30);
    ASSERT_EVENTUALLY(near(shownSeconds(h), 30));

    // Another file opens: where the ramp was left is remembered.
    h.open(shortClip());
    EXPECT_EQ(pointOf(h, ramp()), 30);

    h.openWithDuration(ramp(), kRampSeconds * 1000);
    ASSERT_EQ(continued.count(), 1);
    EXPECT_EQ(continued.front().front().toInt(), 25);
    EXPECT_EQ(h.transport().positionSeconds(), 25);
    EXPECT_TRUE(h.timeText().startsWith("00:00:25-")) << h.timeText().toStdString();
    EXPECT_EVENTUALLY(near(shownSeconds(h), 25)) << shownSeconds(h);

    h.transport().seekToStart();
    EXPECT_EVENTUALLY(shownSeconds(h) < 1.5) << shownSeconds(h);
    // Left near its start now: the next open starts there too.
    h.open(shortClip());
    EXPECT_EQ(pointOf(h, ramp()), std::nullopt);
    h.openWithDuration(ramp(), kRampSeconds * 1000);
    EXPECT_EQ(continued.count(), 1);
    EXPECT_EQ(h.transport().positionSeconds(), 0);
}

TEST(ViewResume, StopRemembersPlayAfterStopStartsOverAndTheEndForgets)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.view->SetPlayNextAtEnd(false);
    h.openWithDuration(ramp(), kRampSeconds * 1000);
    h.transport().seekBy(40);
    h.click(Command::Stop);
    EXPECT_EQ(pointOf(h, ramp()), 40);

    h.click(Command::Play);
    h.waitForOpen();
    EXPECT_EQ(h.transport().positionSeconds(), 0) << "Play after Stop plays from the start";
    EXPECT_EVENTUALLY(shownSeconds(h) < 2.0) << shownSeconds(h);

    // Past the end: the clock closes the video at its next step, and the file is done.
    h.transport().seekBy(kRampSeconds);
    ASSERT_EVENTUALLY(!h.transport().isMediaActive());
    EXPECT_EQ(pointOf(h, ramp()), std::nullopt);
    h.openWithDuration(ramp(), kRampSeconds * 1000);
    EXPECT_EQ(h.transport().positionSeconds(), 0);
    // Left within ten seconds of its end, it counts as played.
    h.transport().seekBy(kRampSeconds - 5);
    h.open(shortClip());
    EXPECT_EQ(pointOf(h, ramp()), std::nullopt);
}

TEST(ViewResume, OffNothingIsRememberedOrUsed)
{
    ViewHarness h;
    ASSERT_TRUE(h.exposed);
    h.view->SetPlayNextAtEnd(false);
    h.openWithDuration(ramp(), kRampSeconds * 1000);
    h.transport().seekBy(30);
    h.open(shortClip());
    ASSERT_EQ(pointOf(h, ramp()), 30);

    h.view->SetResumeEnabled(false);
    h.openWithDuration(ramp(), kRampSeconds * 1000);
    EXPECT_EQ(h.transport().positionSeconds(), 0);
    h.transport().seekBy(45);
    h.open(shortClip());
    EXPECT_EQ(pointOf(h, ramp()), 30) << "the earlier point is kept, the new one not taken";
}
