// The media-information panel in the main frame: its tabs and placeholders before any file;
// after an open the pages and the clock's duration arrive from a worker while the window
// goes on working, a file read after another shows the same pages as on its own, and a read
// that is slow or stuck never stalls the window.
#include "FrameFixture.h"

#include "EqualizerBar.h"
#include "Eventually.h"
#include "MediaInfoRead.h"
#include "Transport.h"
#include "MediaInfoReader.h"
#include "MediaPlayerView.h"
#include "StuckMediaInfo.h"
#include "TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

using framefixture::FrameTest;
using namespace std::chrono_literals;

namespace {

std::string fiveSecondClip()
{
    testmedia::ClipSpec wanted;
    wanted.name = "panel-5024ms.avi";
    wanted.width = 160;
    wanted.height = 120;
    wanted.frames = 628;
    wanted.fps = 125;
    return testmedia::clip(wanted);
}

std::string twoSecondClip()
{
    testmedia::ClipSpec wanted;
    wanted.name = "panel-2s.avi";
    wanted.width = 160;
    wanted.height = 120;
    wanted.frames = 50;
    return testmedia::clip(wanted);
}

// The longest time the UI thread went without running a 10 ms timer, from just before
// action runs on it until done() holds (or 20 seconds pass).
template <typename Action, typename Done>
qint64 longestStall(Action action, Done done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    tick.start(10);
    QTimer::singleShot(20, action);
    EXPECT_TRUE(VELMORA_WAIT_FOR(done(), 20000));
    return std::max(longest, clock.elapsed() - last);
}

class MediaInfoPanelTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        createFrame();
        frame->mediaInfoPanel()->raise();
    }
    void TearDown() override
    {
        stuckmediainfo::release();
        ASSERT_EVENTUALLY(MediaInfoRead::runningWorkers() == 0);
    }
    CEqualizerBar* panel() const { return frame->mediaInfoPanel(); }
    QString page(int index) const { return panel()->page(index)->toPlainText(); }
    bool pagesAre(const mediainfo::MediaReport& report) const
    {
        for (int i = 0; i < 4; ++i)
            if (page(i) != QString::fromStdString(report.pages[static_cast<size_t>(i)]))
                return false;
        return true;
    }
    // Keeps a picture of the panel showing each page when VELMORA_SCREENSHOT_DIR names a folder.
    void keepScreenshots(const QString& prefix)
    {
        const QString dir = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            return;
        QDir().mkpath(dir);
        for (int i = 0; i < 4; ++i) {
            panel()->tabWindow()->setCurrentIndex(i);
            QTest::qWait(100);
            frame->grab().save(QDir(dir).filePath(QStringLiteral("%1-%2.png").arg(prefix).arg(i)));
        }
        panel()->tabWindow()->setCurrentIndex(0);
    }
};

}  // namespace

// Before any file: the four tabs with their labels and images, placeholders in red on black,
// in a fixed-pitch font.
TEST_F(MediaInfoPanelTest, TabsAndPlaceholdersBeforeAnyFile)
{
    QTabWidget* tabs = panel()->tabWindow();
    ASSERT_EQ(tabs->count(), 4);
    const char* labels[] = {"Base", "More", "Complete", "Other"};
    const char* placeholders[] = {"NO MESSAGES(BASE) NOW", "NO MESSAGES(MORE) NOW",
                                  "NO MESSAGES(COMPLETE) NOW", "NO MESSAGES(OTHER) NOW"};
    QList<QImage> images;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->tabText(i), labels[i]);
        EXPECT_EQ(page(i), placeholders[i]);
        EXPECT_TRUE(QFontInfo(panel()->page(i)->font()).fixedPitch()) << i;
        const QImage image = tabs->tabIcon(i).pixmap(16, 16).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16)) << i;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "magenta is transparent, tab " << i;
        const QColor middle = image.pixelColor(7, 7);
        EXPECT_EQ(middle.alpha(), 255) << i;
        EXPECT_NE(middle, QColor(255, 0, 255)) << i;
        images << image;
    }
    for (int i = 1; i < 4; ++i)
        EXPECT_NE(images[i], images[0]) << i;
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(panel()->widget(), tabs);  // the tab window fills the panel

    // The shown Base page: black ground, red letters.
    EXPECT_EVENTUALLY(panel()->page(0)->isVisible());
    const QImage shown = panel()->page(0)->viewport()->grab().toImage();
    int black = 0, red = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            black += c == QColor(Qt::black);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    EXPECT_GT(black, shown.width() * shown.height() / 2);
    EXPECT_GT(red, 20);
}

