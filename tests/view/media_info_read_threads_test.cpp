// MediaInfoRead: reports come back on the UI thread, only the latest read counts, and a read
// that does not return ends at the bound without holding anything up.
#include "Eventually.h"
#include "MediaInfoRead.h"
#include "StuckMediaInfo.h"
#include "TestMedia.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::string clipOf(const char* name, int frames)
{
    testmedia::ClipSpec wanted;
    wanted.name = name;
    wanted.width = 64;
    wanted.height = 48;
    wanted.frames = frames;
    return testmedia::clip(wanted);
}

// Every report a MediaInfoRead announces, with the thread it came on.
struct Announcements {
    explicit Announcements(MediaInfoRead& read)
    {
        QObject::connect(&read, &MediaInfoRead::finished, &read,
                         [this](const mediainfo::MediaReport& report) {
                             reports.push_back(report);
                             onUiThread = onUiThread && QThread::currentThread() ==
                                                            QCoreApplication::instance()->thread();
                         });
    }
    std::vector<mediainfo::MediaReport> reports;
    bool onUiThread = true;
};

// Waits until no worker runs and whatever they posted has been delivered.
void settle()
{
    ASSERT_EVENTUALLY(MediaInfoRead::runningWorkers() == 0);
    QCoreApplication::processEvents();
}

TEST(MediaInfoRead, OnlyTheLatestOfSeveralReadsIsAnnounced)
{
    const std::string first = clipOf("read-first.avi", 25);
    const std::string second = clipOf("read-second.avi", 75);
    MediaInfoRead read;
    Announcements seen(read);
    read.start(first);
    EXPECT_TRUE(read.isReading());
    read.start(second);
    ASSERT_EVENTUALLY(!seen.reports.empty());
    settle();
    ASSERT_EQ(seen.reports.size(), 1u);
    EXPECT_TRUE(seen.onUiThread);
    EXPECT_FALSE(read.isReading());
    EXPECT_EQ(seen.reports[0].durationMs, 3000);
    EXPECT_EQ(seen.reports[0].pages, mediainfo::readMediaReport(second).pages);
}

// A read stuck in the library ends at the bound as a report that says so, with no duration;
// the next file is read as usual, and the stuck read's answer, when it comes at last, is
// dropped.
TEST(MediaInfoRead, AStuckReadEndsAtTheBoundAndItsLateAnswerIsDropped)
{
    const std::string good = clipOf("read-good.avi", 50);
    stuckmediainfo::close();
    MediaInfoRead read;
    read.setBound(std::chrono::milliseconds(1500));
    read.setReader(stuckmediainfo::read);
    Announcements seen(read);
    read.start("/damaged/file.avi");
    ASSERT_EVENTUALLY(stuckmediainfo::waiting() == 1);
    ASSERT_EVENTUALLY(!seen.reports.empty());
    EXPECT_FALSE(read.isReading());
    EXPECT_EQ(seen.reports[0].durationMs, 0);
    for (const std::string& page : seen.reports[0].pages)
        EXPECT_EQ(page, "MediaInfo did not finish reading this file within 1.5 seconds.");

    read.setReader([](const std::string& path) { return mediainfo::readMediaReport(path); });
    read.start(good);
    ASSERT_EVENTUALLY(seen.reports.size() == 2u);
    EXPECT_EQ(seen.reports[1].durationMs, 2000);

    stuckmediainfo::release();
    settle();
    EXPECT_EQ(seen.reports.size(), 2u);
    EXPECT_TRUE(seen.onUiThread);
}

// The object may go while its worker is stuck; the worker ends later without touching it.
TEST(MediaInfoRead, GoingAwayWhileAWorkerIsStuck)
{
    stuckmediainfo::close();
    auto read = std::make_unique<MediaInfoRead>();
    read->setReader(stuckmediainfo::read);
    read->start("/damaged/file.avi");
    ASSERT_EVENTUALLY(stuckmediainfo::waiting() == 1);
    read.reset();
    stuckmediainfo::release();
    settle();
}

}  // namespace
