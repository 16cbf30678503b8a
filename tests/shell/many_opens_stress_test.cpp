// Hundreds of opens in one program through the frame's own open path: good files, damaged,
// cut short, not media at all and missing, some opened before the last open was over. Each
// bad file gets its message, the next good one plays, and memory stays level.
#include "CommandIds.h"
#include "Eventually.h"
#include "FrameFixture.h"
#include "MediaPlayerView.h"
#include "SceneRenderer.h"
#include "TestMedia.h"
#include "Transport.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

using framefixture::FrameTest;

namespace {

// The program's own resident memory (anonymous pages: the heap, thread stacks, buffers) once
// the allocator has handed its free pages back. What the opens' worker threads freed stays in
// their allocator arenas otherwise. Pages of mapped files are left out: the software OpenGL
// driver reads in 10 to 14 MiB of its compiler's code the first time it builds a drawing
// variant, sometimes before the warm-up ends and sometimes after, and that is neither the
// program's memory nor growth.
long residentKib()
{
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("RssAnon:", 0) == 0)
            return std::stol(line.substr(8));
    }
    return -1;
}

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What an open of the file must end in.
enum class Outcome { Plays, Message, PlaysOrMessage };

struct Case {
    std::string path;
    Outcome outcome;
};

std::vector<Case> cases()
{
    testmedia::ClipRequest avi;
    avi.name = "opens-mpeg4.avi";
    avi.frames = 20;
    testmedia::ClipRequest mp4;
    mp4.name = "opens-h264.mp4";
    mp4.frames = 20;
    mp4.videoEncoder = "x264enc";
    mp4.muxer = "mp4mux";
    const std::string good = testmedia::clip(avi);
    const std::string goodMp4 = testmedia::clip(mp4);
    const std::string whole = bytesOf(goodMp4);
    std::string damaged = whole;
    for (size_t i = damaged.size() / 3; i < damaged.size() * 2 / 3; i += 7)
        damaged[i] = static_cast<char>(i * 131);
    return {
        {good, Outcome::Plays},
        {testmedia::writeFile("opens-text.avi", "This is a letter, not a video.\n"),
         Outcome::Message},
        {goodMp4, Outcome::Plays},
        {testmedia::writeFile("opens-empty.mp4", ""), Outcome::Message},
        {testmedia::writeFile("opens-damaged.mp4", damaged), Outcome::PlaysOrMessage},
        {testmedia::mediaDir() + "/opens-missing.avi", Outcome::Message},
        {testmedia::writeFile("opens-cut.mp4", whole.substr(0, whole.size() / 2)),
         Outcome::PlaysOrMessage},
    };
}

// The longest time the window's thread kept a 10 ms timer waiting beyond its interval.
class StallMeter {
public:
    StallMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, since_.restart() - 10);
        });
        since_.start();
        timer_.start();
    }
    qint64 longestMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

}  // namespace

class ManyOpens : public FrameTest {};

TEST_F(ManyOpens, ThreeHundredOpensOfGoodAndBadFilesKeepTheProgramWhole)
{
    const std::vector<Case> files = cases();
    createFrame();
    CBCGPMediaPlayerView* view = frame->activeView();
    ASSERT_NE(view, nullptr);
    Transport& transport = view->transport();
    const StallMeter stalls;
    long afterWarmUp = 0;
    constexpr int kOpens = 300;
    for (int n = 0; n < kOpens; ++n) {
        const Case& c = files[static_cast<size_t>(n) % files.size()];
        if (n % 10 == 9) {
            // An open given before the last one is over: only the later one counts.
            frame->OpenMediaFile(QString::fromStdString(files[0].path));
        }
        const auto shownBefore = messages.shown.size();
        frame->OpenMediaFile(QString::fromStdString(c.path));
        ASSERT_TRUE(VELMORA_WAIT_FOR(!transport.isOpening(), 30000)) << n << " " << c.path;
        const auto told = messages.shown.size() - shownBefore;
        const bool plays = view->renderer().videoReady();
        switch (c.outcome) {
        case Outcome::Plays:
            EXPECT_TRUE(plays) << n << " " << c.path;
            EXPECT_EQ(told, 0) << n << " " << c.path;
            break;
        case Outcome::Message:
            EXPECT_FALSE(plays) << n << " " << c.path;
            EXPECT_EQ(told, 1) << n << " " << c.path;
            break;
        case Outcome::PlaysOrMessage:
            EXPECT_NE(plays, told == 1) << n << " " << c.path;
            EXPECT_LE(told, 1) << n << " " << c.path;
            break;
        }
        if (n == 19) {
            // Measured with no load under way: an open that a later one replaced goes on to
            // its end off the window's thread, and what it holds at that moment swung the
            // figure by 17 MiB.
            ASSERT_TRUE(VELMORA_WAIT_FOR(transport.loadsUnderWay() == 0, 30000));
            afterWarmUp = residentKib();
        }
    }
    frame->dispatchCommand(Command::Stop);
    QTest::qWait(0);
    ASSERT_TRUE(VELMORA_WAIT_FOR(transport.loadsUnderWay() == 0, 30000));
    const long grownKib = residentKib() - afterWarmUp;
    RecordProperty("rss_growth_kib", std::to_string(grownKib));
    RecordProperty("longest_stall_ms", std::to_string(stalls.longestMs()));
    std::printf("anonymous resident memory grew by %ld KiB (from %ld KiB) over opens 20 to %d; the "
                "window's thread waited at most %lld ms\n",
                grownKib, afterWarmUp, kOpens, static_cast<long long>(stalls.longestMs()));
    EXPECT_LT(grownKib, 16 * 1024);
}