// After an open the pages are what the library reports and the clock gets the duration; a
// second file, then the first again, gives the first's pages unchanged.
TEST_F(MediaInfoPanelTest, OpeningFillsThePagesAndTheDurationAndASecondFileChangesNothingOfTheFirst)
{
    const std::string first = fiveSecondClip();
    const std::string second = twoSecondClip();
    frame->OpenMediaFile(QString::fromStdString(first));
    ASSERT_EVENTUALLY(app.mediaDurationMs == 5024);
    ASSERT_EVENTUALLY(!frame->mediaInfoRead()->isReading());
    const QString firstBase = page(0);
    const QString firstOther = page(3);
    EXPECT_TRUE(firstBase.contains("AVI"));
    EXPECT_TRUE(firstOther.startsWith(firstBase + firstBase));
    keepScreenshots(QStringLiteral("mediainfo"));

    frame->OpenMediaFile(QString::fromStdString(second));
    ASSERT_EVENTUALLY(app.mediaDurationMs == 2000);
    ASSERT_EVENTUALLY(!frame->mediaInfoRead()->isReading());
    EXPECT_TRUE(pagesAre(mediainfo::readMediaReport(second)));
    EXPECT_FALSE(page(0).contains("Count"));  // the plain report, not the complete one

    frame->OpenMediaFile(QString::fromStdString(first));
    ASSERT_EVENTUALLY(app.mediaDurationMs == 5024);
    ASSERT_EVENTUALLY(!frame->mediaInfoRead()->isReading());
    EXPECT_EQ(page(0), firstBase);
    EXPECT_EQ(page(3), firstOther);
}

// A slow read (the real library behind a four-second wait) and a stuck one (a binding that
// never returns until the end) run while the window's timers keep their pace: the longest
// stall from the start of the read to its report stays well under the read's own length,
// which a read on the UI thread would reach. The picture is paused, so that drawing the video
// does not weigh on the measure. The slow read's pages arrive; the stuck one ends at the
// bound, and its answer, when the binding lets go at last, is dropped.
TEST_F(MediaInfoPanelTest, ASlowOrStuckReadNeverStallsTheWindow)
{
    const std::string path = twoSecondClip();
    frame->OpenMediaFile(QString::fromStdString(path));
    ASSERT_EVENTUALLY(!frame->activeView()->transport().isOpening());
    frame->activeView()->transport().togglePlayPause();
    MediaInfoRead* read = frame->mediaInfoRead();
    ASSERT_EVENTUALLY(!read->isReading());
    int reports = 0;
    QObject::connect(read, &MediaInfoRead::finished, read, [&] { ++reports; });

    read->setReader([](const std::string& file) {
        std::this_thread::sleep_for(4s);
        return mediainfo::readMediaReport(file);
    });
    bool unknownMeanwhile = false;
    const qint64 slowStall = longestStall(
        [&] {
            frame->ReadMediaInfo();
            unknownMeanwhile = app.mediaDurationMs == 0;
        },
        [&] { return reports == 1; });
    EXPECT_TRUE(unknownMeanwhile);  // the duration is unknown until the read is done
    EXPECT_EQ(app.mediaDurationMs, 2000);
    EXPECT_TRUE(pagesAre(mediainfo::readMediaReport(path)));
    EXPECT_LT(slowStall, 2000) << "the window waited for the slow read";

    stuckmediainfo::close();
    read->setReader(stuckmediainfo::read);
    read->setBound(4s);
    const qint64 stuckStall = longestStall([&] { frame->ReadMediaInfo(); },
                                           [&] { return reports == 2; });
    EXPECT_EQ(stuckmediainfo::waiting(), 1);
    const QString timedOut = "MediaInfo did not finish reading this file within 4 seconds.";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(page(i), timedOut) << i;
    EXPECT_EQ(app.mediaDurationMs, 0);
    EXPECT_LT(stuckStall, 2000) << "the window waited for the stuck read";

    stuckmediainfo::release();
    ASSERT_EVENTUALLY(MediaInfoRead::runningWorkers() == 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(page(0), timedOut);
    EXPECT_EQ(app.mediaDurationMs, 0);
}
